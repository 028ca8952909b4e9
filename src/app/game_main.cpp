// The game thread: prepares the game, then runs the scripts, again from the start or from the restart
// script for as long as a restart is asked for.
#include "app/application.h"
#include "platform/clock.h"
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
    app.context.random.seed(platform::nowMs());
    // TODO: delete save slot 0, create and show the game window, load system.qlg and enter full
    // screen, when those subsystems exist.
    do {
        runOnce(app);
    } while (app.state.restart.load() == 1);
    // Whoever stopped the game early (exit, quit, time limit) has recorded why already.
    app.state.recordEnd(EndReason::Finished);
}

}  // namespace qeli::app
