// The game window's own logic with the headless backend: menu marks and commands, input counting,
// hooks, the close question, full screen and its letterbox, resizing, the cursor's auto-hide and the
// slot entries of the Save and Load menus.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "app/main_window.h"
#include "app/popup_menu.h"
#include "app/window_geometry.h"
#include "platform/clock.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"
#include "support/engine_fixture.h"

namespace qeli::app {
namespace {

namespace wm = platform::wm;

class RecordingHook : public classWindowMessageHook {
public:
    intptr_t messageHandler(uint32_t message, uintptr_t, intptr_t) override {
        messages.push_back(message);
        return 0;
    }
    std::vector<uint32_t> messages;
};

class GameWindowTest : public testing::EngineTest {
protected:
    GameWindowTest() {
        testing::installHeadlessBackend();
        platform::clearShownMessageBoxes();
        window = std::make_unique<classMainWindow>(engine, *context);
        window->placeForGame(1920, 1080);
        window->createWindow();
    }
    ~GameWindowTest() override {
        window->destroyWindow();
        platform::runQueuedMainThreadCalls();
    }

    intptr_t send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        intptr_t result = window->windowProcedure(message, wParam, lParam);
        platform::runQueuedMainThreadCalls();
        return result;
    }
    const platform::MenuItem& item(uint32_t id) {
        send(wm::InitMenuPopup);
        const platform::MenuItem* found = platform::findMenuItem(window->popupMenu(), id);
        EXPECT_TRUE(found) << id;
        return *found;
    }

