#include "script/qls_file_writer.h"

#include <algorithm>

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

std::vector<uint8_t> writeCompiledScript(const CompiledScript& script, const QlsLayout& layout) {
    // The header size field itself lies at bytes 8 to 11, so no header is shorter than that.
    const size_t header = static_cast<size_t>(std::max<int32_t>(layout.headerSize, kQlsHeaderSizeOffset + 4));
    const size_t codeAt = header;
    const size_t tokensAt = codeAt + script.code.size() * 4;
    const size_t dataAt = tokensAt + script.tokens.size() * kQlsTokenSize;
    std::vector<uint8_t> fields(kQlsHeaderSize, 0);
    fields[0] = 'Q';
    fields[1] = 'L';
    fields[2] = 'S';
    fields[kQlsScrambleFlagOffset] = static_cast<uint8_t>(layout.scrambleFlag);
    fields[kQlsScrambleFlagOffset + 1] = static_cast<uint8_t>(layout.scrambleFlag >> 8);
    putU32(fields, kQlsHeaderSizeOffset, static_cast<uint32_t>(layout.headerSize));
    putU32(fields, kQlsCodeOffset, static_cast<uint32_t>(codeAt));
    putU32(fields, kQlsCodeCountOffset, static_cast<uint32_t>(script.code.size()));
    putU32(fields, kQlsTokenOffset, static_cast<uint32_t>(tokensAt));
    putU32(fields, kQlsTokenCountOffset, static_cast<uint32_t>(script.tokens.size()));
    putU32(fields, kQlsDataOffset, static_cast<uint32_t>(dataAt));
    putU32(fields, kQlsDataSizeOffset, static_cast<uint32_t>(script.data.size()));
    putU32(fields, kQlsTemporaryCountOffset, static_cast<uint32_t>(script.temporaryCount));

    std::vector<uint8_t> out(header, 0);
    std::copy_n(fields.begin(), std::min(header, kQlsHeaderSize), out.begin());
    out.reserve(dataAt + script.data.size());
    for (int32_t word : script.code) appendU32(out, word);
    for (const Token& token : script.tokens) {
        appendU32(out, token.type);
        appendU32(out, token.nameOffset);
        appendU32(out, token.valueOffset);
        // The command-row cache is run-time state and never stored.
        appendU32(out, token.kind() == TokenType::Command ? 0 : token.aux);
    }
    const bool scramble = layout.scrambleFlag == kScrambled;
    for (uint8_t byte : script.data) out.push_back(scramble ? byte ^ kScrambleKey : byte);
    return out;
}

}  // namespace qeli::script
