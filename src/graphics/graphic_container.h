// The graphic container `.qlg`: a 64-byte header (shorter headers read as zero past their size), a
// colour image and an optional alpha image (each a whole BMP or PNG file; a PNG may be tagged "GNP")
// and an optional sprite-cell table, each found by absolute offset and size.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qeli::graphics {

inline constexpr uint16_t kContainerColourKeyFlag = 2;
inline constexpr uint32_t kContainerHeaderSize = 64;

struct ContainerParts {
    uint16_t flags = 0;
    uint32_t headerSize = 0;
    // Empty spans are absent parts.
    std::span<const uint8_t> colour;
    std::span<const uint8_t> alpha;
    std::span<const uint8_t> cells;
};

bool hasContainerMagic(std::span<const uint8_t> bytes);

// The parts of a container; nothing when the magic is wrong, the header is cut short or a part
// lies outside the bytes.
std::optional<ContainerParts> readContainer(std::span<const uint8_t> bytes);

// A container with a full header; the parts follow it in the order colour, alpha, cells.
std::vector<uint8_t> writeContainer(uint16_t flags, std::span<const uint8_t> colour, std::span<const uint8_t> alpha,
                                    std::span<const uint8_t> cells);

}  // namespace qeli::graphics