    std::unique_ptr<classMainWindow> window;
};

constexpr intptr_t kKeyRepeat = intptr_t{1} << 30;

TEST_F(GameWindowTest, MenuMarksFollowTheStateAndCommandsChangeIt) {
    send(wm::Command, menu_id::TextFast);
    EXPECT_EQ(engine.textSpeed, 1);
    EXPECT_TRUE(item(menu_id::TextFast).checked);
    EXPECT_FALSE(item(menu_id::TextNormal).checked);
    // A speed the menu does not offer checks the range it falls in.
    engine.textSpeed = 45;
    EXPECT_TRUE(item(menu_id::TextNormal).checked);
    engine.textSpeed = 0;
    EXPECT_TRUE(item(menu_id::TextNoWait).checked);

    send(wm::Command, menu_id::EffectSpeed);
    EXPECT_EQ(engine.effectLevel, 0);
    EXPECT_TRUE(item(menu_id::EffectSpeed).checked);
    send(wm::Command, menu_id::TransitionOff);
    EXPECT_EQ(engine.transitionSkip, 1);
    EXPECT_TRUE(item(menu_id::TransitionOff).checked);
    EXPECT_FALSE(item(menu_id::TransitionOn).checked);

    // Saving and loading are off until the game allows them; skipping needs a skip level.
    EXPECT_TRUE(item(menu_id::Save).greyed);
    EXPECT_TRUE(item(menu_id::Load).greyed);
    EXPECT_TRUE(item(menu_id::Skip).greyed);
    engine.saveEnable = 1;
    EXPECT_FALSE(item(menu_id::Save).greyed);
    EXPECT_TRUE(item(menu_id::Windowed).checked);
    EXPECT_FALSE(item(menu_id::FullScreen).checked);
}

TEST_F(GameWindowTest, ModeCommandsToggleAndEndTheRunningWait) {
    RecordingHook hook;
    ASSERT_TRUE(window->addHook(&hook));
    send(wm::Command, menu_id::AutoPlay);
    EXPECT_EQ(engine.autoMode, 1);
    EXPECT_EQ(hook.messages, std::vector<uint32_t>{wm::Destroy});
    send(wm::Command, menu_id::AutoPlay);
    EXPECT_EQ(engine.autoMode, 0);

    platform::queueMessageBoxAnswer(platform::BoxAnswer::Cancel);
    send(wm::Command, menu_id::ReturnToTitle);
    EXPECT_EQ(engine.restart, 0);
    send(wm::Command, menu_id::ReturnToTitle);  // unanswered: the headless policy gives up
    EXPECT_EQ(engine.restart, 0);
    platform::queueMessageBoxAnswer(platform::BoxAnswer::Ok);
    send(wm::Command, menu_id::ReturnToTitle);
    EXPECT_EQ(engine.restart, 1);
    // Sent by the game with lParam set: no question.
    engine.restart = 0;
    size_t boxes = platform::shownMessageBoxes().size();
    send(wm::Command, menu_id::ReturnToTitle, 1);
    EXPECT_EQ(engine.restart, 1);
    EXPECT_EQ(platform::shownMessageBoxes().size(), boxes);
    EXPECT_EQ(platform::shownMessageBoxes().back().request.text, "タイトルへ戻りますか？");
    window->removeHook(&hook);
}

TEST_F(GameWindowTest, LoadFromTheMenuAsksAndRequestsTheSlot) {
    send(wm::Command, menu_id::LoadSlotFirst + 2);
    EXPECT_TRUE(platform::shownMessageBoxes().empty()) << "loading is disabled";
    engine.loadEnable = 1;
    platform::queueMessageBoxAnswer(platform::BoxAnswer::Ok);
    send(wm::Command, menu_id::LoadSlotFirst + 2);
    EXPECT_EQ(platform::shownMessageBoxes().back().request.text, "ロードします。よろしいですか？");
    EXPECT_EQ(engine.loadRequest, 1);
    EXPECT_EQ(engine.loadSlot, 3);
}

TEST_F(GameWindowTest, KeysAndButtonsAreCounted) {
    engine.skipKeys = {platform::vk::KeyA + 18};  // 'S'
    RecordingHook hook;
    window->addHook(&hook);
    send(wm::KeyDown, platform::vk::Return, 0);
    send(wm::KeyDown, platform::vk::Return, kKeyRepeat);
    send(wm::KeyDown, platform::vk::Return, 0);  // still held: the mark was not cleared
    EXPECT_EQ(window->input.decidePresses, 1u);
    send(wm::KeyUp, platform::vk::Return, 0);
    send(wm::KeyDown, platform::vk::Return, 0);
    EXPECT_EQ(window->input.decidePresses, 2u);
    send(wm::KeyDown, platform::vk::Space, 0);
    EXPECT_EQ(window->input.windowErasePresses, 1u);

    hook.messages.clear();
    send(wm::KeyDown, platform::vk::KeyA + 18, 0);
    EXPECT_EQ(engine.skipMode, 1);
    EXPECT_EQ(hook.messages.front(), wm::Destroy) << "abort notice first, then the key itself";

    send(wm::LButtonDown, platform::MK_LBUTTON, platform::makePointParam(5, 5));
    EXPECT_TRUE(window->input.leftDown);
    send(wm::LButtonUp, 0, platform::makePointParam(5, 5));
    EXPECT_FALSE(window->input.leftDown);
    EXPECT_EQ(window->input.leftPresses, 1u);
    send(wm::MouseWheel, uintptr_t(uint16_t(int16_t(-240))) << 16, 0);
    send(wm::MouseWheel, uintptr_t(120) << 16, 0);
    EXPECT_EQ(window->input.wheelTotal, -1);
    window->removeHook(&hook);
}

TEST_F(GameWindowTest, HookListHoldsSixteenAndRemovalIsAnnounced) {
    std::vector<RecordingHook> hooks(17);
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(window->addHook(&hooks[i]));
    EXPECT_FALSE(window->addHook(&hooks[16])) << "no free entry";
    EXPECT_FALSE(window->addHook(&hooks[3])) << "already present";
    EXPECT_TRUE(window->removeHook(&hooks[3]));
    EXPECT_FALSE(window->removeHook(&hooks[3]));
    EXPECT_TRUE(window->addHook(&hooks[16])) << "the freed entry is reused";
    platform::runQueuedMainThreadCalls();
    EXPECT_EQ(hooks[0].messages, std::vector<uint32_t>{platform::MSG_HOOK_REMOVED});
    hooks[5].busy = true;
    EXPECT_TRUE(window->anyHookBusy());
    for (auto& hook : hooks) window->removeHook(&hook);
}

TEST_F(GameWindowTest, EscapeAsksBeforeClosing) {
    platform::queueMessageBoxAnswer(platform::BoxAnswer::Cancel);
    send(wm::KeyDown, platform::vk::Escape, 0);
    ASSERT_EQ(platform::shownMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::shownMessageBoxes()[0].request.caption, "確認");
    EXPECT_EQ(platform::shownMessageBoxes()[0].request.text, "終了します。よろしいですか？");
    EXPECT_FALSE(window->destroyed());
    EXPECT_EQ(engine.scriptExit, 0);

    platform::queueMessageBoxAnswer(platform::BoxAnswer::Ok);
    send(wm::KeyDown, platform::vk::Escape, 0);
    EXPECT_TRUE(window->destroyed());
    EXPECT_EQ(engine.scriptExit, 1);
    EXPECT_EQ(engine.ended(), EndReason::Quit);
}

TEST_F(GameWindowTest, AltEnterLetterboxesOnTheDesktopAndRestoresTheWindow) {
    send(wm::Size, 0, platform::makePointParam(800, 500));  // the player widened the window
    ASSERT_EQ(window->clientWidth(), 800);
    ASSERT_EQ(window->clientHeight(), 600);
    send(wm::SysKeyUp, platform::vk::Return, 0);
    ASSERT_TRUE(window->fullScreen());
    EXPECT_EQ(engine.fullScreen, 1);
    // 640 x 480 on the headless 1920 x 1080 desktop: factor 2.25, pillarboxed.
    EXPECT_EQ(window->clientWidth(), 1440);
    EXPECT_EQ(window->clientHeight(), 1080);
    EXPECT_EQ(window->xOffset(), 240);
    EXPECT_EQ(window->yOffset(), 0);
    GamePoint p = window->mapMousePoint(240 + 225, 450);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 200);

