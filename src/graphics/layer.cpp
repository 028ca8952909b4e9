// A layer's graphic, invalidation, colour filters and sprite slots. The save record is in
// layer_record.cpp, the per-frame advance in layer_set.cpp.
#include "graphics/layer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "graphics/colour_filters.h"
#include "graphics/layer_set.h"
#include "platform/message_box.h"

namespace qeli::graphics {

int32_t truncatedPixel(double value) {
    if (!(value == value)) return 0;
    return int32_t(std::clamp(std::trunc(value), double(INT32_MIN), double(INT32_MAX)));
}

Layer::Layer(LayerSet& set, int32_t layerNumber) : number(layerNumber), m_set(set) {}

bool Layer::loadGraphic(const std::string& name, const std::string& alpha) {
    LayerLock lock(layerLock());
    m_name = name;
    m_alphaName = alpha;
    m_failedDeferredName.clear();
    bool ok = graphic.load(name);
    if (ok && !alpha.empty()) ok = graphic.loadAlpha(alpha);
    return ok;
}

void Layer::setNames(const std::string& name, const std::string& alpha) {
    LayerLock lock(layerLock());
    m_name = name;
    m_alphaName = alpha;
    m_failedDeferredName.clear();
    graphic.clear();
}

bool Layer::loadDeferred() {
    if (m_name.empty() || graphic.hasPixels() || m_name == m_failedDeferredName) return false;
    rebuildFilters();
    if (!graphic.hasPixels()) m_failedDeferredName = m_name;
    return true;
}

bool Layer::isTransformed() const {
    return (zoomed && (zoomX != 1.0 || zoomY != 1.0)) || angle != 0 || waveActive;
}

// A transformed layer may cover any point within the diagonal of its graphic from its position;
// any other layer is assumed to cover the frame.
void Layer::invalidate() {
    LayerLock lock(layerLock());
    if (isTransformed()) {
        double d = std::sqrt(double(graphic.width()) * graphic.width() + double(graphic.height()) * graphic.height());
        m_set.invalidate(truncatedPixel(x), truncatedPixel(y), truncatedPixel(x + d + 1), truncatedPixel(y + d + 1));
    } else {
        m_set.invalidateAll();
    }
    for (const auto& sprite : m_sprites)
        if (sprite->visible && sprite->sourceSurface) invalidateSprite(*sprite);
}

void Layer::invalidateSprite(const Sprite& sprite) {
    Rect r = sprite.frameRect(truncatedPixel(x), truncatedPixel(y));
    m_set.invalidate(r.left, r.top, r.right, r.bottom);
}

void Layer::setVisible(bool show) {
    LayerLock lock(layerLock());
    invalidate();
    visible = show;
    invalidate();
}

void Layer::moveTo(double toX, double toY) {
    LayerLock lock(layerLock());
    invalidate();
    x = toX;
    y = toY;
    invalidate();
}

// Filters always start from the pixels as loaded and apply in one fixed order, whatever order the
// commands that set them came in.
void Layer::rebuildFilters() {
    LayerLock lock(layerLock());
    if (!m_name.empty()) {
        if (graphic.load(m_name) && !m_alphaName.empty()) graphic.loadAlpha(m_alphaName);
    }
    if (addColour != 0 && addColour != -1) graphics::addColour(graphic, uint32_t(addColour));
    if (subtractColour != 0 && subtractColour != -1) graphics::subtractColour(graphic, uint32_t(subtractColour));
    Rect whole{0, 0, graphic.width(), graphic.height()};
    if (sepia) applySepia(graphic, whole);
    if (monochrome) applyMonochrome(graphic, whole);
    if (negative) applyNegative(graphic, whole);
    invalidate();
}

bool Layer::addSprite(std::unique_ptr<Sprite>& sprite) {
    LayerLock lock(layerLock());
    if (m_sprites.size() >= size_t(kMaxSprites)) {
        char text[64];
        std::snprintf(text, sizeof text, "Sprite Out of Limit\n\nGraphicLayerNumber[%d]", number);
        platform::showMessageBox("Sprite Error", text, platform::BoxButtons::Ok, platform::BoxIcon::Error);
        return false;
    }
    // After the last sprite of an equal or lower priority: equal priorities keep their order.
    auto at = std::find_if(m_sprites.begin(), m_sprites.end(),
                           [&](const auto& other) { return other->priority > sprite->priority; });
    sprite->owner = this;
    Sprite& added = **m_sprites.insert(at, std::move(sprite));
    if (added.visible) invalidateSprite(added);
    return true;
}

void Layer::removeSprite(Sprite* sprite) {
    LayerLock lock(layerLock());
    auto it = std::find_if(m_sprites.begin(), m_sprites.end(), [&](const auto& s) { return s.get() == sprite; });
    if (it == m_sprites.end()) return;
    invalidateSprite(**it);
    m_sprites.erase(it);
}

void Layer::removeSpritesFromPage(int32_t page) {
    LayerLock lock(layerLock());
    std::erase_if(m_sprites, [&](const std::unique_ptr<Sprite>& s) {
        if (s->page < page) return false;
        invalidateSprite(*s);
        return true;
    });
}

void Layer::removeAllSprites() {
    LayerLock lock(layerLock());
    for (const auto& sprite : m_sprites) invalidateSprite(*sprite);
    m_sprites.clear();
}

void Layer::withdrawSource(const Surface* surface) {
    for (const auto& sprite : m_sprites)
        if (sprite->sourceSurface == surface) sprite->sourceSurface = nullptr;
}

}  // namespace qeli::graphics
