// Loading graphics into layers, deleting, showing and hiding them, swapping, moving and copying,
// filter layers, transmittance and the colour filters.
#include "graphics/graphic_commands.h"

#include <algorithm>

#include "app/engine_state.h"
#include "graphics/blit.h"
#include "graphics/command_support.h"
#include "graphics/renderer.h"

namespace qeli::graphics {

namespace {

enum class Blend { Plain, Additive, Subtractive };
enum class Defer { Always, TwoParameterForm, Never };

struct LoadForm {
    int32_t layer = 0;
    std::string name;
    std::optional<std::string> alphaName;
    std::optional<std::pair<int32_t, int32_t>> position;
};

// (layer, name), (layer, name, alpha), (layer, name, x, y), (layer, name, alpha, x, y).
std::optional<LoadForm> loadForm(int32_t count, const Param* p) {
    switch (count) {
    case 2: return LoadForm{p[0].value, p[1].str(), std::nullopt, std::nullopt};
    case 3: return LoadForm{p[0].value, p[1].str(), std::string(p[2].str()), std::nullopt};
    case 4: return LoadForm{p[0].value, p[1].str(), std::nullopt, std::pair{p[2].value, p[3].value}};
    case 5: return LoadForm{p[0].value, p[1].str(), std::string(p[2].str()), std::pair{p[3].value, p[4].value}};
    default: return std::nullopt;
    }
}

void loadIntoLayer(ScriptContext& context, int32_t count, const Param* params, bool show, Blend blend, Defer defer) {
    auto form = loadForm(count, params);
    if (!form || !context.layers) return;
    {
        LayerLock lock(layerLock());
        LayerSet& set = *context.layers;
        Layer* layer = set.find(form->layer);
        if (layer) {
            layer->addColour = layer->subtractColour = 0;
            layer->sepia = layer->monochrome = layer->negative = false;
        } else {
            layer = &set.create(form->layer);
        }
        bool deferred = set.drawingSuspended &&
                        (defer == Defer::Always || (defer == Defer::TwoParameterForm && count == 2));
        if (deferred) layer->setNames(form->name, form->alphaName.value_or(""));
        else layer->loadGraphic(form->name, form->alphaName.value_or(""));
        layer->zoomedFor = {};
        layer->rotatedFor = {};
        Surface& g = layer->graphic;
        if (form->alphaName && form->alphaName->empty() && g.hasPixels()) g.setKind(SurfaceKind::ColourKey);
        if (g.kind() == SurfaceKind::Alpha && blend == Blend::Additive) g.setKind(SurfaceKind::Additive);
        if (g.kind() == SurfaceKind::Alpha && blend == Blend::Subtractive) g.setKind(SurfaceKind::Subtractive);
        const auto& plainSprites = context.engine.settings.spriteWithoutGraphicAttribute;
        if (std::find(plainSprites.begin(), plainSprites.end(), form->layer) != plainSprites.end())
            layer->spritesIgnoreTransmittance = true;
        if (form->position) layer->moveTo(form->position->first, form->position->second);
        layer->setVisible(show);
    }
    drawNowUnlessSkipping(context);
}

std::optional<CommandResult> GraphicLoad(ScriptContext& c, int32_t n, const Param* p) {
    loadIntoLayer(c, n, p, true, Blend::Plain, Defer::Always);
    return std::nullopt;
}
std::optional<CommandResult> GraphicLoadHide(ScriptContext& c, int32_t n, const Param* p) {
    loadIntoLayer(c, n, p, false, Blend::Plain, Defer::Always);
    return std::nullopt;
}
std::optional<CommandResult> GraphicLoadADD(ScriptContext& c, int32_t n, const Param* p) {
    loadIntoLayer(c, n, p, true, Blend::Additive, Defer::Never);
    return std::nullopt;
}
std::optional<CommandResult> GraphicLoadHideADD(ScriptContext& c, int32_t n, const Param* p) {
    loadIntoLayer(c, n, p, false, Blend::Additive, Defer::Never);
    return std::nullopt;
}
std::optional<CommandResult> GraphicLoadSUB(ScriptContext& c, int32_t n, const Param* p) {
    loadIntoLayer(c, n, p, true, Blend::Subtractive, Defer::TwoParameterForm);
    return std::nullopt;
}
std::optional<CommandResult> GraphicLoadHideSUB(ScriptContext& c, int32_t n, const Param* p) {
    loadIntoLayer(c, n, p, false, Blend::Subtractive, Defer::Never);
    return std::nullopt;
}

std::optional<CommandResult> GraphicDelete(ScriptContext& c, int32_t n, const Param* p) {
    for (int32_t i = 0; i < n && c.layers; ++i) {
        LayerLock lock(layerLock());
        Layer* layer = c.layers->find(p[i].value);
        if (!layer) continue;
        layer->setVisible(false);
        drawNowUnlessSkipping(c);
        c.layers->remove(p[i].value);
    }
    return std::nullopt;
}

void showLayer(ScriptContext& c, int32_t n, const Param* p, bool show) {
    if (n < 1) return;
    Layer* layer = findLayer(c, p[0].value);
    if (!layer) return;
    layer->setVisible(show);
    drawNowUnlessSkipping(c);
}

std::optional<CommandResult> GraphicShow(ScriptContext& c, int32_t n, const Param* p) {
    showLayer(c, n, p, true);
    return std::nullopt;
}
std::optional<CommandResult> GraphicHide(ScriptContext& c, int32_t n, const Param* p) {
    showLayer(c, n, p, false);
    return std::nullopt;
}

std::optional<CommandResult> GraphicVisible(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 1 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return CommandResult::integer(-1);
    if (n >= 2) {
        layer->setVisible(p[1].value != 0);
        drawNowUnlessSkipping(c);
    }
    return CommandResult::integer(layer->visible ? 1 : 0);
}

std::optional<CommandResult> GraphicRefresh(ScriptContext& c, int32_t, const Param*) {
    // TODO: render every text glyph sprite again once glyph rendering exists.
    if (c.layers) c.layers->invalidateAll();
    drawNowUnlessSkipping(c);
    return std::nullopt;
}

std::optional<CommandResult> GraphicSwap(ScriptContext& c, int32_t n, const Param* p) {
    if (n != 2 || !c.layers) return std::nullopt;
    c.layers->swap(p[0].value, p[1].value);
    drawNowUnlessSkipping(c);
    return std::nullopt;
}

std::optional<CommandResult> GraphicMove(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 3 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    layer->moveTo(p[1].value, p[2].value);
    waitFrameAtEffectLevel(c);
    return std::nullopt;
}

// The source rectangle's pixels replace the destination's for good.
void copyBetweenLayers(ScriptContext& c, const Param* p, int32_t right, int32_t bottom) {
    {
        LayerLock lock(layerLock());
        Layer* destination = findLayer(c, p[0].value);
        Layer* source = findLayer(c, p[3].value);
        if (!destination || !source) return;
        int32_t x = p[1].value, y = p[2].value, left = p[4].value, top = p[5].value;
        blit(destination->graphic, x, y, source->graphic, left, top, right, bottom, 0);
        destination->zoomedFor = {};
        destination->rotatedFor = {};
        c.layers->invalidate(x, y, x + right - left, y + bottom - top);
    }
    waitFrameAtEffectLevel(c);
}

std::optional<CommandResult> GraphicCopy(ScriptContext& c, int32_t n, const Param* p) {
    if (n == 8) copyBetweenLayers(c, p, p[6].value, p[7].value);
    return std::nullopt;
}

std::optional<CommandResult> GraphicCopy2(ScriptContext& c, int32_t n, const Param* p) {
    if (n == 8) copyBetweenLayers(c, p, p[4].value + p[6].value, p[5].value + p[7].value);
    return std::nullopt;
}

std::optional<CommandResult> GraphicFilter(ScriptContext& c, int32_t n, const Param* p) {
    if (n != 2 || !c.layers) return std::nullopt;
    {
        LayerLock lock(layerLock());
        c.layers->remove(p[0].value);
        Layer& layer = c.layers->create(p[0].value);
        layer.visible = true;
        int32_t type = p[1].value;
        layer.graphic.setKind(type >= 1 && type <= 4 ? SurfaceKind(kSepiaLayer - 1 + type) : SurfaceKind::Empty);
        layer.invalidate();
    }
    renderer().waitFrame();
    return std::nullopt;
}

std::optional<CommandResult> GraphicTransmittance(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 2 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    {
        LayerLock lock(layerLock());
        layer->transmittance = p[1].value;
        layer->invalidate();
    }
    renderer().waitFrame();
    return std::nullopt;
}

std::optional<CommandResult> GraphicTransmittanceScroll(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 3 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->transmittanceTarget = p[1].value;
    // A fade of no time is no fade: the target at once (the original divided by zero).
    if (p[2].value <= 0) {
        layer->transmittance = p[1].value;
        layer->transmittanceRate = 0;
        layer->invalidate();
    } else {
        layer->transmittanceRate = (p[1].value - layer->transmittance) / p[2].value;
    }
    return std::nullopt;
}

std::optional<CommandResult> GraphicTransmittanceScrollWait(ScriptContext& c, int32_t n, const Param* p) {
    pollUntil(c, [&] {
        for (int32_t i = 0; i < n; ++i)
            if (Layer* layer = findLayer(c, p[i].value); layer && layer->transmittanceRate != 0) return false;
        return true;
    });
    return std::nullopt;
}

template <typename Apply>
std::optional<CommandResult> setFilter(ScriptContext& c, int32_t n, const Param* p, Apply apply) {
    Layer* layer = n == 2 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    apply(*layer, p[1].value);
    layer->rebuildFilters();
    layer->zoomedFor = {};
    layer->rotatedFor = {};
    layer->invalidate();
    return std::nullopt;
}

std::optional<CommandResult> GraphicAddColor(ScriptContext& c, int32_t n, const Param* p) {
    return setFilter(c, n, p, [](Layer& l, int32_t v) { l.addColour = v; });
}
std::optional<CommandResult> GraphicSubColor(ScriptContext& c, int32_t n, const Param* p) {
    return setFilter(c, n, p, [](Layer& l, int32_t v) { l.subtractColour = v; });
}
std::optional<CommandResult> GraphicSepia(ScriptContext& c, int32_t n, const Param* p) {
    return setFilter(c, n, p, [](Layer& l, int32_t v) { l.sepia = v != 0; });
}
std::optional<CommandResult> GraphicMonochrome(ScriptContext& c, int32_t n, const Param* p) {
    return setFilter(c, n, p, [](Layer& l, int32_t v) { l.monochrome = v != 0; });
}
std::optional<CommandResult> GraphicNegaposi(ScriptContext& c, int32_t n, const Param* p) {
    return setFilter(c, n, p, [](Layer& l, int32_t v) { l.negative = v != 0; });
}

}  // namespace

void registerGraphicCommands(script::CommandTable& t) {
    t.setHandler("GraphicLoad", GraphicLoad);
    t.setHandler("GraphicLoadHide", GraphicLoadHide);
    t.setHandler("GraphicLoadADD", GraphicLoadADD);
    t.setHandler("GraphicLoadHideADD", GraphicLoadHideADD);
    t.setHandler("GraphicLoadSUB", GraphicLoadSUB);
    t.setHandler("GraphicLoadHideSUB", GraphicLoadHideSUB);
    t.setHandler("GraphicDelete", GraphicDelete);
    t.setHandler("GraphicShow", GraphicShow);
    t.setHandler("GraphicHide", GraphicHide);
    t.setHandler("GraphicVisible", GraphicVisible);
    t.setHandler("GraphicRefresh", GraphicRefresh);
    t.setHandler("GraphicSwap", GraphicSwap);
    t.setHandler("GraphicMove", GraphicMove);
    t.setHandler("GraphicCopy", GraphicCopy);
    t.setHandler("GraphicCopy2", GraphicCopy2);
    t.setHandler("GraphicFilter", GraphicFilter);
    t.setHandler("GraphicTransmittance", GraphicTransmittance);
    t.setHandler("GraphicTransmittanceScroll", GraphicTransmittanceScroll);
    t.setHandler("GraphicTransmittanceScrollWait", GraphicTransmittanceScrollWait);
    t.setHandler("GraphicAddColor", GraphicAddColor);
    t.setHandler("GraphicSubColor", GraphicSubColor);
    t.setHandler("GraphicSepia", GraphicSepia);
    t.setHandler("GraphicMonochrome", GraphicMonochrome);
    t.setHandler("GraphicNegaposi", GraphicNegaposi);
}

}  // namespace qeli::graphics
