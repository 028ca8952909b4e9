#include "graphics/png_encoder.h"

#include <png.h>

#include <csetjmp>

namespace qeli::graphics {

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// libpng reports failure by longjmp: nothing with a destructor may live in this frame.
bool encodeRows(png_structp png, png_infop info, const Surface& surface, std::vector<png_byte>& row,
                std::vector<uint8_t>& out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(surface.width()), png_uint_32(surface.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < surface.height(); ++y) {
        const uint32_t* pixels = surface.colourRow(surface.height() - 1 - y);
        for (int32_t x = 0; x < surface.width(); ++x) {
            row[size_t(x) * 3] = png_byte(pixels[x] >> 16);
            row[size_t(x) * 3 + 1] = png_byte(pixels[x] >> 8);
            row[size_t(x) * 3 + 2] = png_byte(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::vector<uint8_t> encodePng(const Surface& surface) {
    std::vector<uint8_t> out;
    if (!surface.hasPixels()) return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(size_t(surface.width()) * 3);
    bool ok = info && encodeRows(png, info, surface, row, out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok) out.clear();
    return out;
}

}  // namespace qeli::graphics
