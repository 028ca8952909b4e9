#include "graphics/surface.h"

#include <algorithm>
#include <new>

namespace qeli::graphics {

namespace {

constexpr int32_t kRowSlack = 7;

uint32_t colourRefToPixel(uint32_t colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

void putU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

}  // namespace

bool surfaceSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide &&
           width * height <= kMaxSurfacePixels;
}

bool Surface::allocate(std::vector<uint32_t>& image) {
    if (!surfaceSizeAllowed(m_width, m_height)) return false;
    try {
        image.assign((size_t(m_width) + kRowSlack) * size_t(m_height), 0);
    } catch (const std::bad_alloc&) {
        image.clear();
        return false;
    }
    return true;
}

bool Surface::create(int32_t width, int32_t height, int32_t bitsPerPixel) {
    clear();
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    if (!allocate(m_colour)) return false;
    m_kind = SurfaceKind::Opaque;
    return true;
}

// Without a system bitmap behind any surface the two ways of making one are the same.
bool Surface::createInMemory(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return create(width, height, bitsPerPixel);
}

bool Surface::createAlphaImage() {
    m_alpha.clear();
    m_alpha.shrink_to_fit();
    return allocate(m_alpha);
}

void Surface::clear() {
    m_kind = SurfaceKind::Empty;
    m_colour = {};
    m_alpha = {};
    m_name.clear();
    m_alphaName.clear();
}

bool Surface::fill(uint32_t colour) {
    if (!hasPixels()) return false;
    std::fill_n(m_colour.data(), size_t(m_width) * size_t(m_height), colourRefToPixel(colour));
    return true;
}

bool Surface::fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) {
    int32_t kind = int32_t(m_kind);
    if (!hasPixels() || m_kind == SurfaceKind::ColourKey || kind < 1 || kind > 5) return false;
    int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    int64_t right = std::min<int64_t>(int64_t{x} + width, m_width);
    int64_t bottom = std::min<int64_t>(int64_t{y} + height, m_height);
    uint32_t value = colourRefToPixel(colour);
    for (int64_t row = top; row < bottom && left < right; ++row)
        std::fill(colourRow(m_height - 1 - int32_t(row)) + left, colourRow(m_height - 1 - int32_t(row)) + right,
                  value);
    return true;
}

bool Surface::clearAlphaImage() {
    if (m_kind != SurfaceKind::Alpha && m_kind != SurfaceKind::Additive && m_kind != SurfaceKind::Subtractive)
        return false;
    std::fill(m_alpha.begin(), m_alpha.end(), 0xFFFFFFFFu);
    return true;
}

bool Surface::swapImages() {
    m_colour.swap(m_alpha);
    return true;
}

std::vector<uint8_t> Surface::encodeBmp() const {
    std::vector<uint8_t> out;
    if (!hasPixels()) return out;
    uint32_t rowBytes = (uint32_t(m_width) * 3 + 3) & ~3u;
    uint32_t imageBytes = rowBytes * uint32_t(m_height);
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    putU32(out, 54 + imageBytes);
    putU32(out, 0);
    putU32(out, 54);
    putU32(out, 40);
    putU32(out, uint32_t(m_width));
    putU32(out, uint32_t(m_height));
    putU16(out, 1);
    putU16(out, 24);
    for (int i = 0; i < 6; ++i) putU32(out, 0);  // compression, image size, resolution, colours
    for (int32_t row = 0; row < m_height; ++row) {
        const uint32_t* pixels = colourRow(row);
        for (int32_t x = 0; x < m_width; ++x) {
            out.push_back(uint8_t(pixels[x]));
            out.push_back(uint8_t(pixels[x] >> 8));
            out.push_back(uint8_t(pixels[x] >> 16));
        }
        for (uint32_t pad = uint32_t(m_width) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace qeli::graphics
