// The game thread: prepares the game, then runs the scripts, again from the start or from the restart
// script for as long as a restart is asked for.
#include "app/application.h"
#include "app/popup_menu.h"
#include "platform/display.h"
#include "platform/window_messages.h"
#include "script/interpreter.h"
#include "script/script_loader.h"

namespace qeli::app {

namespace {

void runOnce(Application& app) {
    EngineState& state = app.state;
    state.restart = 0;
    // TODO: clear auto mode and skip-no-draw; build a fresh layer set with the text window on layers
    // 10 and 11; switch the weather off; when those subsystems exist.
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
    // TODO: seed the Random generator and delete save slot 0 when save slots exist.
    platform::DisplayMode screen = platform::desktopMode();
    app.gameWindow.placeForGame(screen.width, screen.height);
    app.gameWindow.createOnMainThread();
    // TODO: load system.qlg once graphic files exist.
    if (app.state.fullScreen) {
        // The window sets the flag again once it has switched.
        app.state.fullScreen = 0;
        app.gameWindow.send(platform::wm::Command, menu_id::FullScreen);
    }
    app.gameWindow.show(true);
    app.gameWindow.send(platform::wm::Paint);
    do {
        runOnce(app);
    } while (app.state.restart.load() == 1);
    if (app.state.fullScreen) {
        // System.dat records that the game was left in full screen.
        app.gameWindow.send(platform::wm::Command, menu_id::Windowed);
        app.state.fullScreen = 1;
    }
    // Whoever stopped the game early (exit, quit, time limit) has recorded why already.
    app.state.recordEnd(EndReason::Finished);
}

}  // namespace qeli::app
