#include "script/script_loader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "files/byte_reader.h"
#include "files/program_data.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "saved/read_text_record.h"
#include "script/compiler.h"
#include "script/script_context.h"
#include "script/source_preconversion.h"

namespace qeli::script {

namespace {

struct Header {
    uint16_t scramble;
    int32_t codeOffset, codeCount, tokenOffset, tokenCount, dataOffset, dataSize, temporaryCount;
};

// The first min(header size, 48) bytes of the file over a zeroed 48-byte header: a short header reads
// as 0 in the fields it does not cover.
Header readHeader(std::span<const uint8_t> bytes) {
    uint8_t raw[kQlsHeaderSize] = {};
    files::ByteReader probe(bytes);
    probe.seek(kQlsHeaderSizeOffset);
    int64_t declared = probe.i32();
    size_t n = static_cast<size_t>(std::clamp<int64_t>(declared, 0, kQlsHeaderSize));
    n = std::min(n, bytes.size());
    std::memcpy(raw, bytes.data(), n);

    files::ByteReader r(std::span<const uint8_t>(raw, kQlsHeaderSize));
    Header h{};
    r.seek(kQlsScrambleFlagOffset);
    h.scramble = r.u16();
    r.seek(kQlsCodeOffset);
    h.codeOffset = r.i32();
    h.codeCount = r.i32();
    h.tokenOffset = r.i32();
    h.tokenCount = r.i32();
    h.dataOffset = r.i32();
    h.dataSize = r.i32();
    h.temporaryCount = r.i32();
    return h;
}

void reportCompileFailure(std::string_view fileName) {
    platform::showMessageBox("Script Convert Error",
                             "Script Convert Error\n\nScripte[" + platform::cp932ToUtf8(fileName) + "]",
                             platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

}  // namespace

bool hasCompiledScriptMagic(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 'Q' && bytes[1] == 'L' && bytes[2] == 'S';
}

std::optional<CompiledScript> parseCompiledScript(std::span<const uint8_t> bytes) {
    if (!hasCompiledScriptMagic(bytes)) return std::nullopt;
    Header h = readHeader(bytes);
    files::ByteReader file(bytes);
    auto code = file.at(h.codeOffset, int64_t{h.codeCount} * 4);
    auto tokens = file.at(h.tokenOffset, int64_t{h.tokenCount} * int64_t{kQlsTokenSize});
    auto data = file.at(h.dataOffset, h.dataSize);
    if (!code || !tokens || !data || h.temporaryCount < 0) return std::nullopt;

    CompiledScript script;
    script.code.resize(static_cast<size_t>(h.codeCount));
    files::ByteReader c(*code);
    for (int32_t& word : script.code) word = c.i32();
    script.tokens.resize(static_cast<size_t>(h.tokenCount));
    files::ByteReader t(*tokens);
    for (Token& token : script.tokens) {
        token.type = t.i32();
        token.nameOffset = t.i32();
        token.valueOffset = t.i32();
        // The command-row cache is run-time state: every load resolves the names afresh.
        int32_t aux = t.i32();
        token.aux = token.kind() == TokenType::Command ? 0 : aux;
    }
    script.data.assign(data->begin(), data->end());
    if (h.scramble == kScrambled)
        for (uint8_t& b : script.data) b ^= kScrambleKey;
    // Every temporary is named by a token of its own, so more than the token count are never reached;
    // the cap keeps a forged count from allocating more than the file can use.
    script.temporaryCount = std::min(h.temporaryCount, h.tokenCount);
    return script;
}

bool loadScriptInto(ScriptContext& context, ScriptRecord& record, std::string_view fileName) {
    auto bytes = files::readProgramData(fileName);
    if (!bytes) return false;

    std::optional<CompiledScript> script;
    if (hasCompiledScriptMagic(*bytes)) {
        script = parseCompiledScript(*bytes);
        if (!script) return false;
    } else {
        BoxReporter reporter;
        if (auto text = preconvertScriptSource(*bytes, reporter)) script = compileScriptSource(*text, reporter);
        if (!script) {
            reportCompileFailure(fileName);
            return false;
        }
    }
    bytes.reset();
    record.setTables(std::move(*script));
    record.fileName = std::string(fileName);
    record.readFlags = context.readText.flagsFor(fileName, record.codeLength());
    return true;
}

ScriptRecord& loadScript(ScriptContext& context, std::string_view fileName) {
    ScriptRecord& record = context.push();
    loadScriptInto(context, record, fileName);
    return record;
}

}  // namespace qeli::script
