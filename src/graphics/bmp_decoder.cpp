// The BMP reader. Every size is checked against the bytes that are there before anything is
// allocated; runs and deltas of compressed files are clipped to the picture.
#include "graphics/bmp_decoder.h"

#include <array>
#include <bit>

#include "files/byte_reader.h"
#include "graphics/surface.h"

namespace qeli::graphics {

namespace {

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct BmpHeader {
    int64_t width = 0, height = 0;
    uint32_t bitCount = 0, compression = kRgb, coloursUsed = 0;
    uint32_t masks[3] = {0, 0, 0};  // red, green, blue
    bool topDown = false;
    bool core = false;              // OS/2 core header: 3-byte palette entries
    uint64_t paletteOffset = 0;
    uint64_t pixelOffset = 0;
};

// One colour channel of a bit-field pixel, widened to 8 bits by repeating its bits (5 bits abcde
// become abcdeabc), as the system converts such pixels.
struct Channel {
    uint32_t mask = 0;
    int shift = 0, bits = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::min(std::popcount(m >> shift), 32);
    }
    uint32_t expand(uint32_t pixel) const {
        if (bits == 0) return 0;
        uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return (v >> (bits - 8)) & 0xFF;
        uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += bits) out = (out << bits) | v;
        return (out >> ((8 + bits - 1) / bits * bits - 8)) & 0xFF;
    }
};

std::optional<BmpHeader> readHeader(files::ByteReader& r) {
    BmpHeader h;
    r.seek(10);
    h.pixelOffset = r.u32();
    uint32_t infoSize = r.u32();
    if (infoSize == 12) {
        h.core = true;
        h.width = r.u16();
        h.height = r.u16();
        r.u16();
        h.bitCount = r.u16();
    } else if (infoSize >= 40) {
        h.width = r.i32();
        h.height = r.i32();
        r.u16();
        h.bitCount = r.u16();
        h.compression = r.u32();
        r.skip(12);  // image size and resolution
        h.coloursUsed = r.u32();
        r.u32();
        if (h.compression == kBitFields || h.compression == kAlphaBitFields)
            for (uint32_t& mask : h.masks) mask = r.u32();  // inside a V2+ header, or right after a 40-byte one
    } else {
        return std::nullopt;
    }
    if (r.failed() || h.height == INT32_MIN) return std::nullopt;
    h.topDown = h.height < 0;
    if (h.topDown) h.height = -h.height;
    h.paletteOffset = 14 + uint64_t{infoSize};
    if (infoSize == 40 && h.compression == kBitFields) h.paletteOffset += 12;
    if (infoSize == 40 && h.compression == kAlphaBitFields) h.paletteOffset += 16;
    return h;
}

bool validDepth(const BmpHeader& h) {
    switch (h.compression) {
    case kRgb: return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                      h.bitCount == 24 || h.bitCount == 32;
    case kRle8: return h.bitCount == 8 && !h.topDown;
    case kRle4: return h.bitCount == 4 && !h.topDown;
    case kBitFields:
    case kAlphaBitFields: return h.bitCount == 16 || h.bitCount == 32;
    default: return false;
    }
}

// The colour table; entries the file does not list read as black. A table that runs past the end
// of the file is damage, not a short table.
std::optional<std::array<uint32_t, 256>> readPalette(std::span<const uint8_t> bytes, const BmpHeader& h) {
    std::array<uint32_t, 256> palette{};
    if (h.bitCount > 8) return palette;
    uint32_t limit = 1u << h.bitCount;
    uint32_t count = h.coloursUsed == 0 || h.coloursUsed > limit ? limit : h.coloursUsed;
    uint32_t entrySize = h.core ? 3 : 4;
    files::ByteReader r(bytes);
    if (!r.seek(h.paletteOffset)) return std::nullopt;
    // Writers often claim a full table and store a shorter one before the pixels: trust the pixels.
    if (h.pixelOffset >= h.paletteOffset) count = std::min<uint64_t>(count, (h.pixelOffset - h.paletteOffset) / entrySize);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t b = r.u8(), g = r.u8(), red = r.u8();
        if (!h.core) r.u8();
        palette[i] = red << 16 | g << 8 | b;
    }
    if (r.failed()) return std::nullopt;
    return palette;
}

uint64_t rowStride(const BmpHeader& h) { return (uint64_t(h.width) * h.bitCount + 31) / 32 * 4; }

