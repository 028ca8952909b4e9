#include "script/source_lexer.h"


#include "platform/text_encoding.h"

namespace qeli::script {

namespace {

bool isLead(const uint8_t* s, size_t at, size_t size) { return platform::isCp932LeadByte(s[at]) && at + 1 < size; }
bool isBlank(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The characters that end a word.
constexpr CharacterSet isDelimiter(" ()[]{},:;\"+-*/%=<>^|&");

LexemeKind punctuation(char c) {
    switch (c) {
    case '(': return LexemeKind::OpenParen;
    case ')': return LexemeKind::CloseParen;
    case '[': return LexemeKind::OpenBracket;
    case ']': return LexemeKind::CloseBracket;
    case '{': return LexemeKind::OpenBrace;
    case '}': return LexemeKind::CloseBrace;
    case ',': return LexemeKind::Comma;
    case ':': return LexemeKind::Colon;
    case ';': return LexemeKind::Semicolon;
    default: return LexemeKind::Operator;
    }
}

}  // namespace

NormalisedSource normaliseSource(std::span<const uint8_t> source) {
    NormalisedSource out;
    out.text.reserve(source.size());
    out.sourceOffset.reserve(source.size());
    auto put = [&out](uint8_t c, size_t from) {
        out.text.push_back(static_cast<char>(c));
        out.sourceOffset.push_back(static_cast<uint32_t>(from));
    };
    bool inString = false;
    size_t i = 0;
    while (i < source.size()) {
        uint8_t c = source[i];
        if (isLead(source.data(), i, source.size())) {
            put(c, i);
            put(source[i + 1], i + 1);
            i += 2;
            continue;
        }
        if (inString || c == '"') {
            if (c == '"') inString = !inString;
            put(c, i++);
        } else if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
            while (i < source.size() && source[i] != '\n') ++i;
        } else if (isBlank(c)) {
            if (!out.text.empty() && out.text.back() != ' ') put(' ', i);
            ++i;
        } else {
            put(c, i++);
        }
    }
    return out;
}

std::vector<Lexeme> lexSource(const std::string& normalised) {
    std::vector<Lexeme> lexemes;
    const auto* s = reinterpret_cast<const uint8_t*>(normalised.data());
    const size_t size = normalised.size();
    size_t i = 0;
    while (i < size) {
        uint8_t c = s[i];
        const auto begin = static_cast<uint32_t>(i);
        if (c == ' ') {
            ++i;
        } else if (c == '"') {
            size_t close = i + 1;
            while (close < size && s[close] != '"') close += isLead(s, close, size) ? 2 : 1;
            close = std::min(close, size);
            lexemes.push_back({LexemeKind::String, begin + 1, static_cast<uint32_t>(close)});
            i = close + 1;
        } else if (isDelimiter(c)) {
            lexemes.push_back({punctuation(static_cast<char>(c)), begin, begin + 1});
            ++i;
        } else {
            while (i < size && (isLead(s, i, size) || !isDelimiter(s[i]))) i += isLead(s, i, size) ? 2 : 1;
            i = std::min(i, size);
            LexemeKind kind = (c >= '0' && c <= '9') ? LexemeKind::Number : LexemeKind::Name;
            lexemes.push_back({kind, begin, static_cast<uint32_t>(i)});
        }
    }
    return lexemes;
}

}  // namespace qeli::script
