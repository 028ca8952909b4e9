// Normalising checked source text (comments out, blanks collapsed to one space outside strings) and
// cutting it into the items the statement compiler reads.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qeli::script {

// A class of characters as a table: the compiler's scanners look at every character of the text.
struct CharacterSet {
    explicit constexpr CharacterSet(std::string_view members) {
        for (char c : members) contains[static_cast<uint8_t>(c)] = true;
    }
    constexpr bool operator()(uint8_t c) const { return contains[c]; }
    bool contains[256] = {};
};

struct NormalisedSource {
    std::string text;
    // For every byte of `text`, the offset in the source it came from (for messages).
    std::vector<uint32_t> sourceOffset;
};

NormalisedSource normaliseSource(std::span<const uint8_t> source);

enum class LexemeKind {
    Name,  // a command, variable, label or other bare word
    Number,
    String,  // the text between the quotes
    Operator,  // one of + - * / % = < > ^ | &
    OpenParen,
    CloseParen,
    OpenBracket,
    CloseBracket,
    OpenBrace,
    CloseBrace,
    Comma,
    Colon,
    Semicolon,
};

struct Lexeme {
    LexemeKind kind;
    uint32_t begin;  // offsets in the normalised text
    uint32_t end;
    std::string_view text(const std::string& source) const { return std::string_view(source).substr(begin, end - begin); }
};

std::vector<Lexeme> lexSource(const std::string& normalised);

}  // namespace qeli::script
