// The compiled script file: a header, a code stream of 32-bit words, a token table and a data area.
// Shared by the loader, the compiler, the disassembler and the test writer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qeli::script {

enum class TokenType : int32_t {
    Command = 0,
    Word = 1,
    IntVariable = 2,
    StringConstant = 3,
    IntConstant = 4,
    StringLiteral = 5,
    FlagArray = 6,
    StringVariable = 7,
    FlagElement = 8,
    StringElement = 9,
    Temporary = 10,
    IntTemporary = 11,
    StringTemporary = 12,
};

// 16 bytes in the file. The type is kept as the raw number: a file may hold any value there.
struct Token {
    int32_t type = 0;
    int32_t nameOffset = 0;
    int32_t valueOffset = 0;
    int32_t aux = 0;

    TokenType kind() const { return static_cast<TokenType>(type); }
};

constexpr bool isIntegerKind(TokenType t) {
    return t == TokenType::IntVariable || t == TokenType::IntConstant || t == TokenType::FlagElement ||
           t == TokenType::IntTemporary;
}
constexpr bool isStringKind(TokenType t) {
    return t == TokenType::StringConstant || t == TokenType::StringLiteral || t == TokenType::StringVariable ||
           t == TokenType::StringElement || t == TokenType::StringTemporary;
}
// Tokens that, standing alone before a command, become the target of its result.
constexpr bool isVariableKind(TokenType t) {
    return t == TokenType::IntVariable || t == TokenType::IntConstant ||
           (t >= TokenType::FlagArray && t <= TokenType::StringTemporary);
}

// Header field offsets.
inline constexpr size_t kQlsHeaderSize = 48;
inline constexpr size_t kQlsScrambleFlagOffset = 6;
inline constexpr size_t kQlsHeaderSizeOffset = 8;
inline constexpr size_t kQlsCodeOffset = 16;
inline constexpr size_t kQlsCodeCountOffset = 20;
inline constexpr size_t kQlsTokenOffset = 24;
inline constexpr size_t kQlsTokenCountOffset = 28;
inline constexpr size_t kQlsDataOffset = 32;
inline constexpr size_t kQlsDataSizeOffset = 36;
inline constexpr size_t kQlsTemporaryCountOffset = 40;
inline constexpr size_t kQlsTokenSize = 16;

inline constexpr uint8_t kScrambleKey = 0x6B;
inline constexpr uint16_t kScrambled = 1;

// The special string variables, as Shift-JIS bytes.
inline constexpr char kProtagonistName[] = "\x8E\xE5\x90\x6C\x8C\xF6";                   // 主人公
inline constexpr char kTempGlobalStringName[] = "tempglobalstring";
inline constexpr char kGeneralStringName[] = "\x94\xC4\x97\x70\x95\xB6\x8E\x9A\x95\xCF\x90\x94";  // 汎用文字変数

}  // namespace qeli::script
