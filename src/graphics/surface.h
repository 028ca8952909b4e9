// The engine's in-memory image: a 32-bit colour image (bytes blue, green, red, spare; rows bottom-up,
// pitch 4 x width), an optional alpha image of the same layout (0 opaque, 255 transparent), a kind
// that says how it is drawn, its file names and its sprite-cell table. Drawing lives in blit.h,
// filters in colour_filters.h, decoding in graphic_load.h.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/cell_table.h"

namespace qeli::graphics {

struct DecodedImage;

enum class SurfaceKind : int32_t {
    Empty = 0,
    Opaque = 1,
    Alpha = 2,
    ColourKey = 3,
    Additive = 4,
    Subtractive = 5,
};

// A rectangle given as left, top, right, bottom in top-down coordinates.
struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The largest image the engine makes: far above any screen, far below an allocation that could
// exhaust memory when a damaged file claims a huge size.
inline constexpr int32_t kMaxSurfaceSide = 16384;
inline constexpr int64_t kMaxSurfacePixels = int64_t{1} << 25;

// Whether a surface of this size may be made (both sides positive and within the limits above).
bool surfaceSizeAllowed(int64_t width, int64_t height);

class Surface {
public:
    Surface() = default;

    // Both make the colour image (uninitialised pixels are zero) and the kind `Opaque`; the images
    // carry seven pixels of slack per row so that word-wise loops may run past a row's end.
    bool create(int32_t width, int32_t height, int32_t bitsPerPixel = 32);
    bool createInMemory(int32_t width, int32_t height, int32_t bitsPerPixel = 32);
    // A fresh alpha image of the surface's size, all zero (opaque); the kind is unchanged.
    bool createAlphaImage();
    // Kind `Empty`, images and names gone; the cell table stays.
    void clear();

    void setName(std::string name) { m_name = std::move(name); }
    void setAlphaName(std::string name) { m_alphaName = std::move(name); }
    const std::string& name() const { return m_name; }
    const std::string& alphaName() const { return m_alphaName; }

    SurfaceKind kind() const { return m_kind; }
    void setKind(SurfaceKind kind) { m_kind = kind; }
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    int32_t bitsPerPixel() const { return m_bitsPerPixel; }
    bool hasPixels() const { return !m_colour.empty(); }
    bool hasAlphaImage() const { return !m_alpha.empty(); }

    // Memory row `row` (0 is the bottom row of the picture) of each image.
    uint32_t* colourRow(int32_t row) { return m_colour.data() + size_t(row) * size_t(m_width); }
    const uint32_t* colourRow(int32_t row) const { return m_colour.data() + size_t(row) * size_t(m_width); }
    uint32_t* alphaRow(int32_t row) { return m_alpha.data() + size_t(row) * size_t(m_width); }
    const uint32_t* alphaRow(int32_t row) const { return m_alpha.data() + size_t(row) * size_t(m_width); }
    // The pixel at a top-down position; the caller keeps within the image.
    uint32_t pixel(int32_t x, int32_t y) const { return colourRow(m_height - 1 - y)[x]; }
    uint32_t alphaPixel(int32_t x, int32_t y) const { return alphaRow(m_height - 1 - y)[x]; }
    void setPixel(int32_t x, int32_t y, uint32_t value) { colourRow(m_height - 1 - y)[x] = value; }
    void setAlphaPixel(int32_t x, int32_t y, uint32_t value) { alphaRow(m_height - 1 - y)[x] = value; }

    // Every pixel of the colour image becomes the `COLORREF` 0x00BBGGRR as the pixel 0x00RRGGBB.
    bool fill(uint32_t colour);
    // A rectangle (x, y, width, height, top-down) of the colour image; not for `ColourKey` surfaces.
    bool fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour);
    // Makes an `Alpha`, `Additive` or `Subtractive` surface fully transparent.
    bool clearAlphaImage();
    bool swapImages();

    // Loading (graphic_load.cpp). `load` replaces everything but the cell table unless the file has
    // one; a file that is missing is logged, one that does not decode is retried once and then
    // reported in the Abort/Retry/Ignore box. `loadAlpha` puts a separate file into the alpha image.
    bool load(std::string_view name);
    bool loadAlpha(std::string_view name);
    bool loadFromMemory(std::span<const uint8_t> bytes);

    // A 24-bit Windows BMP file of the colour image.
    std::vector<uint8_t> encodeBmp() const;

    const CellTable& cellTable() const { return m_cells; }
    void loadCellTable(std::span<const uint8_t> bytes) { m_cells = parseCellTable(bytes); }

private:
    bool allocate(std::vector<uint32_t>& image);
    bool setColourImage(const DecodedImage& image);
    bool setAlphaImage(const DecodedImage& image);
    bool loadContainer(std::span<const uint8_t> bytes);
    bool loadAlphaFromMemory(std::span<const uint8_t> bytes);

    SurfaceKind m_kind = SurfaceKind::Empty;
    std::vector<uint32_t> m_colour;
    std::vector<uint32_t> m_alpha;
    int32_t m_bitsPerPixel = 0;
    int32_t m_height = 0;
    int32_t m_width = 0;
    std::string m_name;
    std::string m_alphaName;
    CellTable m_cells;
};

}  // namespace qeli::graphics
