#include "script/script_builder.h"

#include <cstring>

namespace qeli::script {

// Offset 0 holds an empty text, so that tokens whose name offset is 0 (constants, temporaries) never
// match a label by name.
ScriptBuilder::ScriptBuilder() { m_data.push_back(0); }

int32_t ScriptBuilder::addText(std::string_view text) {
    auto offset = static_cast<int32_t>(m_data.size());
    m_data.insert(m_data.end(), text.begin(), text.end());
    m_data.push_back(0);
    return offset;
}

// Names that many tokens carry ("Flag", "String") are stored once.
int32_t ScriptBuilder::internText(std::string_view text) {
    return findOrAdd(m_names, text, [&] { return addText(text); });
}

int32_t ScriptBuilder::addCell(int32_t value) {
    auto offset = static_cast<int32_t>(m_data.size());
    uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);
    m_data.insert(m_data.end(), bytes, bytes + 4);
    return offset;
}

int32_t ScriptBuilder::addToken(TokenType type, int32_t nameOffset, int32_t valueOffset, int32_t aux) {
    m_tokens.push_back(Token{static_cast<int32_t>(type), nameOffset, valueOffset, aux});
    return static_cast<int32_t>(m_tokens.size()) - 1;
}

int32_t ScriptBuilder::command(std::string_view name) {
    return findOrAdd(m_commands, name, [&] { return addToken(TokenType::Command, internText(name), 0, 0); });
}

int32_t ScriptBuilder::word(std::string_view text) {
    return findOrAdd(m_words, text, [&] { return addToken(TokenType::Word, internText(text), addCell(-1), -1); });
}

int32_t ScriptBuilder::brace(std::string_view text) {
    return addToken(TokenType::Word, internText(text), addCell(-1), -1);
}

int32_t ScriptBuilder::number(int32_t value) { return addToken(TokenType::IntConstant, 0, addCell(value), 0); }

int32_t ScriptBuilder::stringLiteral(std::string_view text) {
    return addToken(TokenType::StringLiteral, 0, addText(text), 0);
}

int32_t ScriptBuilder::variable(TokenType type, std::string_view name, int32_t indexCell) {
    return addToken(type, internText(name), 0, indexCell);
}

int32_t ScriptBuilder::temporary() { return addToken(TokenType::Temporary, 0, m_temporaryCount++, 0); }

void ScriptBuilder::emit(int32_t word, uint32_t sourceOffset) {
    m_code.push_back(word);
    m_codeSource.push_back(sourceOffset);
}

std::string_view ScriptBuilder::text(int32_t offset) const {
    if (offset < 0 || static_cast<size_t>(offset) >= m_data.size()) return {};
    return reinterpret_cast<const char*>(m_data.data() + offset);
}

int32_t ScriptBuilder::cell(int32_t offset) const {
    int32_t value = 0;
    if (offset >= 0 && static_cast<size_t>(offset) + 4 <= m_data.size()) std::memcpy(&value, m_data.data() + offset, 4);
    return value;
}

void ScriptBuilder::setCell(int32_t offset, int32_t value) {
    if (offset >= 0 && static_cast<size_t>(offset) + 4 <= m_data.size()) std::memcpy(m_data.data() + offset, &value, 4);
}

CompiledScript ScriptBuilder::finish() {
    CompiledScript script;
    script.code = std::move(m_code);
    script.tokens = std::move(m_tokens);
    script.data = std::move(m_data);
    script.temporaryCount = m_temporaryCount;
    return script;
}

}  // namespace qeli::script
