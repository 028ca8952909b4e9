// The layer record of a save slot: 304 bytes, then the graphic and alpha names, glyph texts, cell
// records and one 120-byte record per sprite. Offsets in the records are offsets in the whole file.
// The record is kept in the layer between a restore and the next save, so bytes this version does
// not interpret survive a round trip.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "files/byte_reader.h"
#include "graphics/layer.h"
#include "graphics/layer_set.h"

namespace qeli::graphics {

namespace {

constexpr uint32_t kSpriteRecordSize = 120;

void setU32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}
void setI32(uint8_t* at, int32_t v) { setU32(at, uint32_t(v)); }
void setF64(uint8_t* at, double v) { std::memcpy(at, &v, 8); }

int32_t getI32(const uint8_t* at) {
    return int32_t(uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24);
}
double getF64(const uint8_t* at) {
    double v;
    std::memcpy(&v, at, 8);
    return std::isfinite(v) ? v : 0.0;
}

// Appends a name with its terminating zero; gives its offset and stored length (0 and 0 if empty).
std::pair<uint32_t, uint32_t> appendString(std::vector<uint8_t>& file, const std::string& text) {
    if (text.empty()) return {0, 0};
    uint32_t offset = uint32_t(file.size());
    file.insert(file.end(), text.begin(), text.end());
    file.push_back(0);
    return {offset, uint32_t(text.size() + 1)};
}

// The text before the first zero of a stored string, if the string lies within the file.
std::string readString(std::span<const uint8_t> file, int32_t offset, int32_t length) {
    if (offset == 0 || length <= 0) return {};
    auto bytes = files::ByteReader(file).at(offset, length);
    if (!bytes) return {};
    auto end = std::find(bytes->begin(), bytes->end(), uint8_t(0));
    return std::string(bytes->begin(), end);
}

bool isGlyph(SpriteType type) {
    return type == SpriteType::Glyph || type == SpriteType::FontGlyph || type == SpriteType::GraphicFontGlyph;
}

void writeSpriteRecord(uint8_t* r, const Sprite& s, int32_t sourceLayer, uint32_t blockOffset, uint32_t blockSize) {
    setU32(r + 0, kSpriteRecordSize);
    setI32(r + 8, int32_t(s.type));
    r[12] = s.visible;
    int32_t words[] = {s.x, s.y, s.width, s.height, s.source.left, s.source.top, s.source.right, s.source.bottom,
                       s.countdown, sourceLayer, s.playMode};
    for (size_t i = 0; i < std::size(words); ++i) setI32(r + 16 + 4 * i, words[i]);
    r[60] = uint8_t(s.characterCode);
    r[61] = uint8_t(s.characterCode >> 8);
    setI32(r + 64, s.textAttributes[0]);
    setI32(r + 68, s.textAttributes[1]);
    setI32(r + 72, s.character);
    setI32(r + 76, s.cellIndex);
    setI32(r + 80, s.page);
    setI32(r + 92, s.number);
    r[96] = s.numberValid;
    for (int i = 0; i < 3; ++i) setI32(r + 100 + 4 * i, s.textAttributes[2 + i]);
    setU32(r + 112, blockOffset);
    setU32(r + 116, blockSize);
}

}  // namespace

