// The process from start-up to shutdown: the engine's process-wide objects, the start-up order, the
// application window's messages and the shutdown order.
#pragma once

#include <cstdint>
#include <memory>

#include "app/command_line.h"
#include "app/engine_state.h"
#include "app/main_window.h"
#include "app/screenshots.h"
#include "platform/instance_lock.h"
#include "platform/thread.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "script/script_context.h"

namespace qeli::app {

struct Application {
    Application();

    EngineState state;
    saved::SystemData system;
    saved::ReadTextRecord readText;
    script::ScriptContext context;
    classMainWindow gameWindow;
    platform::ThreadObject gameThread;
    std::unique_ptr<platform::InstanceLock> instanceLock;
    std::unique_ptr<Screenshots> screenshots;
};

// Start-up, the main thread's loop and shutdown, in that order; returns the exit code. Needs the
// platform backend installed and the current directory set to the game folder.
int runApplication(Application& application, const CommandLine& commandLine);

// The running application's game window; null outside `runApplication`.
classMainWindow* gameWindow();

// The hidden application window: the game thread's requests to the main thread arrive here.
intptr_t applicationWindowProcedure(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Sends a message to the application window from any thread and waits for its result.
intptr_t sendApplicationMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
// Posts a message to the application window and returns at once.
void postApplicationMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

// The game thread's procedure: prepares each run and runs the scripts until the game ends.
void gameMain(Application& application);

}  // namespace qeli::app
