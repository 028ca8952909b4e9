// The game window on a real display (CTest runs these under xvfb-run): the window shows the frame,
// full screen letterboxes it on the desktop and switching back restores the window, and the popup
// menu is drawn over the picture and reports the chosen item. Skipped without a display.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <thread>

#include "platform/message_box.h"

#include "app/main_window.h"
#include "app/popup_menu.h"
#include "graphics/renderer.h"
#include "platform/backend.h"
#include "platform/game_window.h"
#include "platform/main_thread.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"
#include "support/engine_fixture.h"

namespace qeli::app {
namespace {

namespace wm = platform::wm;

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

// One SDL session serves every test, as one serves a game.
class SdlWindowTest : public testing::EngineTest {
protected:
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY")) s_sdl = platform::makeSdlBackend();
    }
    // SDL runs until the process ends, as in a game: quitting it unloads drivers whose lasting
    // allocations LeakSanitizer then reports without names, so that no suppression can match them.
    static void TearDownTestSuite() { s_keptUntilExit = s_sdl.release(); }

    void SetUp() override {
        if (!s_sdl) GTEST_SKIP() << "no display";
        platform::installBackend(std::move(s_sdl));
        platform::setMainThread();
        window = std::make_unique<classMainWindow>(engine, *context);
        window->placeForGame(640, 480);
        window->createWindow();
        ASSERT_TRUE(window->hasSystemWindow());
        // Left half red, right half blue (colours given as 0x00BBGGRR).
        window->frameSurface.fillRect(0, 0, 320, 480, 0x0000FF);
        window->frameSurface.fillRect(320, 0, 320, 480, 0xFF0000);
        window->show(true);
        window->present();
        pump(300);
    }
    void TearDown() override {
        if (!window) return;
        window->destroyWindow();
        platform::runQueuedMainThreadCalls();
        window.reset();
        s_sdl = platform::uninstallBackend();
        testing::installHeadlessBackend();
    }

