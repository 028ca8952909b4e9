#include "app/application.h"

#include <cstdio>

#include "app/display_size.h"
#include "app/settings.h"
#include "app/single_instance.h"
#include "files/file_utilities.h"
#include "graphics/renderer.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/file_system.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/window_messages.h"
#include "saved/system_data_file.h"

namespace qeli::app {

namespace {

Application* g_application = nullptr;

std::unique_ptr<platform::InstanceLock> takeSingleInstanceLock() {
    std::string directory = platform::currentDirectory();
    std::string name = singleInstanceName(platform::utf8ToCp932(directory).value_or(directory));
    return platform::InstanceLock::acquire(name);
}

// The first write after reading proves the folder can be written; without it the game would lose
// every global flag the player earns.
bool firstSystemDataWrite(Application& app) {
    if (saved::writeSystemData(app.state, app.system) || app.state.continueWithoutWriting) return true;
    app.instanceLock.reset();
    platform::showMessageBox(
        "SystemFile Write Error",
        "フォルダが存在しないか権限が足りない為書き込み出来ませんでした。\n書き込み権限を持ったユーザーにて実行してください。",
        platform::BoxButtons::Ok, platform::BoxIcon::Error);
    return false;
}

void writeSystemDataWithRetry(Application& app) {
    while (!saved::writeSystemData(app.state, app.system) && !app.state.continueWithoutWriting) {
        platform::MessageBoxRequest request{"ファイルアクセス Error", "ファイル\"System.dat\"に書き込み出来ません",
                                            platform::BoxButtons::RetryCancel, platform::BoxIcon::Warning, true};
        if (platform::showMessageBox(request) != platform::BoxAnswer::Retry) return;
    }
}

// The player chose the folder on the command line: it is created without a question.
void useSaveDirectory(EngineState& state, const std::string& directory) {
    std::string folder = platform::utf8ToCp932(directory).value_or(directory);
    if (folder.empty()) return;
    if (folder.back() != '/' && folder.back() != '\\') folder += '\\';
    if (!files::directoryExists(folder) && !files::createDirectoryPath(folder))
        std::fprintf(stderr, "qeli: cannot create the save folder %s\n", directory.c_str());
    state.saveFolder = folder;
}

void shutdown(Application& app) {
    writeSystemDataWithRetry(app);
    saved::writeAlreadyData(app.state, app.readText);
    // TODO: delete save slot 0 and savedata.--- when save slots exist.
    app.instanceLock.reset();
    app.gameThread.stop();
    graphics::renderer().stop();
    graphics::renderer().setPictureShownHandler({});
    app.gameWindow.destroyOnMainThread();
    // TODO: stop CD audio, release the sound engine, MIDI and the movie player.
}

}  // namespace

Application::Application() : context(script::engineCommandTable(), state, system, readText), gameWindow(state, context) {}

classMainWindow* gameWindow() { return g_application ? &g_application->gameWindow : nullptr; }

int runApplication(Application& app, const CommandLine& commandLine) {
    g_application = &app;
    app.instanceLock = takeSingleInstanceLock();
    if (!app.instanceLock) {
        platform::showMessageBox("２重起動 Error", "同一アプリケーションが既に起動されています",
                                 platform::BoxButtons::Ok, platform::BoxIcon::Warning);
        return 0;
    }
    app.state.playTimeReferenceMs = platform::nowMs();
    readSettingsFile(app.state);
    if (commandLine.saveDirectory) useSaveDirectory(app.state, *commandLine.saveDirectory);
    saved::readSystemData(app.state, app.system);
    saved::readAlreadyData(app.state, app.readText);
    app.state.rendererModeActive = app.state.rendererModeStored;
    if (!firstSystemDataWrite(app)) return 0;

    if (app.state.chosenDisplayWidth == 0 && app.state.chosenDisplayHeight == 0) {
        if (auto mode = autoDisplayMode(platform::displayModes(), app.state.baseWidth, app.state.baseHeight)) {
            app.state.chosenDisplayWidth = mode->width;
            app.state.chosenDisplayHeight = mode->height;
        }
    }
    if (commandLine.windowConfig) {
        app.state.configOnly = 1;
        // TODO: the window-size dialog; until it exists the run ends as if it were cancelled.
        writeSystemDataWithRetry(app);
        return 0;
    }
    computeDisplaySize(app.state);
    fitWindowIntoWorkArea(app.state, platform::windowMetrics());
    // TODO: start the sound engine.
    graphics::renderer().start();
    if (commandLine.screenshotDirectory) {
        app.screenshots = std::make_unique<Screenshots>(*commandLine.screenshotDirectory);
        graphics::renderer().setPictureShownHandler([&app] {
            graphics::LayerLock lock(graphics::layerLock());
            app.screenshots->take(app.gameWindow.frameSurface);
        });
    }
    platform::DisplayMode desktop = platform::desktopMode();
    app.state.desktopBitsPerPixel = desktop.bitsPerPixel;
    app.state.desktopWidth = desktop.width;
    app.state.desktopHeight = desktop.height;

    app.gameThread.start([&app](platform::ThreadObject&) {
        gameMain(app);
        postApplicationMessage(platform::wm::Destroy);
    });
    int exitCode = platform::runMainLoop();
    shutdown(app);
    g_application = nullptr;
    return exitCode;
}

intptr_t applicationWindowProcedure(uint32_t message, uintptr_t, intptr_t lParam) {
    // Without a running application (a command run on its own) there is no window to receive it.
    if (!g_application) return 0;
    Application& app = *g_application;
    switch (message) {
    case platform::MSG_WINDOW_CREATE: reinterpret_cast<classWindow*>(lParam)->createWindow(); return 0;
    case platform::MSG_WINDOW_DESTROY: reinterpret_cast<classWindow*>(lParam)->destroyWindow(); return 0;
    case platform::MSG_SYSTEM_DATA_WRITE: return saved::writeSystemData(app.state, app.system) ? 1 : 0;
    case platform::MSG_ALREADY_DATA_WRITE: return saved::writeAlreadyData(app.state, app.readText) ? 1 : 0;
    case platform::wm::Destroy:
        // The game thread has ended its scripts: save what the player earned and leave the loop.
        saved::writeSystemData(app.state, app.system);
        saved::writeAlreadyData(app.state, app.readText);
        app.state.quit = 1;
        platform::quitMainLoop(0);
        return 0;
    default: return 0;
    }
}

intptr_t sendApplicationMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return platform::runOnMainThread([=] { return applicationWindowProcedure(message, wParam, lParam); });
}

void postApplicationMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    platform::postToMainThread([=] { applicationWindowProcedure(message, wParam, lParam); });
}

}  // namespace qeli::app
