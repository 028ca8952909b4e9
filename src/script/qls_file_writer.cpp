#include "script/qls_file_writer.h"

namespace qeli::script {

namespace {

void putU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}
void appendU32(std::vector<uint8_t>& out, int32_t value) {
    out.resize(out.size() + 4);
    putU32(out, out.size() - 4, static_cast<uint32_t>(value));
}

}  // namespace

std::vector<uint8_t> writeCompiledScript(const CompiledScript& script, bool scramble) {
    std::vector<uint8_t> out(kQlsHeaderSize, 0);
    const size_t codeAt = kQlsHeaderSize;
    const size_t tokensAt = codeAt + script.code.size() * 4;
    const size_t dataAt = tokensAt + script.tokens.size() * kQlsTokenSize;
    out[0] = 'Q';
    out[1] = 'L';
    out[2] = 'S';
    out[kQlsScrambleFlagOffset] = scramble ? kScrambled : 0;
    putU32(out, kQlsHeaderSizeOffset, kQlsHeaderSize);
    putU32(out, kQlsCodeOffset, static_cast<uint32_t>(codeAt));
    putU32(out, kQlsCodeCountOffset, static_cast<uint32_t>(script.code.size()));
    putU32(out, kQlsTokenOffset, static_cast<uint32_t>(tokensAt));
    putU32(out, kQlsTokenCountOffset, static_cast<uint32_t>(script.tokens.size()));
    putU32(out, kQlsDataOffset, static_cast<uint32_t>(dataAt));
    putU32(out, kQlsDataSizeOffset, static_cast<uint32_t>(script.data.size()));
    putU32(out, kQlsTemporaryCountOffset, static_cast<uint32_t>(script.temporaryCount));

    out.reserve(dataAt + script.data.size());
    for (int32_t word : script.code) appendU32(out, word);
    for (const Token& token : script.tokens) {
        appendU32(out, token.type);
        appendU32(out, token.nameOffset);
        appendU32(out, token.valueOffset);
        // The command-row cache is run-time state and never stored.
        appendU32(out, token.kind() == TokenType::Command ? 0 : token.aux);
    }
    for (uint8_t byte : script.data) out.push_back(scramble ? byte ^ kScrambleKey : byte);
    return out;
}

}  // namespace qeli::script
