// A sprite: a small picture drawn on top of its layer's graphic, relative to the layer's position.
// Cell sprites show a rectangle of another layer's surface chosen by its sprite-cell table and step
// through the cells of one sprite character by their play mode.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/cell_table.h"
#include "graphics/surface.h"

namespace qeli::graphics {

class Layer;

enum class SpriteType : int32_t {
    None = 0,
    Cell = 1,            // a rectangle of another layer's surface
    Glyph = 3,           // text rendered into its own surface
    FontGlyph = 4,       // cut from the font graphic of `OriginalFontSet`, drawn in a colour
    GraphicFontGlyph = 5,  // cut from the font graphic of `GraphicFontSet`
    Owned = 6,           // a sprite that owns its surface
    TextCursor = 7,
};

// Play modes: 2/6 forward, 3/7 backward (both wrap), 4 forward and 5 backward (both stop at the
// end); 102 to 107 the same with a cell's time overshoot carried into the next. Others never advance.
bool isCarriedOverMode(int32_t mode);

class Sprite {
public:
    bool visible = false;
    int32_t x = 0, y = 0, width = 0, height = 0;
    Rect source;  // in the source surface
    int32_t countdown = 0;
    const Surface* sourceSurface = nullptr;  // not owned; withdrawn when its layer goes
    int32_t playMode = 0;
    SpriteType type = SpriteType::None;
    Layer* owner = nullptr;
    int32_t number = 0;
    bool numberValid = false;
    int32_t page = 0;
    bool paused = false;
    uint16_t characterCode = 0;
    std::string text;
    int32_t textAttributes[5] = {0, 0, 0, 0, 0};
    double velocityX = 0, velocityY = 0, exactX = 0, exactY = 0;
    int32_t character = 0;
    int32_t cellIndex = 0;
    std::vector<CellRecord> cells;  // a private copy of the character's records
    int32_t priority = 0;
    std::unique_ptr<Surface> ownSurface;  // glyph and owned sprites

    // Starts cell animation on a character of `surface`'s cell table; false (nothing changed) when
    // there is no surface or no such character.
    bool startCells(const Surface* surface, int32_t characterNumber, int32_t atX, int32_t atY, int32_t mode,
                    bool show);
    // Switches to another character of the same surface; a missing character shows the
    // "Sprite CharacterNomber Error" box and leaves the sprite without cells.
    void setCharacter(int32_t characterNumber);
    // Starts on cell records given directly.
    void setCells(const Surface* surface, int32_t atX, int32_t atY, int32_t mode, bool show,
                  std::vector<CellRecord> records);

    // The frame's share of animation: true when the sprite changed cells.
    bool animate(int32_t elapsedMs);

    // The rectangle it covers in frame coordinates, given its layer's drawing position.
    // Limited to the 32-bit range, whatever positions a save file held.
    Rect frameRect(int32_t layerX, int32_t layerY) const;

private:
    void start();
    void enterCell();
    bool step();
    void settle();
};

}  // namespace qeli::graphics
