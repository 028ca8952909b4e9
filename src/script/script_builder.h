// The tables of a script being compiled: tokens shared or made new as the compiled format wants, the
// data area with names, texts and cells, and the code stream with the source offset of every word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/qls_format.h"
#include "script/script_record.h"

namespace qeli::script {

class ScriptBuilder {
public:
    ScriptBuilder();

    // One token per distinct command name, and one per distinct bare word or operator (cell -1).
    int32_t command(std::string_view name);
    int32_t word(std::string_view text);
    // New tokens for every occurrence.
    int32_t brace(std::string_view text);
    int32_t number(int32_t value);
    int32_t hiddenCell() { return number(0); }
    int32_t stringLiteral(std::string_view text);
    int32_t variable(TokenType type, std::string_view name, int32_t indexCell = 0);
    int32_t temporary();

    void emit(int32_t word, uint32_t sourceOffset);
    int32_t position() const { return static_cast<int32_t>(m_code.size()); }

    const std::vector<int32_t>& code() const { return m_code; }
    uint32_t sourceOffsetAt(int32_t position) const { return m_codeSource[static_cast<size_t>(position)]; }
    const Token& token(int32_t index) const { return m_tokens[static_cast<size_t>(index)]; }
    std::string_view text(int32_t offset) const;
    int32_t cell(int32_t offset) const;
    void setCell(int32_t offset, int32_t value);
    // The cell of a token (its value offset), e.g. a hidden cell used as a subscript.
    int32_t cellOffsetOf(int32_t token) const { return m_tokens[static_cast<size_t>(token)].valueOffset; }

    CompiledScript finish();

private:
    int32_t addText(std::string_view text);
    int32_t internText(std::string_view text);
    int32_t addCell(int32_t value);
    int32_t addToken(TokenType type, int32_t nameOffset, int32_t valueOffset, int32_t aux);

    std::vector<uint8_t> m_data;
    std::vector<Token> m_tokens;
    std::vector<int32_t> m_code;
    std::vector<uint32_t> m_codeSource;
    // Looked up by string_view without making a string: most lookups find what is there already.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using TextMap = std::unordered_map<std::string, int32_t, TextHash, std::equal_to<>>;
    // The value for `text`, made by `make` the first time.
    template <typename Make>
    static int32_t findOrAdd(TextMap& map, std::string_view text, Make make) {
        if (auto it = map.find(text); it != map.end()) return it->second;
        int32_t value = make();
        map.emplace(std::string(text), value);
        return value;
    }

    TextMap m_commands;
    TextMap m_words;
    TextMap m_names;
    int32_t m_temporaryCount = 0;
};

}  // namespace qeli::script
