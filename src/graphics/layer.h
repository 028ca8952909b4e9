// One numbered layer of the picture: its graphic, position, visibility, transmittance, zoom,
// rotation, wave, colour filters and up to 999 sprites drawn on top of it. Text output keeps its
// layout fields here; this file only stores them. Drawing is the renderer's.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "graphics/sprite.h"
#include "graphics/surface.h"

namespace qeli::graphics {

class LayerSet;

// Graphic kinds of filter layers, which filter what lies below them instead of drawing a picture.
enum FilterLayerKind : int32_t { kSepiaLayer = 10001, kMonochromeLayer = 10002, kNegativeLayer = 10003, kPlainFilterLayer = 10004 };

inline constexpr int32_t kMaxSprites = 999;

// A position truncated to whole pixels and limited to the 32-bit range (NaN gives 0).
int32_t truncatedPixel(double value);
inline constexpr size_t kLayerRecordSize = 304;

class Layer {
public:
    Layer(LayerSet& set, int32_t number);

    Surface graphic;
    int32_t number = 0;
    Surface mask;
    bool maskActive = false;
    std::array<int32_t, 4> textLayout{};
    double x = 0, y = 0;
    int32_t originX = 0, originY = 0;
    bool visible = false;

    // Text output state (kept for the message windows).
    int32_t fontNumber = 0;
    int32_t textColour = 0xFFFFFF;
    int32_t textWord = 0;
    std::array<int32_t, 2> textExtraColours{-1, -1};
    int32_t cursorX = 0, cursorY = 0, previousCursorX = 0, previousCursorY = 0;
    Rect textRect;
    std::array<int32_t, 3> textWords{};
    uint8_t textByte = 0;

    // Scroll: 0 none, 1 moving once, 2 looping; velocity in pixels per millisecond.
    int32_t scrollState = 0;
    double scrollVelocityX = 0, scrollVelocityY = 0;
    int32_t scrollMinX = 0, scrollMinY = 0, scrollMaxX = 0, scrollMaxY = 0;

    // Transmittance in tenths of a percent (0 opaque, 1000 invisible); transparency 0-255 is set by
    // the renderer from it.
    double transmittance = 0;
    int32_t transparency = 0;
    double transmittanceRate = 0, transmittanceTarget = 0;

    bool zoomed = false;
    double zoomX = 1.0, zoomY = 1.0;
    int32_t zoomCentreX = 0, zoomCentreY = 0;
    bool zoomScrolling = false;
    double zoomRateX = 0, zoomRateY = 0, zoomTargetX = 1.0, zoomTargetY = 1.0;
    Surface zoomedCopy;

    // Rotation in 1/1000 of 180 degrees; mode 0 none, 1 to the target, 2 endless.
    double angle = 0;
    int32_t rotationCentreX = 0, rotationCentreY = 0;
    int32_t rotationMode = 0;
    double rotationRate = 0;
    int32_t rotationTarget = 0;
    Surface rotatedCopy;

    // What the zoomed and rotated copies were made from; the renderer rebuilds a copy whose key
    // no longer matches, and commands that change the graphic's pixels in place reset them.
    struct CopyKey {
        const uint32_t* pixels = nullptr;
        int32_t width = 0, height = 0;
        SurfaceKind kind = SurfaceKind::Empty;
        double zoomX = 0, zoomY = 0, angle = 0;
        int32_t centreX = 0, centreY = 0;
        bool operator==(const CopyKey&) const = default;
    };
    CopyKey zoomedFor, rotatedFor;

    bool waveActive = false;
    int32_t waveAmplitude = 0, waveHalfWaves = 0, wavePeriod = 0;
    double wavePhase = 0, waveBlendTime = 0, waveAmplitudeRate = 0;

    bool spritesIgnoreTransmittance = false;
    bool textWithoutWait = false;

    // Colour filters; colours are COLORREFs, 0 or -1 meaning none.
    int32_t addColour = -1, subtractColour = -1;
    bool sepia = false, monochrome = false, negative = false;

    LayerSet& owner() { return m_set; }
    const std::string& graphicName() const { return m_name; }
    const std::string& alphaName() const { return m_alphaName; }

    // Under the layer lock: loads the graphic (and the alpha file when a name is given).
    bool loadGraphic(const std::string& name, const std::string& alphaName);
    // Stores the names only; the frame advance loads them once drawing is no longer suspended.
    void setNames(const std::string& name, const std::string& alphaName);
    void invalidate();
    void setVisible(bool show);
    void moveTo(double toX, double toY);
    // Reloads the graphic and applies the colour filters in their fixed order.
    void rebuildFilters();
    // Loads a deferred graphic; each name is tried once so that a missing file is not retried and
    // logged every frame.
    bool loadDeferred();

    // Sprites, in drawing order (by priority, then order of addition).
    const std::vector<std::unique_ptr<Sprite>>& sprites() const { return m_sprites; }
    // False (and the sprite stays with the caller) when the layer already holds 999 sprites.
    bool addSprite(std::unique_ptr<Sprite>& sprite);
    void removeSprite(Sprite* sprite);
    void removeSpritesFromPage(int32_t page);
    void removeAllSprites();
    // True once the layer holds as many sprites as it may (the weather effects stop adding there).
    bool isFull() const { return m_sprites.size() >= size_t(kMaxSprites); }
    // Every sprite that shows `surface` loses it.
    void withdrawSource(const Surface* surface);

    bool isTransformed() const;

    // The save record: the 304 bytes, the names, glyph texts, cell records and 120-byte sprite records.
    void saveTo(std::vector<uint8_t>& file);
    // Restores from the record at `offset` of `file`; false when the record does not fit the file.
    bool restoreFrom(std::span<const uint8_t> file, size_t offset);

private:
    void invalidateSprite(const Sprite& sprite);

    LayerSet& m_set;
    std::string m_name, m_alphaName;
    std::string m_failedDeferredName;
    std::vector<std::unique_ptr<Sprite>> m_sprites;
    std::array<uint8_t, kLayerRecordSize> m_saveMirror{};
};

}  // namespace qeli::graphics