    RecordingHook movie;
    movie.busy = true;
    window->addHook(&movie);
    send(wm::SysKeyUp, platform::vk::Return, 0);
    EXPECT_TRUE(window->fullScreen()) << "a busy hook keeps the mode";
    send(wm::InitMenuPopup);
    EXPECT_TRUE(platform::findMenuItem(window->popupMenu(), menu_id::Windowed)->greyed);
    window->removeHook(&movie);

    send(wm::Command, menu_id::Windowed);
    EXPECT_FALSE(window->fullScreen());
    EXPECT_EQ(window->clientWidth(), 800);
    EXPECT_EQ(window->clientHeight(), 600);
    EXPECT_EQ(window->xOffset(), 0);
    EXPECT_EQ(window->mapMousePoint(400, 300).x, 320);
}

TEST(WindowGeometry, LetterboxAndAspectKeptSizes) {
    struct Case {
        int baseW, baseH, screenW, screenH;
        PictureArea expected;
    };
    const Case letterboxes[] = {
        {640, 480, 1920, 1080, {240, 0, 1440, 1080}},
        {640, 480, 1280, 1024, {0, 32, 1280, 960}},
        {800, 600, 800, 600, {0, 0, 800, 600}},
        {1280, 720, 1024, 768, {0, 96, 1024, 576}},
    };
    for (const Case& c : letterboxes) {
        PictureArea a = letterbox(c.baseW, c.baseH, c.screenW, c.screenH);
        EXPECT_EQ(a.x, c.expected.x);
        EXPECT_EQ(a.y, c.expected.y);
        EXPECT_EQ(a.width, c.expected.width);
        EXPECT_EQ(a.height, c.expected.height);
    }
    // Dragging the bottom-right corner: the width leads. Dragging the bottom edge: the height leads.
    PictureArea corner = keepAspect(640, 480, 640, 480, 960, 700);
    EXPECT_EQ(corner.width, 960);
    EXPECT_EQ(corner.height, 720);
    PictureArea edge = keepAspect(640, 480, 640, 480, 640, 600);
    EXPECT_EQ(edge.width, 800);
    EXPECT_EQ(edge.height, 600);
}

TEST_F(GameWindowTest, CursorHidesAfterTheAutoHideTimeAndReturnsOnMovement) {
    engine.cursorAutoHideMs = 3000;
    send(wm::MouseMove, 0, platform::makePointParam(10, 10));
    platform::sleepMs(2900);
    platform::runQueuedMainThreadCalls();
    EXPECT_FALSE(window->cursorHidden());
    platform::sleepMs(200);
    platform::runQueuedMainThreadCalls();
    platform::runQueuedMainThreadCalls();
    EXPECT_TRUE(window->cursorHidden());
    send(wm::MouseMove, 0, platform::makePointParam(12, 10));
    platform::runQueuedMainThreadCalls();
    EXPECT_FALSE(window->cursorHidden());
}

TEST_F(GameWindowTest, SlotEntriesFollowTheSaveFolder) {
    auto entryText = [&](uint32_t id) { return platform::findMenuItem(window->popupMenu(), id)->text; };
    EXPECT_EQ(entryText(menu_id::SaveSlotFirst + 1), "02: ---------------------------------------- ");
    EXPECT_TRUE(platform::findMenuItem(window->popupMenu(), menu_id::LoadSlotFirst + 1)->greyed);

    std::ofstream(folder.file("savedata.002")) << "slot";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (entryText(menu_id::SaveSlotFirst + 1).starts_with("02: -") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        platform::runQueuedMainThreadCalls();
    }
    std::string text = entryText(menu_id::SaveSlotFirst + 1);
    EXPECT_TRUE(text.starts_with("02:[ 20")) << text;
    EXPECT_EQ(text.size(), std::string("02:[ 2026/12/11 12:34 ]    ").size());
    EXPECT_EQ(entryText(menu_id::LoadSlotFirst + 1), text);
    EXPECT_FALSE(platform::findMenuItem(window->popupMenu(), menu_id::LoadSlotFirst + 1)->greyed);
}

}  // namespace
}  // namespace qeli::app
