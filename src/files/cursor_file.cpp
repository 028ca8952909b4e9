#include "files/cursor_file.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "files/byte_reader.h"
#include "files/program_data.h"

namespace qeli::files {

namespace {

constexpr int kMaxCursorSide = 256;
constexpr size_t kMaxAnimationSteps = 4096;
constexpr uint32_t kAniIconFrames = 1;  // anih flag: frames are icon or cursor files
constexpr uint32_t kAniSequence = 2;    // anih flag: a "seq " chunk orders the steps

// ---- One image of a cursor or icon directory: a DIB with a colour (XOR) and a mask (AND) part ----

struct DibImage {
    int width = 0, height = 0, bitCount = 0;
    std::span<const uint8_t> palette, colour, mask;
};

size_t rowStride(int width, int bitCount) { return (static_cast<size_t>(width) * bitCount + 31) / 32 * 4; }

std::optional<DibImage> parseDib(std::span<const uint8_t> bytes) {
    ByteReader r(bytes);
    uint32_t headerSize = r.u32();
    int32_t width = r.i32(), doubledHeight = r.i32();
    r.u16();  // planes
    DibImage image;
    image.bitCount = r.u16();
    uint32_t compression = r.u32();
    r.skip(12);
    uint32_t coloursUsed = r.u32();
    if (r.failed() || headerSize < 40 || compression != 0) return std::nullopt;
    image.width = width;
    image.height = std::abs(doubledHeight / 2);
    if (width <= 0 || width > kMaxCursorSide || image.height <= 0 || image.height > kMaxCursorSide) return std::nullopt;
    int bits = image.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    size_t paletteEntries = bits <= 8 ? (coloursUsed ? std::min<uint32_t>(coloursUsed, 1u << bits) : 1u << bits) : 0;
    r.seek(headerSize);
    image.palette = r.bytes(paletteEntries * 4);
    image.colour = r.bytes(rowStride(width, bits) * image.height);
    image.mask = r.bytes(rowStride(width, 1) * image.height);
    // 32-bit images may leave out the mask; their alpha channel decides.
    if (r.failed() && !(bits == 32 && !image.colour.empty())) return std::nullopt;
    return image;
}

// Pixel (x, y) of the colour part as 0xAARRGGBB-like bytes; rows are stored bottom-up.
void pixelAt(const DibImage& image, int x, int y, uint8_t out[4]) {
    size_t row = static_cast<size_t>(image.height - 1 - y) * rowStride(image.width, image.bitCount);
    const uint8_t* p = image.colour.data() + row;
    const uint8_t* bgr;
    uint8_t alpha = 0;
    if (image.bitCount <= 8) {
        size_t bitPos = static_cast<size_t>(x) * image.bitCount;
        size_t index = (p[bitPos / 8] >> (8 - image.bitCount - bitPos % 8)) & ((1u << image.bitCount) - 1);
        static const uint8_t kBlack[4] = {0, 0, 0, 0};
        bgr = index * 4 + 4 <= image.palette.size() ? image.palette.data() + index * 4 : kBlack;
    } else {
        bgr = p + static_cast<size_t>(x) * (image.bitCount / 8);
        if (image.bitCount == 32) alpha = bgr[3];
    }
    out[0] = bgr[2];
    out[1] = bgr[1];
    out[2] = bgr[0];
    out[3] = alpha;
}

bool maskBit(const DibImage& image, int x, int y) {
    if (image.mask.empty()) return false;
    size_t row = static_cast<size_t>(image.height - 1 - y) * rowStride(image.width, 1);
    return (image.mask[row + static_cast<size_t>(x) / 8] >> (7 - x % 8)) & 1;
}

std::vector<uint8_t> toRgba(const DibImage& image) {
    std::vector<uint8_t> rgba(static_cast<size_t>(image.width) * image.height * 4);
    bool hasAlpha = false;
    if (image.bitCount == 32)
        for (size_t i = 3; i < image.colour.size(); i += 4) hasAlpha |= image.colour[i] != 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            uint8_t* px = &rgba[(static_cast<size_t>(y) * image.width + x) * 4];
            pixelAt(image, x, y, px);
            if (hasAlpha) continue;
            bool transparent = maskBit(image, x, y);
            bool black = px[0] == 0 && px[1] == 0 && px[2] == 0;
            // Mask set over a coloured pixel inverts the screen there, which a colour cursor cannot
            // do; it is drawn opaque black, the colour inverted light backgrounds mostly show.
            if (transparent && !black) px[0] = px[1] = px[2] = 0;
            px[3] = transparent && black ? 0 : 255;
        }
    }
    return rgba;
}

// ---- Cursor and icon directories (.cur, .ico) ----

