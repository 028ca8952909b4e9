#include "platform/sdl/sdl_window.h"

#include <algorithm>
#include <cstdio>

namespace qeli::platform {

namespace {

Uint32 windowFlags(bool sizable) {
    return SDL_WINDOW_HIDDEN | (sizable ? SDL_WINDOW_RESIZABLE : 0);
}

}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::create(const WindowPlacement& placement, uint32_t wakeEvent) {
    std::unique_ptr<SdlWindow> self(new SdlWindow());
    self->m_wakeEvent = wakeEvent;
    // Smooth scaling of the picture, as the original's halftone stretch.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    self->m_window = SDL_CreateWindow(placement.title.c_str(), placement.x, placement.y, placement.clientWidth,
                                      placement.clientHeight, windowFlags(placement.sizable));
    if (!self->m_window) {
        std::fprintf(stderr, "qeli: cannot create the game window: %s\n", SDL_GetError());
        return nullptr;
    }
    self->m_renderer = SDL_CreateRenderer(self->m_window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!self->m_renderer) self->m_renderer = SDL_CreateRenderer(self->m_window, -1, SDL_RENDERER_SOFTWARE);
    if (!self->m_renderer) {
        std::fprintf(stderr, "qeli: cannot draw into the game window: %s\n", SDL_GetError());
        return nullptr;
    }
    self->m_overlay = std::make_unique<SdlOverlay>();
    if (!self->m_overlay->start(self->m_window, self->m_renderer))
        std::fprintf(stderr, "qeli: the popup menu cannot be drawn in this window\n");
    return self;
}

SdlWindow::~SdlWindow() {
    // The overlay's objects belong to the renderer: they go first.
    m_overlay.reset();
    if (m_texture) SDL_DestroyTexture(m_texture);
    if (m_renderer) SDL_DestroyRenderer(m_renderer);
    if (m_window) SDL_DestroyWindow(m_window);
}

void SdlWindow::show(bool show) {
    if (show) {
        SDL_ShowWindow(m_window);
        SDL_RaiseWindow(m_window);
    } else {
        SDL_HideWindow(m_window);
    }
    m_needsRender = true;
}

void SdlWindow::place(const WindowPlacement& placement) {
    if (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN) SDL_SetWindowFullscreen(m_window, 0);
    SDL_SetWindowResizable(m_window, placement.sizable ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(m_window, placement.clientWidth, placement.clientHeight);
    SDL_SetWindowPosition(m_window, placement.x, placement.y);
    m_needsRender = true;
}

bool SdlWindow::setFullScreen(bool fullScreen) {
    if (SDL_SetWindowFullscreen(m_window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "qeli: cannot switch full screen: %s\n", SDL_GetError());
        return false;
    }
    m_needsRender = true;
    return true;
}

ClientSize SdlWindow::clientSize() const {
    ClientSize size;
    SDL_GetWindowSize(m_window, &size.width, &size.height);
    return size;
}

void SdlWindow::setTitle(const std::string& title) { SDL_SetWindowTitle(m_window, title.c_str()); }

void SdlWindow::presentFrame(FrameView frame, PictureRect where) {
    if (!frame.bottomRow || frame.width <= 0 || frame.height <= 0) return;
    {
        // The buffer is reused from frame to frame; rows are turned top-down for the texture.
        std::lock_guard lock(m_frameMutex);
        m_frame.width = frame.width;
        m_frame.height = frame.height;
        m_frame.pixels.resize(size_t(frame.width) * size_t(frame.height));
        for (int y = 0; y < frame.height; ++y) {
            const uint32_t* row = frame.bottomRow + size_t(frame.height - 1 - y) * size_t(frame.width);
            std::copy(row, row + frame.width, m_frame.pixels.begin() + ptrdiff_t(y) * frame.width);
        }
        m_where = where;
        m_frameChanged = true;
    }
    SDL_Event event{};
    event.type = m_wakeEvent;
    SDL_PushEvent(&event);
}

void SdlWindow::setPictureRect(PictureRect where) {
    std::lock_guard lock(m_frameMutex);
    m_where = where;
    m_needsRender = true;
}

Picture SdlWindow::lastFrame() const {
    std::lock_guard lock(m_frameMutex);
    return m_frame;
}

bool SdlWindow::handleEvent(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN: m_needsRender = true; break;
        default: break;
        }
    }
    return m_overlay->handleEvent(event);
}

void SdlWindow::uploadPendingFrame() {
    std::lock_guard lock(m_frameMutex);
    if (!m_frameChanged) return;
    m_frameChanged = false;
    m_needsRender = true;
    if (m_frame.pixels.empty()) return;
    if (!m_texture || m_textureWidth != m_frame.width || m_textureHeight != m_frame.height) {
        if (m_texture) SDL_DestroyTexture(m_texture);
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                      m_frame.width, m_frame.height);
        m_textureWidth = m_frame.width;
        m_textureHeight = m_frame.height;
    }
    if (m_texture) SDL_UpdateTexture(m_texture, nullptr, m_frame.pixels.data(), m_frame.width * 4);
}

void SdlWindow::render() {
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    if (m_texture) {
        PictureRect where;
        {
            std::lock_guard lock(m_frameMutex);
            where = m_where;
        }
        SDL_Rect target{where.x, where.y, where.width, where.height};
        SDL_RenderCopy(m_renderer, m_texture, nullptr, &target);
    }
    m_overlay->draw();
}

void SdlWindow::renderIfNeeded() {
    uploadPendingFrame();
    if (!m_needsRender && !m_overlay->active()) return;
    m_needsRender = false;
    render();
    SDL_RenderPresent(m_renderer);
}

Picture SdlWindow::readPixels() {
    uploadPendingFrame();
    render();
    Picture picture;
    SDL_GetRendererOutputSize(m_renderer, &picture.width, &picture.height);
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    if (SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGB888, picture.pixels.data(), picture.width * 4) != 0)
        return {};
    SDL_RenderPresent(m_renderer);
    for (uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
    return picture;
}

BoxAnswer SdlWindow::runMessageBox(const MessageBoxRequest& request) {
    m_overlay->showBox(request);
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 16)) {
            do {
                // A player who closes the game meanwhile gives up on the box.
                if (event.type == SDL_QUIT) {
                    SDL_PushEvent(&event);
                    return givingUpAnswer(request.buttons);
                }
                // The game's own input waits until the box is answered, as under a modal box.
                if (event.type != m_wakeEvent) handleEvent(event);
            } while (SDL_PollEvent(&event));
        }
        uploadPendingFrame();
        render();
        SDL_RenderPresent(m_renderer);
        if (auto answer = m_overlay->takeBoxAnswer()) return *answer;
    }
}

}  // namespace qeli::platform
