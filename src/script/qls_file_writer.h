// Writing compiled script tables as a `.qls` file: the header, then the code stream, the token table
// and the data area, scrambled when the header says so.
#pragma once

#include <cstdint>
#include <vector>

#include "script/qls_format.h"
#include "script/script_record.h"

namespace qeli::script {

struct QlsLayout {
    // Fields past a shorter header are not written (readers take them as 0); a longer one is padded.
    int32_t headerSize = static_cast<int32_t>(kQlsHeaderSize);
    // 1 scrambles the data area; other values are stored as they are and leave it plain.
    uint16_t scrambleFlag = 0;
};

std::vector<uint8_t> writeCompiledScript(const CompiledScript& script, const QlsLayout& layout = {});

}  // namespace qeli::script
