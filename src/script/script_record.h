// One loaded script on the call stack: its code stream, token table, data area and temporaries, with
// the positions and per-script settings the interpreter keeps for it.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "script/qls_format.h"

namespace qeli::script {

enum class TemporaryKind : int32_t { Empty = 0, Integer = 1, String = 2 };

struct Temporary {
    TemporaryKind kind = TemporaryKind::Empty;
    int32_t value = 0;
    std::optional<std::string> text;
};

// The three tables of a script, as the loader or the compiler produce them.
struct CompiledScript {
    std::vector<int32_t> code;
    std::vector<Token> tokens;
    std::vector<uint8_t> data;
    int32_t temporaryCount = 0;
};

inline constexpr int kTextProgressSlots = 16;

struct ScriptRecord {
    std::string fileName;
    int32_t currentPosition = 0;
    int32_t nextPosition = 0;

    std::vector<int32_t> code;
    std::vector<Token> tokens;
    // The data area, followed by one guard NUL byte so that every text read from it ends.
    std::vector<uint8_t> data = std::vector<uint8_t>(1, 0);
    std::vector<Temporary> temporaries;

    int32_t pendingTarget = 0;
    bool targetPending = false;
    std::array<int32_t, kTextProgressSlots> textProgress{};

    int32_t skipLevel = 0;
    uint8_t subMenuEnable = 0;
    uint8_t subMenuMark = 0;
    int32_t choiceId = 0;
    bool choiceIdSet = false;

    // One byte per code word, owned by the read-text record.
    uint8_t* readFlags = nullptr;

    int32_t codeLength() const { return static_cast<int32_t>(code.size()); }
    bool atEnd() const { return currentPosition >= codeLength(); }
    void endNow() { nextPosition = codeLength(); }

    // Installs loaded tables; the data area gets its guard byte.
    void setTables(CompiledScript script);

    // Offsets come from the file: reads outside the data area give 0 or an empty text, writes there
    // are dropped. Cells need not be aligned.
    // Every command reads its parameters through these, so each range check is one unsigned compare
    // (a negative offset turns into a huge one).
    size_t dataSize() const { return data.size() - 1; }
    bool holdsCell(int32_t offset) const { return uint64_t{static_cast<uint32_t>(offset)} + 4 <= dataSize(); }
    int32_t cell(int32_t offset) const {
        if (!holdsCell(offset)) return 0;
        int32_t value;
        std::memcpy(&value, data.data() + static_cast<uint32_t>(offset), 4);
        return value;
    }
    void setCell(int32_t offset, int32_t value) {
        if (holdsCell(offset)) std::memcpy(data.data() + static_cast<uint32_t>(offset), &value, 4);
    }
    const char* text(int32_t offset) const {
        if (static_cast<uint32_t>(offset) >= dataSize()) return "";
        return reinterpret_cast<const char*>(data.data() + static_cast<uint32_t>(offset));
    }

    const Token* token(int32_t index) const {
        return static_cast<uint32_t>(index) < tokens.size() ? &tokens[static_cast<uint32_t>(index)] : nullptr;
    }
    Token* token(int32_t index) {
        return static_cast<uint32_t>(index) < tokens.size() ? &tokens[static_cast<uint32_t>(index)] : nullptr;
    }
    Temporary* temporary(int32_t number) {
        if (number < 0 || static_cast<size_t>(number) >= temporaries.size()) return nullptr;
        return &temporaries[static_cast<size_t>(number)];
    }
};

}  // namespace qeli::script