    // Runs the main thread's loop for a while: events, queued calls and drawing.
    void pump(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            platform::runQueuedMainThreadCalls();
            SDL_Event wake{};
            wake.type = SDL_USEREVENT;
            SDL_PushEvent(&wake);
            platform::backend().waitForMainThreadEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    static uint32_t at(const platform::Picture& p, int x, int y) { return p.pixels[size_t(y) * size_t(p.width) + size_t(x)]; }

    std::unique_ptr<classMainWindow> window;
    static inline std::unique_ptr<platform::Backend> s_sdl;
    static inline platform::Backend* s_keptUntilExit = nullptr;
};

TEST_F(SdlWindowTest, WindowShowsTheFrame) {
    platform::Picture shown = platform::readGameWindowPixels();
    ASSERT_EQ(shown.width, 640);
    ASSERT_EQ(shown.height, 480);
    EXPECT_EQ(at(shown, 10, 10), kRed);
    EXPECT_EQ(at(shown, 300, 470), kRed);
    EXPECT_EQ(at(shown, 340, 10), kBlue);
    EXPECT_EQ(at(shown, 630, 470), kBlue);
}

// The whole chain: a layer composed by the renderer, copied into the frame, presented in the window.
TEST_F(SdlWindowTest, LayersReachTheWindow) {
    {
        graphics::LayerLock lock(graphics::layerLock());
        graphics::Layer& layer = window->layerSet->create(1);
        layer.graphic.create(100, 100);
        layer.graphic.fill(0x00FF00);
        layer.x = layer.y = 50;
        layer.visible = true;
        window->layerSet->invalidateAll();
        graphics::renderer().drawNow();
    }
    pump(200);
    platform::Picture shown = platform::readGameWindowPixels();
    ASSERT_EQ(shown.width, 640);
    EXPECT_EQ(at(shown, 60, 60), 0x00FF00u);
    EXPECT_EQ(at(shown, 149, 149), 0x00FF00u);
    EXPECT_EQ(at(shown, 10, 10), 0xFFFFFFu) << "no layer there";
    EXPECT_EQ(at(shown, 151, 60), 0xFFFFFFu);
}

TEST_F(SdlWindowTest, FullScreenLetterboxesAndSwitchingBackRestoresTheWindow) {
    window->windowProcedure(wm::SysKeyUp, platform::vk::Return, 0);
    pump(500);
    ASSERT_TRUE(window->fullScreen());
    platform::DisplayMode desktop = platform::desktopMode();
    platform::ClientSize size = platform::gameWindowClientSize();
    EXPECT_EQ(size.width, desktop.width);
    EXPECT_EQ(size.height, desktop.height);
    window->present();
    pump(200);
    platform::Picture shown = platform::readGameWindowPixels();
    ASSERT_EQ(shown.width, desktop.width);
    int32_t left = window->xOffset(), top = window->yOffset();
    EXPECT_TRUE(left > 0 || top > 0) << "the test display is not 4:3";
    if (top > 0) {
        EXPECT_EQ(at(shown, 5, top / 2), 0u) << "black bar above the picture";
    }
    if (left > 0) {
        EXPECT_EQ(at(shown, left / 2, 5), 0u) << "black bar left of the picture";
    }
    EXPECT_EQ(at(shown, left + 10, top + 10), kRed);
    EXPECT_EQ(at(shown, left + window->clientWidth() - 10, top + window->clientHeight() - 10), kBlue);
    GamePoint p = window->mapMousePoint(left + window->clientWidth() / 2, top + window->clientHeight() / 2);
    EXPECT_NEAR(p.x, 320, 1);
    EXPECT_NEAR(p.y, 240, 1);

    window->windowProcedure(wm::SysKeyUp, platform::vk::Return, 0);
    pump(500);
    EXPECT_FALSE(window->fullScreen());
    size = platform::gameWindowClientSize();
    EXPECT_EQ(size.width, 640);
    EXPECT_EQ(size.height, 480);
    shown = platform::readGameWindowPixels();
    ASSERT_EQ(shown.width, 640);
    EXPECT_EQ(at(shown, 10, 10), kRed);
}

TEST_F(SdlWindowTest, RightClickShowsTheMenuOverThePicture) {
    window->windowProcedure(wm::RButtonDown, platform::MK_RBUTTON, platform::makePointParam(40, 40));
    pump(300);
    EXPECT_TRUE(window->menuOpen());
    platform::Picture shown = platform::readGameWindowPixels();
    ASSERT_EQ(shown.width, 640);
    EXPECT_NE(at(shown, 60, 50), kRed) << "the menu covers the picture there";
    EXPECT_EQ(at(shown, 10, 10), kRed) << "the picture is left alone outside the menu";
}

// The player points at the first item (フルスクリーンモード) and clicks it.
TEST_F(SdlWindowTest, ChoosingAMenuItemRunsItsCommand) {
    SDL_Window* shown = nullptr;
    for (Uint32 id = 1; id < 16 && !shown; ++id) shown = SDL_GetWindowFromID(id);
    ASSERT_TRUE(shown);
    window->windowProcedure(wm::RButtonDown, platform::MK_RBUTTON, platform::makePointParam(40, 40));
    pump(200);
    SDL_WarpMouseInWindow(shown, 90, 54);
    pump(200);
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.state = SDL_PRESSED;
    click.button.x = 90;
    click.button.y = 54;
    SDL_PushEvent(&click);
    pump(100);
    click.type = SDL_MOUSEBUTTONUP;
    click.button.state = SDL_RELEASED;
    SDL_PushEvent(&click);
    pump(500);
    EXPECT_FALSE(window->menuOpen());
    EXPECT_TRUE(window->fullScreen());
    window->windowProcedure(wm::Command, menu_id::Windowed, 0);
    pump(300);
}

// The system's boxes cannot be shown on the test display (no fonts for them): the box is drawn in
// the game window, where Enter takes the default button.
TEST_F(SdlWindowTest, BoxesTheSystemCannotShowAreDrawnInTheWindow) {
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.scancode = SDL_SCANCODE_RETURN;
        SDL_PushEvent(&key);
        key.type = SDL_KEYUP;
        SDL_PushEvent(&key);
    });
    auto answer = platform::showMessageBox("確認", "終了します。よろしいですか？", platform::BoxButtons::OkCancel,
                                           platform::BoxIcon::Warning);
    player.join();
    EXPECT_EQ(answer, platform::BoxAnswer::Ok) << "without the box the answer would have been Cancel";
}

}  // namespace
}  // namespace qeli::app
