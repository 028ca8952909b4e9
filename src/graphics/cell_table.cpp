#include "graphics/cell_table.h"

#include "files/byte_reader.h"

namespace qeli::graphics {

bool CellRecord::isSeparator() const {
    for (int32_t word : words)
        if (word != 0) return false;
    return true;
}

std::span<const CellRecord> CellTable::character(int32_t number) const {
    if (number < 0 || size_t(number) >= characters.size()) return {};
    const CellCharacter& c = characters[size_t(number)];
    return std::span<const CellRecord>(records).subspan(size_t(c.first), size_t(c.count));
}

// Every separator ends one character, so a table that starts with a separator or holds two in a row
// has empty characters there instead of characters whose first record is a separator. For tables
// without such runs this is the usual grouping: a run of records between separators, the last run
// with or without a separator after it.
CellTable parseCellTable(std::span<const uint8_t> bytes) {
    CellTable table;
    files::ByteReader reader(bytes);
    size_t count = bytes.size() / kCellRecordSize;
    table.records.resize(count);
    for (CellRecord& record : table.records)
        for (int32_t& word : record.words) word = reader.i32();
    size_t index = 0;
    while (index < count) {
        CellCharacter character{int32_t(index), 0};
        while (index < count && !table.records[index].isSeparator()) {
            ++character.count;
            ++index;
        }
        table.characters.push_back(character);
        ++index;  // the separator that ends this character, if any
    }
    return table;
}

std::vector<uint8_t> encodeCellTable(std::span<const CellRecord> records) {
    std::vector<uint8_t> bytes;
    bytes.reserve(records.size() * kCellRecordSize);
    for (const CellRecord& record : records)
        for (int32_t word : record.words)
            for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(uint32_t(word) >> shift));
    return bytes;
}

}  // namespace qeli::graphics