void Layer::saveTo(std::vector<uint8_t>& file) {
    uint8_t* m = m_saveMirror.data();
    size_t start = file.size();
    file.resize(start + kLayerRecordSize);
    auto [nameOffset, nameLength] = appendString(file, m_name);
    auto [alphaOffset, alphaLength] = appendString(file, m_alphaName);
    std::vector<std::pair<uint32_t, uint32_t>> blocks(m_sprites.size(), {0, 0});
    for (size_t i = 0; i < m_sprites.size(); ++i)
        if (isGlyph(m_sprites[i]->type)) blocks[i] = appendString(file, m_sprites[i]->text);
    for (size_t i = 0; i < m_sprites.size(); ++i) {
        const auto& cells = m_sprites[i]->cells;
        if (cells.empty()) continue;
        std::vector<uint8_t> bytes = encodeCellTable(cells);
        blocks[i] = {uint32_t(file.size()), uint32_t(bytes.size())};
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    uint32_t firstSprite = uint32_t(file.size());
    for (size_t i = 0; i < m_sprites.size(); ++i) {
        const Sprite& s = *m_sprites[i];
        size_t at = file.size();
        file.resize(at + kSpriteRecordSize, 0);
        writeSpriteRecord(file.data() + at, s, m_set.layerNumberOf(s.sourceSurface), blocks[i].first, blocks[i].second);
    }

    setU32(m + 0, kLayerRecordSize);
    setU32(m + 4, uint32_t(file.size()));
    int32_t head[] = {number, int32_t(graphic.kind()), textLayout[0], textLayout[1], textLayout[2], textLayout[3],
                      truncatedPixel(x), truncatedPixel(y)};
    for (size_t i = 0; i < std::size(head); ++i) setI32(m + 8 + 4 * i, head[i]);
    m[40] = visible;
    int32_t text[] = {fontNumber, textColour, cursorX, cursorY, textRect.left, textRect.top, textRect.right,
                      textRect.bottom, textWords[0], textWords[1], textWords[2], 0};
    for (size_t i = 0; i < std::size(text); ++i) setI32(m + 44 + 4 * i, text[i]);
    uint32_t offsets[] = {nameOffset, nameLength, alphaOffset, alphaLength, firstSprite, uint32_t(m_sprites.size())};
    for (size_t i = 0; i < std::size(offsets); ++i) setU32(m + 92 + 4 * i, offsets[i]);
    setI32(m + 116, truncatedPixel(transmittanceRate != 0 ? transmittanceTarget : transmittance));
    m[120] = textByte;
    setI32(m + 124, textWord);
    setI32(m + 128, textExtraColours[0]);
    setI32(m + 132, textExtraColours[1]);
    setI32(m + 136, scrollState);
    setI32(m + 140, 0);
    setF64(m + 144, scrollVelocityX);
    setF64(m + 152, scrollVelocityY);
    m[160] = zoomed;
    setF64(m + 168, zoomX);
    setF64(m + 176, zoomY);
    setI32(m + 184, zoomCentreX);
    setI32(m + 188, zoomCentreY);
    m[192] = zoomScrolling;
    double zooms[] = {zoomRateX, zoomRateY, zoomTargetX, zoomTargetY, angle};
    for (size_t i = 0; i < std::size(zooms); ++i) setF64(m + 200 + 8 * i, zooms[i]);
    setI32(m + 240, rotationCentreX);
    setI32(m + 244, rotationCentreY);
    setI32(m + 248, rotationMode);
    setF64(m + 256, rotationRate);
    int32_t tail[] = {rotationTarget, originX, originY};
    for (size_t i = 0; i < std::size(tail); ++i) setI32(m + 264 + 4 * i, tail[i]);
    m[276] = textWithoutWait;
    m[277] = waveActive;
    setI32(m + 280, waveAmplitude);
    setI32(m + 284, waveHalfWaves);
    setI32(m + 288, wavePeriod);
    setI32(m + 292, addColour);
    setI32(m + 296, subtractColour);
    m[300] = sepia;
    m[301] = monochrome;
    m[302] = negative;
    std::copy(m_saveMirror.begin(), m_saveMirror.end(), file.begin() + long(start));
}

namespace {

// One saved sprite; nothing for an empty slot or a record outside the file.
std::unique_ptr<Sprite> readSprite(std::span<const uint8_t> file, size_t offset, LayerSet& set, Layer& self) {
    auto record = files::ByteReader(file).at(int64_t(offset), kSpriteRecordSize);
    if (!record) return nullptr;
    const uint8_t* r = record->data();
    auto type = SpriteType(getI32(r + 8));
    if (type == SpriteType::None) return nullptr;
    auto sprite = std::make_unique<Sprite>();
    sprite->type = type;
    sprite->visible = r[12] != 0;
    sprite->x = getI32(r + 16);
    sprite->y = getI32(r + 20);
    sprite->width = getI32(r + 24);
    sprite->height = getI32(r + 28);
    sprite->source = {getI32(r + 32), getI32(r + 36), getI32(r + 40), getI32(r + 44)};
    sprite->countdown = getI32(r + 48);
    sprite->playMode = getI32(r + 56);
    sprite->characterCode = uint16_t(r[60] | r[61] << 8);
    sprite->textAttributes[0] = getI32(r + 64);
    sprite->textAttributes[1] = getI32(r + 68);
    sprite->character = getI32(r + 72);
    sprite->cellIndex = getI32(r + 76);
    sprite->page = getI32(r + 80);
    sprite->number = getI32(r + 92);
    sprite->numberValid = r[96] != 0;
    for (int i = 0; i < 3; ++i) sprite->textAttributes[2 + i] = getI32(r + 100 + 4 * i);
    int32_t blockOffset = getI32(r + 112), blockSize = getI32(r + 116);
    if (isGlyph(type)) {
        // TODO: glyph sprites get their surfaces again from the text renderer, not built yet.
        sprite->text = readString(file, blockOffset, blockSize);
    } else if (blockOffset != 0 && blockSize > 0) {
        if (auto block = files::ByteReader(file).at(blockOffset, blockSize)) sprite->cells = parseCellTable(*block).records;
    }
    if (type == SpriteType::Cell) {
        int32_t sourceLayer = getI32(r + 52);
        if (sourceLayer == self.number) sprite->sourceSurface = &self.graphic;
        else if (sourceLayer != -1) {
            Layer* layer = set.find(sourceLayer);
            sprite->sourceSurface = &(layer ? *layer : set.create(sourceLayer)).graphic;
        }
    }
    return sprite;
}

}  // namespace

bool Layer::restoreFrom(std::span<const uint8_t> file, size_t offset) {
    LayerLock lock(layerLock());
    files::ByteReader reader(file);
    if (!reader.seek(offset)) return false;
    uint32_t size = std::min<uint32_t>(reader.u32(), kLayerRecordSize);
    auto record = reader.at(int64_t(offset), size);
    if (reader.failed() || !record) return false;
    m_saveMirror.fill(0);
    std::copy(record->begin(), record->end(), m_saveMirror.begin());
    const uint8_t* m = m_saveMirror.data();

    for (size_t i = 0; i < 4; ++i) textLayout[i] = getI32(m + 16 + 4 * i);
    x = getI32(m + 32);
    y = getI32(m + 36);
    visible = m[40] != 0;
    fontNumber = getI32(m + 44);
    textColour = getI32(m + 48);
    cursorX = getI32(m + 52);
    cursorY = getI32(m + 56);
    textRect = {getI32(m + 60), getI32(m + 64), getI32(m + 68), getI32(m + 72)};
    for (size_t i = 0; i < 3; ++i) textWords[i] = getI32(m + 76 + 4 * i);
    transmittance = transmittanceTarget = std::clamp(getI32(m + 116), 0, 1000);
    transparency = int32_t(transmittance * 0.255);
    transmittanceRate = 0;
    textByte = m[120];
    textWord = getI32(m + 124);
    textExtraColours = {getI32(m + 128), getI32(m + 132)};
    scrollState = getI32(m + 136);
    scrollVelocityX = getF64(m + 144);
    scrollVelocityY = getF64(m + 152);
    zoomed = m[160] != 0;
    zoomX = getF64(m + 168);
    zoomY = getF64(m + 176);
    zoomCentreX = getI32(m + 184);
    zoomCentreY = getI32(m + 188);
    zoomScrolling = m[192] != 0;
    zoomRateX = getF64(m + 200);
    zoomRateY = getF64(m + 208);
    zoomTargetX = getF64(m + 216);
    zoomTargetY = getF64(m + 224);
    angle = getF64(m + 232);
    rotationCentreX = getI32(m + 240);
    rotationCentreY = getI32(m + 244);
    rotationMode = getI32(m + 248);
    rotationRate = getF64(m + 256);
    rotationTarget = getI32(m + 264);
    originX = getI32(m + 268);
    originY = getI32(m + 272);
    textWithoutWait = m[276] != 0;
    waveActive = m[277] != 0;
    waveAmplitude = getI32(m + 280);
    waveHalfWaves = getI32(m + 284);
    wavePeriod = getI32(m + 288);
    wavePhase = waveBlendTime = waveAmplitudeRate = 0;
    addColour = getI32(m + 292);
    subtractColour = getI32(m + 296);
    sepia = m[300] != 0;
    monochrome = m[301] != 0;
    negative = m[302] != 0;
    zoomedCopy.clear();
    rotatedCopy.clear();

    // The graphic is reloaded through the filters, which start from the file's pixels.
    m_name = readString(file, getI32(m + 92), getI32(m + 96));
    m_alphaName = readString(file, getI32(m + 100), getI32(m + 104));
    m_failedDeferredName.clear();
    rebuildFilters();
    int32_t kind = getI32(m + 12);
    bool drawnKind = kind == int32_t(SurfaceKind::Additive) || kind == int32_t(SurfaceKind::Subtractive);
    if ((drawnKind && graphic.hasAlphaImage()) || (kind >= kSepiaLayer && kind <= kPlainFilterLayer))
        graphic.setKind(SurfaceKind(kind));

    removeAllSprites();
    int64_t first = getI32(m + 108), count = std::clamp(getI32(m + 112), 0, kMaxSprites);
    for (int64_t i = 0; i < count; ++i) {
        auto sprite = readSprite(file, size_t(first + i * kSpriteRecordSize), m_set, *this);
        if (sprite) addSprite(sprite);
    }
    return true;
}

}  // namespace qeli::graphics
