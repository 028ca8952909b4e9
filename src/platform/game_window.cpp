#include "platform/game_window.h"

#include "platform/backend.h"

namespace qeli::platform {

bool createGameWindow(const WindowPlacement& placement) { return backend().createGameWindow(placement); }
void destroyGameWindow() { backend().destroyGameWindow(); }
bool hasGameWindow() { return backend().hasGameWindow(); }
void showGameWindow(bool show) { backend().showGameWindow(show); }
void placeGameWindow(const WindowPlacement& placement) { backend().placeGameWindow(placement); }
bool setGameWindowFullScreen(bool fullScreen) { return backend().setGameWindowFullScreen(fullScreen); }
ClientSize gameWindowClientSize() { return backend().gameWindowClientSize(); }
void setGameWindowTitle(const std::string& title) { backend().setGameWindowTitle(title); }
void openPopupMenu(Menu menu, int clientX, int clientY) { backend().openPopupMenu(std::move(menu), clientX, clientY); }
void showSystemCursor(bool show) { backend().showSystemCursor(show); }
Picture readGameWindowPixels() { return backend().readGameWindowPixels(); }
void setPictureRect(PictureRect where) { backend().setPictureRect(where); }
void presentFrame(FrameView frame, PictureRect where) { backend().presentFrame(frame, where); }
Picture lastPresentedFrame() { return backend().lastPresentedFrame(); }
void setWindowTimer(uint32_t id, uint32_t periodMs) { backend().setWindowTimer(id, periodMs); }
void killWindowTimer(uint32_t id) { backend().killWindowTimer(id); }

Picture copyFrame(FrameView frame) {
    Picture picture{frame.width, frame.height, {}};
    if (!frame.bottomRow || frame.width <= 0 || frame.height <= 0) return {};
    picture.pixels.resize(size_t(frame.width) * size_t(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        const uint32_t* row = frame.bottomRow + size_t(frame.height - 1 - y) * size_t(frame.width);
        uint32_t* out = picture.pixels.data() + size_t(y) * size_t(frame.width);
        for (int x = 0; x < frame.width; ++x) out[x] = row[x] & 0x00FFFFFF;
    }
    return picture;
}

}  // namespace qeli::platform
