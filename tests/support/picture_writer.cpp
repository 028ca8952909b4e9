#include "support/picture_writer.h"

#include <png.h>

#include <stdexcept>

namespace qeli::testing {

namespace {

void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

}  // namespace

std::vector<uint8_t> bmpFile(const BmpSpec& spec) {
    std::vector<uint8_t> out;
    uint32_t tableBytes = uint32_t(spec.palette.size() * (spec.infoSize == 12 ? 3 : 4) + spec.masks.size() * 4);
    uint32_t pixelOffset = 14 + spec.infoSize + tableBytes;
    out.push_back('B');
    out.push_back('M');
    put(out, pixelOffset + uint32_t(spec.pixels.size()), 4);
    put(out, 0, 4);
    put(out, pixelOffset, 4);
    put(out, spec.infoSize, 4);
    if (spec.infoSize == 12) {
        put(out, uint32_t(spec.width), 2);
        put(out, uint32_t(spec.height), 2);
        put(out, 1, 2);
        put(out, spec.bitCount, 2);
    } else {
        put(out, uint32_t(spec.width), 4);
        put(out, uint32_t(spec.height), 4);
        put(out, 1, 2);
        put(out, spec.bitCount, 2);
        put(out, spec.compression, 4);
        put(out, uint32_t(spec.pixels.size()), 4);
        put(out, 2835, 4);
        put(out, 2835, 4);
        put(out, spec.coloursUsed, 4);
        put(out, 0, 4);
        out.resize(14 + spec.infoSize, 0);
    }
    for (uint32_t mask : spec.masks) put(out, mask, 4);
    for (uint32_t colour : spec.palette) put(out, colour, spec.infoSize == 12 ? 3 : 4);
    out.insert(out.end(), spec.pixels.begin(), spec.pixels.end());
    return out;
}

std::vector<uint8_t> topDownCopy(const std::vector<uint8_t>& file) {
    auto u32 = [&](size_t at) { return uint32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24); };
    uint32_t offset = u32(10), width = u32(18), height = u32(22), bits = file[28] | file[29] << 8;
    size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    std::vector<uint8_t> out(file.begin(), file.begin() + offset);
    for (uint32_t row = height; row-- > 0;)
        out.insert(out.end(), file.begin() + long(offset + row * stride), file.begin() + long(offset + (row + 1) * stride));
    uint32_t negative = uint32_t(-int32_t(height));
    for (int i = 0; i < 4; ++i) out[22 + size_t(i)] = uint8_t(negative >> (8 * i));
    return out;
}

std::vector<uint8_t> pngFile(const PngSpec& spec) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng could not write the test picture");
    }
    png_set_write_fn(png, &out, appendToVector, nullptr);
    png_set_IHDR(png, info, png_uint_32(spec.width), png_uint_32(spec.height), spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : spec.palette) palette.push_back({png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    std::vector<png_bytep> rows;
    for (const auto& row : spec.rows) rows.push_back(const_cast<png_bytep>(row.data()));
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace qeli::testing
