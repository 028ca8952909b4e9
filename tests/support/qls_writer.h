// Builds compiled script files in code, so tests and fixtures need no binary files: every header
// field, every token type and the scramble flag can be set.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "script/qls_format.h"

namespace qeli::testing {

class QlsWriter {
public:
    // Data area: returns the offset of what was added.
    int32_t addText(std::string_view text);
    int32_t addCell(int32_t value);
    void setCell(int32_t offset, int32_t value);

    // Tokens: return the token index. Commands and words with the same text share one token.
    int32_t addToken(int32_t type, int32_t nameOffset, int32_t valueOffset, int32_t aux);
    int32_t command(std::string_view name);
    int32_t word(std::string_view text, int32_t cell = -1);
    int32_t intConstant(int32_t value);
    int32_t intVariable(std::string_view name, int32_t value);
    int32_t stringLiteral(std::string_view text);
    int32_t stringConstant(std::string_view text);
    int32_t flagArray(bool global);
    int32_t stringVariable(std::string_view name);
    int32_t flagElement(bool global, int32_t index);
    int32_t stringElement(bool global, int32_t index);
    int32_t temporary(int32_t number, script::TokenType type = script::TokenType::Temporary);
    // The integer cell of a token (its value offset), e.g. to link a brace after the fact.
    int32_t cellOf(int32_t token) const { return m_tokens[static_cast<size_t>(token)].valueOffset; }

    // Code stream.
    int32_t position() const { return static_cast<int32_t>(m_code.size()); }
    void emit(int32_t word) { m_code.push_back(word); }
    // The command word, its parameter count and one word per parameter.
    void call(std::string_view name, const std::vector<int32_t>& params);
    // `target`, then the command: its result goes into the target.
    void assign(int32_t target, std::string_view name, const std::vector<int32_t>& params);

    // Header.
    void setTemporaryCount(int32_t count) { m_temporaryCount = count; }
    void setScrambleFlag(uint16_t flag) { m_scrambleFlag = flag; }
    // Fields past a short header are not written; a longer header is padded with zeros.
    void setHeaderSize(int32_t size) { m_headerSize = size; }

    std::vector<uint8_t> build() const;
    bool writeTo(const std::string& path) const;

private:
    std::vector<uint8_t> m_data;
    std::vector<script::Token> m_tokens;
    std::vector<int32_t> m_code;
    std::map<std::string, int32_t, std::less<>> m_commands;
    std::map<std::string, int32_t, std::less<>> m_words;
    int32_t m_temporaryCount = 0;
    uint16_t m_scrambleFlag = 0;
    int32_t m_headerSize = 48;
};

}  // namespace qeli::testing
