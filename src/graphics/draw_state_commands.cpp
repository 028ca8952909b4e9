// The draw-stop state: `DrawStop` shows the picture as it is and keeps it while layers change;
// `DrawStart` shows the result. The game waits for the player to see it, which is when a
// screenshot is taken.
#include "graphics/command_support.h"
#include "graphics/graphic_commands.h"
#include "graphics/renderer.h"

namespace qeli::graphics {

namespace {

// TODO: the weather background picture and the transition forced after loading a save made in the
// draw-stop state, once weather effects, transitions and save slots exist.
std::optional<CommandResult> DrawStop(ScriptContext&, int32_t, const Param*) {
    LayerLock lock(layerLock());
    renderer().drawFrame();
    renderer().setDrawStopped(true);
    return std::nullopt;
}

std::optional<CommandResult> DrawStart(ScriptContext& c, int32_t, const Param*) {
    {
        LayerLock lock(layerLock());
        renderer().setDrawStopped(false);
        if (c.layers) c.layers->invalidateAll();
        renderer().drawFrame();
    }
    renderer().pictureShown();
    return std::nullopt;
}

}  // namespace

void registerDrawStateCommands(script::CommandTable& t) {
    t.setHandler("DrawStop", DrawStop);
    t.setHandler("DrawStart", DrawStart);
}

}  // namespace qeli::graphics