// `data` holds every row (checked by the caller).
void decodeUncompressed(std::span<const uint8_t> data, const BmpHeader& h, const std::array<uint32_t, 256>& palette,
                        DecodedImage& image) {
    uint64_t stride = rowStride(h);
    bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    uint32_t defaultMasks[3] = {0x7C00, 0x03E0, 0x001F};
    const uint32_t* masks = fields ? h.masks : defaultMasks;
    Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (int64_t y = 0; y < h.height; ++y) {
        const uint8_t* in = data.data() + size_t(y) * stride;
        uint32_t* out = image.row(int32_t(h.topDown ? h.height - 1 - y : y));
        for (int64_t x = 0; x < h.width; ++x) {
            switch (h.bitCount) {
            case 1: out[x] = palette[(in[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: out[x] = palette[(in[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
            case 8: out[x] = palette[in[x]]; break;
            case 24: out[x] = uint32_t(in[3 * x]) | uint32_t(in[3 * x + 1]) << 8 | uint32_t(in[3 * x + 2]) << 16; break;
            case 16:
            case 32: {
                uint32_t p = h.bitCount == 16 ? uint32_t(in[2 * x] | in[2 * x + 1] << 8)
                                              : uint32_t(in[4 * x]) | uint32_t(in[4 * x + 1]) << 8 |
                                                    uint32_t(in[4 * x + 2]) << 16 | uint32_t(in[4 * x + 3]) << 24;
                // A plain 32-bit pixel is copied whole, spare byte included.
                out[x] = h.bitCount == 32 && !fields ? p : red.expand(p) << 16 | green.expand(p) << 8 | blue.expand(p);
                break;
            }
            }
        }
    }
}

// RLE8 and RLE4: pairs of (count, value), or an escape (0, code): 0 ends a row, 1 ends the picture,
// 2 moves by (dx, dy), 3 and more start an absolute run padded to 16 bits. Pixels never written
// stay black.
bool decodeRunLength(std::span<const uint8_t> bytes, const BmpHeader& h, const std::array<uint32_t, 256>& palette,
                     DecodedImage& image) {
    files::ByteReader r(bytes);
    if (!r.seek(h.pixelOffset)) return false;
    bool four = h.compression == kRle4;
    int64_t x = 0, y = 0;
    auto put = [&](uint32_t index) {
        if (x < h.width && y < h.height) image.row(int32_t(y))[x] = palette[index];
        ++x;
    };
    while (y < h.height) {
        uint32_t count = r.u8(), value = r.u8();
        if (r.failed()) break;  // a missing end-of-picture mark ends it all the same
        if (count > 0) {
            for (uint32_t i = 0; i < count && x < h.width; ++i)
                put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
        } else if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += r.u8();
            y += r.u8();
        } else {
            uint64_t runBytes = four ? (value + 1) / 2 : value;
            auto run = r.bytes(runBytes + (runBytes & 1));
            if (r.failed()) return false;
            for (uint32_t i = 0; i < value; ++i)
                put(four ? (i % 2 ? run[i / 2] & 0xF : run[i / 2] >> 4) : run[i]);
        }
    }
    return true;
}

}  // namespace

bool hasBmpMagic(std::span<const uint8_t> bytes) { return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M'; }

std::optional<DecodedImage> decodeBmp(std::span<const uint8_t> bytes) {
    files::ByteReader r(bytes);
    if (!hasBmpMagic(bytes)) return std::nullopt;
    auto header = readHeader(r);
    if (!header || !validDepth(*header) || !surfaceSizeAllowed(header->width, header->height)) return std::nullopt;
    auto palette = readPalette(bytes, *header);
    if (!palette) return std::nullopt;
    DecodedImage image;
    image.width = int32_t(header->width);
    image.height = int32_t(header->height);
    if (header->compression == kRle4 || header->compression == kRle8) {
        image.pixels.assign(size_t(image.width) * size_t(image.height), 0);
        if (!decodeRunLength(bytes, *header, *palette, image)) return std::nullopt;
    } else {
        // The pixel rows are checked to be present before the picture is allocated.
        auto data = r.at(int64_t(header->pixelOffset), int64_t(rowStride(*header) * uint64_t(header->height)));
        if (!data) return std::nullopt;
        image.pixels.assign(size_t(image.width) * size_t(image.height), 0);
        decodeUncompressed(*data, *header, *palette, image);
    }
    return image;
}

}  // namespace qeli::graphics
