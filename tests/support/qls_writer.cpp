#include "support/qls_writer.h"

#include "script/qls_file_writer.h"

#include <cstdio>

namespace qeli::testing {

using script::TokenType;

namespace {

void putU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    if (out.size() < at + 4) out.resize(at + 4);
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t typeOf(TokenType t) { return static_cast<int32_t>(t); }

}  // namespace

int32_t QlsWriter::addText(std::string_view text) {
    auto offset = static_cast<int32_t>(m_data.size());
    m_data.insert(m_data.end(), text.begin(), text.end());
    m_data.push_back(0);
    return offset;
}

int32_t QlsWriter::addCell(int32_t value) {
    auto offset = static_cast<int32_t>(m_data.size());
    putU32(m_data, m_data.size(), static_cast<uint32_t>(value));
    return offset;
}

void QlsWriter::setCell(int32_t offset, int32_t value) {
    putU32(m_data, static_cast<size_t>(offset), static_cast<uint32_t>(value));
}

int32_t QlsWriter::addToken(int32_t type, int32_t nameOffset, int32_t valueOffset, int32_t aux) {
    m_tokens.push_back({type, nameOffset, valueOffset, aux});
    return static_cast<int32_t>(m_tokens.size() - 1);
}

int32_t QlsWriter::command(std::string_view name) {
    if (auto it = m_commands.find(name); it != m_commands.end()) return it->second;
    int32_t t = addToken(typeOf(TokenType::Command), addText(name), 0, 0);
    m_commands.emplace(std::string(name), t);
    return t;
}

int32_t QlsWriter::word(std::string_view text, int32_t cell) {
    // Labels and braces carry a position of their own, so only plain words are shared.
    bool shared = text != "{" && text != "}";
    if (shared)
        if (auto it = m_words.find(text); it != m_words.end()) return it->second;
    int32_t t = addToken(typeOf(TokenType::Word), addText(text), addCell(cell), -1);
    if (shared) m_words.emplace(std::string(text), t);
    return t;
}

int32_t QlsWriter::intConstant(int32_t value) { return addToken(typeOf(TokenType::IntConstant), 0, addCell(value), 0); }

int32_t QlsWriter::intVariable(std::string_view name, int32_t value) {
    return addToken(typeOf(TokenType::IntVariable), addText(name), addCell(value), 0);
}

int32_t QlsWriter::stringLiteral(std::string_view text) {
    return addToken(typeOf(TokenType::StringLiteral), 0, addText(text), 0);
}

int32_t QlsWriter::stringConstant(std::string_view text) {
    return addToken(typeOf(TokenType::StringConstant), 0, addText(text), 0);
}

int32_t QlsWriter::flagArray(bool global) {
    return addToken(typeOf(TokenType::FlagArray), addText(global ? "GlobalFlag" : "Flag"), 0, 0);
}

int32_t QlsWriter::stringVariable(std::string_view name) {
    return addToken(typeOf(TokenType::StringVariable), addText(name), 0, 0);
}

int32_t QlsWriter::flagElement(bool global, int32_t index) {
    int32_t name = addText(global ? "GlobalFlag" : "Flag");
    return addToken(typeOf(TokenType::FlagElement), name, 0, addCell(index));
}

int32_t QlsWriter::stringElement(bool global, int32_t index) {
    int32_t name = addText(global ? "GlobalString" : "String");
    return addToken(typeOf(TokenType::StringElement), name, 0, addCell(index));
}

int32_t QlsWriter::temporary(int32_t number, TokenType type) { return addToken(typeOf(type), 0, number, 0); }

void QlsWriter::call(std::string_view name, const std::vector<int32_t>& params) {
    emit(command(name));
    emit(static_cast<int32_t>(params.size()));
    for (int32_t p : params) emit(p);
}

void QlsWriter::assign(int32_t target, std::string_view name, const std::vector<int32_t>& params) {
    emit(target);
    call(name, params);
}

std::vector<uint8_t> QlsWriter::build() const {
    script::CompiledScript tables{m_code, m_tokens, m_data, m_temporaryCount};
    return script::writeCompiledScript(tables, {m_headerSize, m_scrambleFlag});
}

bool QlsWriter::writeTo(const std::string& path) const {
    std::vector<uint8_t> bytes = build();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace qeli::testing