std::optional<platform::CursorFrame> parseCursorDirectory(std::span<const uint8_t> bytes) {
    ByteReader r(bytes);
    uint16_t reserved = r.u16(), type = r.u16(), count = r.u16();
    if (r.failed() || reserved != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
    std::optional<platform::CursorFrame> best;
    int bestScore = 0;
    for (uint16_t i = 0; i < count && !r.failed(); ++i) {
        r.skip(4);  // width, height, colour count, reserved: the image's own header is used
        uint16_t hotX = r.u16(), hotY = r.u16();
        uint32_t size = r.u32(), offset = r.u32();
        auto data = r.at(offset, size);
        if (r.failed() || !data) continue;
        auto image = parseDib(*data);
        if (!image) continue;
        // Closest to the usual 32-pixel cursor, then the deepest colours.
        int score = 1000 - std::abs(image->width - 32) * 10 + image->bitCount;
        if (best && score <= bestScore) continue;
        bestScore = score;
        best = platform::CursorFrame{image->width, image->height, type == 2 ? hotX : image->width / 2,
                                     type == 2 ? hotY : image->height / 2, toRgba(*image)};
        best->hotX = std::clamp(best->hotX, 0, image->width - 1);
        best->hotY = std::clamp(best->hotY, 0, image->height - 1);
    }
    return best;
}

// ---- Animated cursors (.ani) ----

struct AniChunks {
    uint32_t frameCount = 0, stepCount = 0, defaultRate = 0, flags = 0;
    bool haveHeader = false;
    std::vector<std::span<const uint8_t>> frames;
    std::vector<uint32_t> rates, sequence;
};

std::vector<uint32_t> readWords(std::span<const uint8_t> chunk) {
    ByteReader r(chunk);
    std::vector<uint32_t> words(std::min(chunk.size() / 4, kMaxAnimationSteps));
    for (auto& w : words) w = r.u32();
    return words;
}

// Calls visit(id, data) for each chunk in the span; a chunk running past the end is cut short.
template <typename Visit>
void forEachChunk(std::span<const uint8_t> bytes, Visit visit) {
    ByteReader r(bytes);
    while (r.remaining() >= 8) {
        auto id = r.bytes(4);
        uint32_t size = r.u32();
        auto data = r.bytes(std::min<uint64_t>(size, r.remaining()));
        visit(std::string_view(reinterpret_cast<const char*>(id.data()), 4), data);
        if (size % 2) r.skip(1);
    }
}

AniChunks readAniChunks(std::span<const uint8_t> body) {
    AniChunks ani;
    forEachChunk(body, [&](std::string_view id, std::span<const uint8_t> data) {
        if (id == "anih") {
            ByteReader h(data);
            h.u32();
            ani.frameCount = h.u32();
            ani.stepCount = h.u32();
            h.skip(16);
            ani.defaultRate = h.u32();
            ani.flags = h.u32();
            ani.haveHeader = !h.failed();
        } else if (id == "rate") {
            ani.rates = readWords(data);
        } else if (id == "seq ") {
            ani.sequence = readWords(data);
        } else if (id == "LIST" && data.size() >= 4 && std::equal(data.begin(), data.begin() + 4, "fram")) {
            forEachChunk(data.subspan(4), [&](std::string_view inner, std::span<const uint8_t> frame) {
                if (inner == "icon" && ani.frames.size() < kMaxAnimationSteps) ani.frames.push_back(frame);
            });
        }
    });
    return ani;
}

uint32_t jiffiesToMs(uint32_t jiffies) { return static_cast<uint32_t>(std::max<uint64_t>(jiffies, 1) * 1000 / 60); }

std::optional<platform::CursorAnimation> parseAnimatedCursor(std::span<const uint8_t> body) {
    AniChunks ani = readAniChunks(body);
    if (!ani.haveHeader || !(ani.flags & kAniIconFrames) || ani.frames.empty()) return std::nullopt;
    platform::CursorAnimation animation;
    std::vector<int> frameSlot(ani.frames.size(), -1);
    for (size_t i = 0; i < ani.frames.size(); ++i) {
        if (auto frame = parseCursorDirectory(ani.frames[i])) {
            frameSlot[i] = static_cast<int>(animation.frames.size());
            animation.frames.push_back(std::move(*frame));
        }
    }
    size_t steps = std::min<size_t>(ani.stepCount ? ani.stepCount : ani.frames.size(), kMaxAnimationSteps);
    for (size_t s = 0; s < steps; ++s) {
        size_t frame = (ani.flags & kAniSequence) ? (s < ani.sequence.size() ? ani.sequence[s] : SIZE_MAX) : s;
        if (frame >= frameSlot.size() || frameSlot[frame] < 0) continue;
        uint32_t rate = s < ani.rates.size() ? ani.rates[s] : ani.defaultRate;
        animation.steps.push_back({static_cast<uint32_t>(frameSlot[frame]), jiffiesToMs(rate)});
    }
    if (animation.steps.empty()) return std::nullopt;
    return animation;
}

}  // namespace

std::optional<platform::CursorAnimation> parseCursorFile(std::span<const uint8_t> bytes) {
    ByteReader r(bytes);
    auto riff = r.bytes(4);
    r.u32();
    auto form = r.bytes(4);
    if (!r.failed() && std::equal(riff.begin(), riff.end(), "RIFF") && std::equal(form.begin(), form.end(), "ACON"))
        return parseAnimatedCursor(bytes.subspan(12));
    auto frame = parseCursorDirectory(bytes);
    if (!frame) return std::nullopt;
    platform::CursorAnimation still;
    still.frames.push_back(std::move(*frame));
    still.steps.push_back({0, 0});
    return still;
}

std::shared_ptr<platform::Cursor> loadCursorFile(std::string_view name) {
    auto data = readProgramData(name);
    if (!data) return nullptr;
    auto animation = parseCursorFile(data->span());
    if (!animation) return nullptr;
    return platform::makeColourCursor(*animation);
}

}  // namespace qeli::files
