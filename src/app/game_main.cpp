// The game thread: prepares the game, then runs the scripts, again from the start or from the restart
// script for as long as a restart is asked for.
#include "app/application.h"
#include "app/popup_menu.h"
#include "graphics/layer_set.h"
#include "graphics/renderer.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/window_messages.h"
#include "script/interpreter.h"
#include "script/script_loader.h"

namespace qeli::app {

namespace {

// A fresh layer set with the default text window on layer 10 and layer 11 above it.
void freshLayerSet(Application& app) {
    auto set = std::make_unique<graphics::LayerSet>(app.state.baseWidth, app.state.baseHeight);
    set->effectLevel = app.state.effectLevel;
    graphics::renderer().setEffectLevel(app.state.effectLevel);
    graphics::Layer& text = set->create(10);
    text.x = 24.0;
    text.y = 382.0;
    text.textRect = {10, 5, 586, 78};
    text.cursorX = text.previousCursorX = 10;
    text.cursorY = text.previousCursorY = 5;
    text.visible = true;
    set->create(11).visible = true;
    graphics::LayerLock lock(graphics::layerLock());
    app.context.layers = set.get();
    graphics::renderer().setLayerSet(set.get());
    app.gameWindow.layerSet = std::move(set);
}

void runOnce(Application& app) {
    EngineState& state = app.state;
    state.restart = 0;
    state.autoMode = 0;
    freshLayerSet(app);
    // TODO: clear skip-no-draw, add layer 10 to the text-window group and switch the weather off
    // when those subsystems exist.
    std::string first = "start.qls";
    if (state.restartScriptName) {
        first = std::move(*state.restartScriptName);
        state.restartScriptName.reset();
    }
    script::loadScript(app.context, first);
    script::run(app.context);
}

}  // namespace

void gameMain(Application& app) {
    app.context.random.seed(platform::nowMs());
    // TODO: delete save slot 0 when save slots exist.
    platform::DisplayMode screen = platform::desktopMode();
    app.gameWindow.placeForGame(screen.width, screen.height);
    app.gameWindow.createOnMainThread();
    // TODO: load system.qlg (the key-wait icon and the other system pictures) with its first user.
    if (app.state.fullScreen) {
        // The window sets the flag again once it has switched.
        app.state.fullScreen = 0;
        app.gameWindow.send(platform::wm::Command, menu_id::FullScreen);
    }
    app.gameWindow.show(true);
    {
        graphics::LayerLock lock(graphics::layerLock());
        if (app.gameWindow.layerSet) app.gameWindow.layerSet->invalidateAll();
        graphics::renderer().drawNow();
    }
    do {
        runOnce(app);
    } while (app.state.restart.load() == 1);
    // The last picture of the run, for the screenshots of tests.
    graphics::renderer().pictureShown();
    if (app.state.fullScreen) {
        // System.dat records that the game was left in full screen.
        app.gameWindow.send(platform::wm::Command, menu_id::Windowed);
        app.state.fullScreen = 1;
    }
    {
        graphics::LayerLock lock(graphics::layerLock());
        app.context.layers = nullptr;
    }
    // Whoever stopped the game early (exit, quit, time limit) has recorded why already.
    app.state.recordEnd(EndReason::Finished);
}

}  // namespace qeli::app
