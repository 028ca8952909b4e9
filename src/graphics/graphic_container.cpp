#include "graphics/graphic_container.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "files/byte_reader.h"

namespace qeli::graphics {

namespace {

constexpr size_t kColourOffsetField = 40;

void putU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

}  // namespace

bool hasContainerMagic(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && std::memcmp(bytes.data(), "QLG", 3) == 0;
}

std::optional<ContainerParts> readContainer(std::span<const uint8_t> bytes) {
    if (!hasContainerMagic(bytes)) return std::nullopt;
    files::ByteReader probe(bytes);
    probe.seek(8);
    uint32_t headerSize = probe.u32();
    if (probe.failed()) return std::nullopt;
    // The fields past a shorter header read as zero.
    std::array<uint8_t, kContainerHeaderSize> header{};
    size_t stored = std::min<uint32_t>(headerSize, kContainerHeaderSize);
    if (stored > bytes.size()) return std::nullopt;
    std::copy_n(bytes.begin(), stored, header.begin());
    files::ByteReader fields(header);
    ContainerParts parts;
    fields.seek(6);
    parts.flags = fields.u16();
    parts.headerSize = headerSize;
    fields.seek(kColourOffsetField);
    std::span<const uint8_t>* targets[] = {&parts.colour, &parts.alpha, &parts.cells};
    files::ByteReader whole(bytes);
    for (std::span<const uint8_t>* target : targets) {
        uint32_t offset = fields.u32(), size = fields.u32();
        if (size == 0) continue;
        auto part = whole.at(offset, size);
        if (!part) return std::nullopt;
        *target = *part;
    }
    return parts;
}

std::vector<uint8_t> writeContainer(uint16_t flags, std::span<const uint8_t> colour, std::span<const uint8_t> alpha,
                                    std::span<const uint8_t> cells) {
    std::vector<uint8_t> out(kContainerHeaderSize, 0);
    std::memcpy(out.data(), "QLG", 3);
    out[6] = uint8_t(flags);
    out[7] = uint8_t(flags >> 8);
    putU32(out, 8, kContainerHeaderSize);
    size_t field = kColourOffsetField;
    for (std::span<const uint8_t> part : {colour, alpha, cells}) {
        putU32(out, field, part.empty() ? 0 : uint32_t(out.size()));
        putU32(out, field + 4, uint32_t(part.size()));
        out.insert(out.end(), part.begin(), part.end());
        field += 8;
    }
    return out;
}

}  // namespace qeli::graphics
