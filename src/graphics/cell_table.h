// The sprite-cell table of a graphic: 32-byte records of eight little-endian words, grouped into
// sprite characters by all-zero separator records. Playing the cells is the sprite's business.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace qeli::graphics {

enum class CellType : int32_t { Image = 0, Jump = 1, Character = 2 };

// Image cell: x, y, width, height, duration, play mode on entry (0: keep), unused, type.
// Jump cell: word 0 is the index to go to. Character cell: word 0 is the character to switch to.
struct CellRecord {
    std::array<int32_t, 8> words{};

    int32_t type() const { return words[7]; }
    bool isSeparator() const;
};

struct CellCharacter {
    int32_t first = 0;
    int32_t count = 0;
};

struct CellTable {
    std::vector<CellRecord> records;
    std::vector<CellCharacter> characters;

    bool empty() const { return records.empty(); }
    // The records of a character, or an empty span when there is no such character.
    std::span<const CellRecord> character(int32_t number) const;
};

inline constexpr size_t kCellRecordSize = 32;

// Whole records only; bytes beyond the last multiple of 32 are ignored.
CellTable parseCellTable(std::span<const uint8_t> bytes);
std::vector<uint8_t> encodeCellTable(std::span<const CellRecord> records);

}  // namespace qeli::graphics
