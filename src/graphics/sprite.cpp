// Cell animation: entering cells (image, jump and character cells), stepping by play mode, and the
// countdown that the frame advance runs down.
#include "graphics/sprite.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace qeli::graphics {

namespace {

// A table can make jump and character cells point at each other, or cells of no duration follow
// each other for ever; these limits stop such loops instead of hanging the frame.
constexpr int32_t kMaxCellHops = 64;
constexpr int32_t kMaxStepsPerCall = 4096;

bool isForwardWrap(int32_t m) { return m == 2 || m == 6 || m == 102 || m == 106; }
bool isBackwardWrap(int32_t m) { return m == 3 || m == 7 || m == 103 || m == 107; }
bool isForwardStop(int32_t m) { return m == 4 || m == 104; }
bool isBackwardStop(int32_t m) { return m == 5 || m == 105; }

}  // namespace

bool isCarriedOverMode(int32_t mode) { return mode >= 102 && mode <= 107; }

Rect Sprite::frameRect(int32_t layerX, int32_t layerY) const {
    auto limit = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    int64_t left = int64_t{layerX} + x, top = int64_t{layerY} + y;
    return {limit(left), limit(top), limit(left + width), limit(top + height)};
}

bool Sprite::startCells(const Surface* surface, int32_t characterNumber, int32_t atX, int32_t atY, int32_t mode,
                        bool show) {
    if (!surface || characterNumber < 0 || size_t(characterNumber) >= surface->cellTable().characters.size())
        return false;
    sourceSurface = surface;
    x = atX;
    y = atY;
    cells.clear();
    cellIndex = 0;
    countdown = 0;
    character = characterNumber;
    auto records = surface->cellTable().character(characterNumber);
    cells.assign(records.begin(), records.end());
    playMode = mode;
    start();
    visible = show;
    return true;
}

void Sprite::setCharacter(int32_t characterNumber) {
    cells.clear();
    cellIndex = 0;
    countdown = 0;
    character = characterNumber;
    bool exists = sourceSurface && characterNumber >= 0 &&
                  size_t(characterNumber) < sourceSurface->cellTable().characters.size();
    if (!exists) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", characterNumber);
        std::string name = sourceSurface ? platform::cp932ToUtf8(sourceSurface->name()) : std::string();
        platform::showMessageBox("Sprite CharacterNomber Error",
                                 "SurfaceFileName:" + name + "\n SpriteCharacterNomber :" + number + "\n",
                                 platform::BoxButtons::Ok, platform::BoxIcon::Warning);
        return;
    }
    auto records = sourceSurface->cellTable().character(characterNumber);
    cells.assign(records.begin(), records.end());
    start();
}

void Sprite::setCells(const Surface* surface, int32_t atX, int32_t atY, int32_t mode, bool show,
                      std::vector<CellRecord> records) {
    sourceSurface = surface;
    x = atX;
    y = atY;
    cells = std::move(records);
    cellIndex = 0;
    countdown = 0;
    playMode = mode;
    start();
    visible = show;
}

void Sprite::start() {
    if (isForwardStop(playMode)) cellIndex = 0;
    if (isBackwardStop(playMode)) cellIndex = std::max(0, int32_t(cells.size()) - 1);
    enterCell();
    settle();
}

// Steps on while the countdown is below 1 (cells whose time has already run out).
void Sprite::settle() {
    for (int32_t steps = 0; countdown < 1 && steps < kMaxStepsPerCall; ++steps) {
        if (!step()) break;
        enterCell();
    }
}

void Sprite::enterCell() {
    for (int32_t hops = 0; hops < kMaxCellHops; ++hops) {
        if (cells.empty() || cellIndex < 0 || size_t(cellIndex) >= cells.size()) return;
        const CellRecord& cell = cells[size_t(cellIndex)];
        if (cell.type() == int32_t(CellType::Jump)) {
            cellIndex = cell.words[0];
            continue;
        }
        if (cell.type() == int32_t(CellType::Character)) {
            auto records = sourceSurface ? sourceSurface->cellTable().character(cell.words[0])
                                         : std::span<const CellRecord>{};
            if (records.empty()) return;
            character = cell.words[0];
            cellIndex = 0;
            cells.assign(records.begin(), records.end());
            continue;
        }
        const auto& w = cell.words;
        if (w[5] != 0) playMode = w[5];
        width = w[2];
        height = w[3];
        auto limit = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
        source = Rect{w[0], w[1], limit(int64_t{w[0]} + w[2]), limit(int64_t{w[1]} + w[3])};
        int64_t next = isCarriedOverMode(playMode) ? int64_t{countdown} + w[4] : w[4];
        countdown = int32_t(std::clamp<int64_t>(next, INT32_MIN, INT32_MAX));
        if (cells.size() == 1) countdown = INT32_MAX;
        return;
    }
    countdown = INT32_MAX;  // a loop of jumps: stay where it is
}

bool Sprite::step() {
    int32_t last = int32_t(cells.size()) - 1;
    if (cells.size() < 2) return false;
    if (isForwardWrap(playMode)) {
        cellIndex = cellIndex >= last ? 0 : cellIndex + 1;
    } else if (isBackwardWrap(playMode)) {
        cellIndex = cellIndex <= 0 ? last : cellIndex - 1;
    } else if (isForwardStop(playMode)) {
        if (cellIndex >= last) {
            countdown = INT32_MAX;
            return false;
        }
        ++cellIndex;
    } else if (isBackwardStop(playMode)) {
        if (cellIndex <= 0) {
            countdown = INT32_MAX;
            return false;
        }
        --cellIndex;
    } else {
        return false;
    }
    return true;
}

bool Sprite::animate(int32_t elapsedMs) {
    if (playMode == 0 || playMode == 1 || paused) return false;
    bool due = countdown <= elapsedMs;
    countdown = int32_t(std::max<int64_t>(int64_t{countdown} - elapsedMs, INT32_MIN));
    if (!due) return false;
    settle();
    return true;
}

}  // namespace qeli::graphics
