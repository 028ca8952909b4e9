// Sprites on layers: creating them from another layer's cell table, showing, moving and deleting
// them, and waiting for a one-shot animation.
#include "graphics/command_support.h"
#include "graphics/graphic_commands.h"

namespace qeli::graphics {

namespace {

Sprite* findSprite(Layer& layer, int32_t number) {
    for (const auto& sprite : layer.sprites())
        if (sprite->numberValid && sprite->number == number) return sprite.get();
    return nullptr;
}

void createSprite(ScriptContext& c, int32_t n, const Param* p, bool show) {
    if (n < 6) return;
    LayerLock lock(layerLock());
    Layer* layer = findLayer(c, p[0].value);
    Layer* source = findLayer(c, p[4].value);
    // A source whose picture was dropped (or never loaded while drawing was suspended) loads again.
    if (source && !source->graphicName().empty() && !source->graphic.hasPixels()) source->rebuildFilters();
    if (!layer) return;
    if (Sprite* old = findSprite(*layer, p[1].value)) {
        old->visible = false;
        layer->invalidate();
        layer->removeSprite(old);
    }
    if (!source) return;
    auto sprite = std::make_unique<Sprite>();
    sprite->type = SpriteType::Cell;
    if (!sprite->startCells(&source->graphic, p[5].value, p[2].value, p[3].value, show ? 2 : 0, show)) return;
    sprite->number = p[1].value;
    sprite->numberValid = true;
    Sprite* added = sprite.get();
    if (!layer->addSprite(sprite)) return;
    layer->invalidate();
    if (show) added->visible = true;
}

std::optional<CommandResult> SpriteCreate(ScriptContext& c, int32_t n, const Param* p) {
    createSprite(c, n, p, true);
    return std::nullopt;
}

std::optional<CommandResult> SpriteCreateHide(ScriptContext& c, int32_t n, const Param* p) {
    createSprite(c, n, p, false);
    return std::nullopt;
}

// Runs `change` on the first sprite of that number, under the lock, and redraws the layer.
template <typename Change>
std::optional<CommandResult> changeSprite(ScriptContext& c, int32_t n, const Param* p, int32_t needed, Change change) {
    if (n < needed) return std::nullopt;
    LayerLock lock(layerLock());
    Layer* layer = findLayer(c, p[0].value);
    Sprite* sprite = layer ? findSprite(*layer, p[1].value) : nullptr;
    if (!sprite) return std::nullopt;
    layer->invalidate();
    change(*layer, *sprite);
    layer->invalidate();
    return std::nullopt;
}

std::optional<CommandResult> SpriteShow(ScriptContext& c, int32_t n, const Param* p) {
    return changeSprite(c, n, p, 2, [](Layer&, Sprite& s) { s.visible = true; });
}

std::optional<CommandResult> SpriteHide(ScriptContext& c, int32_t n, const Param* p) {
    return changeSprite(c, n, p, 2, [](Layer&, Sprite& s) { s.visible = false; });
}

std::optional<CommandResult> SpriteMove(ScriptContext& c, int32_t n, const Param* p) {
    int32_t x = n >= 4 ? p[2].value : 0, y = n >= 4 ? p[3].value : 0;
    return changeSprite(c, n, p, 4, [x, y](Layer&, Sprite& s) {
        s.x = x;
        s.y = y;
    });
}

std::optional<CommandResult> SpriteDelete(ScriptContext& c, int32_t n, const Param* p) {
    if (n < 2) return std::nullopt;
    LayerLock lock(layerLock());
    Layer* layer = findLayer(c, p[0].value);
    Sprite* sprite = layer ? findSprite(*layer, p[1].value) : nullptr;
    if (!sprite) return std::nullopt;
    layer->invalidate();
    sprite->visible = false;
    layer->removeSprite(sprite);
    return std::nullopt;
}

std::optional<CommandResult> SpriteIs(ScriptContext& c, int32_t n, const Param* p) {
    if (n < 2) return CommandResult::integer(0);
    LayerLock lock(layerLock());
    Layer* layer = findLayer(c, p[0].value);
    return CommandResult::integer(layer && findSprite(*layer, p[1].value) ? 1 : 0);
}

// Modes 4 and 104 end on the last cell, 5 and 105 on the first. Other modes never end by
// themselves, so the wait returns at once for them; and unlike the original, a wait on a hidden
// sprite still ends when the game is closed, restarted or loaded.
std::optional<CommandResult> SpriteMotionWait(ScriptContext& c, int32_t n, const Param* p) {
    if (n < 2) return std::nullopt;
    constexpr uint32_t kPollMs = 10;
    pollUntil(c, [&] {
        Layer* layer = findLayer(c, p[0].value);
        Sprite* sprite = layer ? findSprite(*layer, p[1].value) : nullptr;
        if (!sprite) return true;
        auto cells = static_cast<int32_t>(sprite->cells.size());
        switch (sprite->playMode) {
        case 4:
        case 104: return sprite->cellIndex >= cells - 1;
        case 5:
        case 105: return sprite->cellIndex <= 0;
        default: return true;
        }
    }, true, kPollMs);
    return std::nullopt;
}

}  // namespace

void registerSpriteCommands(script::CommandTable& t) {
    t.setHandler("SpriteCreate", SpriteCreate);
    t.setHandler("SpriteCreateHide", SpriteCreateHide);
    t.setHandler("SpriteShow", SpriteShow);
    t.setHandler("SpriteHide", SpriteHide);
    t.setHandler("SpriteMove", SpriteMove);
    t.setHandler("SpriteDelete", SpriteDelete);
    t.setHandler("SpriteIs", SpriteIs);
    t.setHandler("SpriteMotionWait", SpriteMotionWait);
}

}  // namespace qeli::graphics
