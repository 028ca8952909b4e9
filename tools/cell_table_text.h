// The sprite-cell table as text, one record per line, for `qeli-tool graphic unpack` and `pack`:
//   image X Y WIDTH HEIGHT DURATION [MODE [WORD6]]
//   jump INDEX
//   character NUMBER
//   separator
//   raw W0 W1 W2 W3 W4 W5 W6 W7      (any record, word by word)
// Blank lines and lines starting with '#' are ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/cell_table.h"

namespace qeli::tools {

std::string cellTableToText(const graphics::CellTable& table);

// The records, or an error naming the line.
struct CellTextResult {
    std::vector<graphics::CellRecord> records;
    std::string error;
};
CellTextResult parseCellTableText(std::string_view text);

}  // namespace qeli::tools
