#include "support/cursor_writer.h"

#include <string_view>

namespace qeli::testing {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

size_t stride(int width, int bits) { return (static_cast<size_t>(width) * bits + 31) / 32 * 4; }

std::vector<uint8_t> dib(const CursorImageSpec& image) {
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<uint32_t>(image.width));
    put32(out, static_cast<uint32_t>(image.height * 2));
    put16(out, 1);
    put16(out, static_cast<uint32_t>(image.bitCount));
    for (int i = 0; i < 6; ++i) put32(out, 0);
    if (image.bitCount == 1) {
        put32(out, 0);
        put32(out, 0x00FFFFFF);
    }
    std::vector<uint8_t> colour(stride(image.width, image.bitCount) * image.height);
    std::vector<uint8_t> mask(stride(image.width, 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        size_t row = static_cast<size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* px = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
            if (image.bitCount == 32) {
                uint8_t* c = &colour[row * stride(image.width, 32) + x * 4];
                c[0] = px[2], c[1] = px[1], c[2] = px[0], c[3] = px[3];
            } else if (px[3] == 0) {
                mask[row * stride(image.width, 1) + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            } else if (px[0] > 127) {
                colour[row * stride(image.width, 1) + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    out.insert(out.end(), colour.begin(), colour.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

void putChunk(std::vector<uint8_t>& out, std::string_view tag, const std::vector<uint8_t>& data) {
    putTag(out, tag);
    put32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) out.push_back(0);
}

std::vector<uint8_t> words(const std::vector<uint32_t>& values) {
    std::vector<uint8_t> out;
    for (uint32_t v : values) put32(out, v);
    return out;
}

}  // namespace

std::vector<uint8_t> buildCursorFile(const std::vector<CursorImageSpec>& images, uint16_t type) {
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, type);
    put16(out, static_cast<uint32_t>(images.size()));
    std::vector<std::vector<uint8_t>> bodies;
    size_t offset = 6 + 16 * images.size();
    for (const auto& image : images) {
        bodies.push_back(dib(image));
        out.push_back(static_cast<uint8_t>(image.width));
        out.push_back(static_cast<uint8_t>(image.height));
        out.push_back(0);
        out.push_back(0);
        put16(out, static_cast<uint32_t>(image.hotX));
        put16(out, static_cast<uint32_t>(image.hotY));
        put32(out, static_cast<uint32_t>(bodies.back().size()));
        put32(out, static_cast<uint32_t>(offset));
        offset += bodies.back().size();
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<uint8_t> buildAnimatedCursor(const std::vector<std::vector<uint8_t>>& frames, uint32_t steps,
                                         uint32_t defaultRate, const std::vector<uint32_t>& rates,
                                         const std::vector<uint32_t>& sequence) {
    std::vector<uint8_t> body;
    putTag(body, "ACON");
    std::vector<uint8_t> header;
    for (uint32_t v : {36u, static_cast<uint32_t>(frames.size()), steps, 0u, 0u, 0u, 0u, defaultRate,
                       sequence.empty() ? 1u : 3u})
        put32(header, v);
    putChunk(body, "anih", header);
    if (!rates.empty()) putChunk(body, "rate", words(rates));
    if (!sequence.empty()) putChunk(body, "seq ", words(sequence));
    std::vector<uint8_t> list;
    putTag(list, "fram");
    for (const auto& frame : frames) putChunk(list, "icon", frame);
    putChunk(body, "LIST", list);
    std::vector<uint8_t> out;
    putChunk(out, "RIFF", body);
    return out;
}

}  // namespace qeli::testing
