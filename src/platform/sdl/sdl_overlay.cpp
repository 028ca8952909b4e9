#include "platform/sdl/sdl_overlay.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include "platform/font_families.h"
#include "platform/main_thread.h"
#include "platform/window_events.h"

namespace qeli::platform {

namespace {

constexpr const char* kMenuName = "qeli-popup-menu";
constexpr float kFontPixels = 16.0f;

struct BoxButton {
    BoxAnswer answer;
    const char* text;
};

std::vector<BoxButton> boxButtons(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok: return {{BoxAnswer::Ok, "OK"}};
    case BoxButtons::OkCancel: return {{BoxAnswer::Ok, "OK"}, {BoxAnswer::Cancel, "キャンセル"}};
    case BoxButtons::YesNo: return {{BoxAnswer::Yes, "はい"}, {BoxAnswer::No, "いいえ"}};
    case BoxButtons::RetryCancel: return {{BoxAnswer::Retry, "再試行"}, {BoxAnswer::Cancel, "キャンセル"}};
    case BoxButtons::AbortRetryIgnore:
        return {{BoxAnswer::Abort, "中止"}, {BoxAnswer::Retry, "再試行"}, {BoxAnswer::Ignore, "無視"}};
    }
    return {{BoxAnswer::Ok, "OK"}};
}

void post(WindowMessage message) {
    postToMainThread([message] { deliverWindowMessage(message); });
}

// Returns the id of the item chosen in this frame, 0 when none.
uint32_t drawItems(const Menu& menu) {
    uint32_t chosen = 0;
    for (size_t i = 0; i < menu.size(); ++i) {
        const MenuItem& item = menu[i];
        ImGui::PushID(static_cast<int>(i));
        if (item.separator) {
            ImGui::Separator();
        } else if (!item.items.empty()) {
            if (ImGui::BeginMenu(item.text.c_str(), !item.greyed)) {
                if (uint32_t id = drawItems(item.items)) chosen = id;
                ImGui::EndMenu();
            }
        } else if (ImGui::MenuItem(item.text.c_str(), nullptr, item.checked, !item.greyed)) {
            chosen = item.id;
        }
        ImGui::PopID();
    }
    return chosen;
}

}  // namespace

SdlOverlay::~SdlOverlay() {
    if (!m_started) return;
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
}

bool SdlOverlay::start(SDL_Window* window, SDL_Renderer* renderer) {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // The player's menu choices are not worth a file in the game folder.
    io.IniFilename = nullptr;
    ImGui::StyleColorsLight();
    if (auto file = japaneseFontFile())
        io.Fonts->AddFontFromFileTTF(file->c_str(), kFontPixels, nullptr, io.Fonts->GetGlyphRangesJapanese());
    if (io.Fonts->Fonts.empty()) io.Fonts->AddFontDefault();
    m_started = ImGui_ImplSDL2_InitForSDLRenderer(window) && ImGui_ImplSDLRenderer_Init(renderer);
    return m_started;
}

bool SdlOverlay::handleEvent(const SDL_Event& event) {
    if (!m_started) return false;
    ImGui_ImplSDL2_ProcessEvent(&event);
    if (!active()) return false;
    switch (event.type) {
    case SDL_KEYDOWN: handleKey(event.key.keysym.scancode); return true;
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: return true;
    default: return false;
    }
}

// As with the system's boxes, Enter takes the first (default) button and Escape gives up; Escape
// also closes the menu.
void SdlOverlay::handleKey(SDL_Scancode key) {
    bool enter = key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER;
    if (m_box && (enter || key == SDL_SCANCODE_ESCAPE)) {
        m_boxAnswer = enter ? boxButtons(m_box->buttons).front().answer : givingUpAnswer(m_box->buttons);
        m_box.reset();
    } else if (m_menuState == MenuState::Open && key == SDL_SCANCODE_ESCAPE) {
        closeMenu(0);
    }
}

void SdlOverlay::openMenu(Menu menu, int clientX, int clientY) {
    if (!m_started || m_menuState != MenuState::Closed) return;
    m_menu = std::move(menu);
    m_menuX = static_cast<float>(clientX);
    m_menuY = static_cast<float>(clientY);
    m_menuState = MenuState::Opening;
    post({wm::EnterMenuLoop, 1, 0});
}

void SdlOverlay::closeMenu(uint32_t chosenId) {
    m_menuState = MenuState::Closed;
    m_menu.clear();
    post({wm::ExitMenuLoop, 1, 0});
    if (chosenId != 0) post({wm::Command, chosenId, 0});
}

void SdlOverlay::showBox(const MessageBoxRequest& request) {
    m_box = request;
    m_boxAnswer.reset();
}

std::optional<BoxAnswer> SdlOverlay::takeBoxAnswer() {
    auto answer = m_boxAnswer;
    m_boxAnswer.reset();
    return answer;
}

void SdlOverlay::draw() {
    if (!m_started || !active()) return;
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    if (m_box) drawBox();
    else drawMenu();
    ImGui::Render();
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
}

void SdlOverlay::drawMenu() {
    if (m_menuState == MenuState::Opening) {
        ImGui::SetNextWindowPos(ImVec2(m_menuX, m_menuY));
        ImGui::OpenPopup(kMenuName);
        m_menuState = MenuState::Open;
    }
    if (ImGui::BeginPopup(kMenuName)) {
        uint32_t chosen = drawItems(m_menu);
        ImGui::EndPopup();
        if (chosen != 0) closeMenu(chosen);
    } else {
        // A click outside the menu dismissed it.
        closeMenu(0);
    }
}

void SdlOverlay::drawBox() {
    ImGuiIO& io = ImGui::GetIO();
    ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x / 2, io.DisplaySize.y / 2), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    ImGui::OpenPopup(m_box->caption.c_str());
    if (!ImGui::BeginPopupModal(m_box->caption.c_str(), nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
    ImGui::TextUnformatted(m_box->text.c_str());
    ImGui::Spacing();
    for (const BoxButton& button : boxButtons(m_box->buttons)) {
        if (ImGui::Button(button.text, ImVec2(96, 0))) {
            m_boxAnswer = button.answer;
            ImGui::CloseCurrentPopup();
        }
        ImGui::SameLine();
    }
    ImGui::EndPopup();
    if (m_boxAnswer) m_box.reset();
}

}  // namespace qeli::platform
