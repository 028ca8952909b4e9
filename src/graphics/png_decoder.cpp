// The PNG reader over libpng. libpng reports errors by longjmp, so the frame that calls setjmp holds
// only objects made before it; everything else lives in a state record owned by the caller.
#include "graphics/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "graphics/surface.h"

namespace qeli::graphics {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct ReadState {
    std::span<const uint8_t> bytes;
    size_t position = 8;  // the signature is checked here, not by libpng
};

// A request beyond the end is an error: a damaged file must not decode as a picture of zeros.
void readFromBuffer(png_structp png, png_bytep out, png_size_t length) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (length > state->bytes.size() - state->position) png_error(png, "read past the end");
    std::memcpy(out, state->bytes.data() + state->position, length);
    state->position += length;
}

void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

// Every colour type becomes 8-bit blue, green, red and a fourth byte: the alpha where the file has
// an alpha channel, else 0. A palette's transparency chunk is not turned into alpha: such pictures
// have always been drawn opaque.
void setTransformations(png_structp png, png_infop info, bool& hasAlpha) {
    int colourType = png_get_color_type(png, info);
    int depth = png_get_bit_depth(png, info);
    if (depth == 16) png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;
    if (!hasAlpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Reads the picture into `image`; false on any libpng error. No object with a destructor is made
// after setjmp in this frame.
bool readPicture(png_structp png, png_infop info, DecodedImage& image, std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (!surfaceSizeAllowed(width, height)) return false;
    setTransformations(png, info, image.hasAlpha);
    if (png_get_rowbytes(png, info) != size_t(width) * 4) return false;
    image.width = int32_t(width);
    image.height = int32_t(height);
    image.pixels.assign(size_t(width) * height, 0);
    rows.resize(height);
    // The first row of the file is the top row: it goes to the last memory row.
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(image.row(int32_t(height - 1 - y)));
    png_read_image(png, rows.data());
    return true;
}

}  // namespace

bool hasPngSignature(std::span<const uint8_t> bytes, bool containerTag) {
    if (bytes.size() < 8) return false;
    if (std::memcmp(bytes.data(), kSignature, 8) == 0) return true;
    return containerTag && bytes[0] == kSignature[0] && std::memcmp(bytes.data() + 1, "GNP", 3) == 0 &&
           std::memcmp(bytes.data() + 4, kSignature + 4, 4) == 0;
}

std::optional<DecodedImage> decodePng(std::span<const uint8_t> bytes, bool containerTag) {
    if (!hasPngSignature(bytes, containerTag)) return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    ReadState state{bytes};
    png_set_read_fn(png, &state, readFromBuffer);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, kMaxSurfaceSide, kMaxSurfaceSide);
    png_set_chunk_malloc_max(png, 16u << 20);
    DecodedImage image;
    std::vector<png_bytep> rows;
    bool ok = readPicture(png, info, image, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) return std::nullopt;
    return image;
}

}  // namespace qeli::graphics
