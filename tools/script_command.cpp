#include "script_command.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "script/compiler.h"
#include "script/qls_file_writer.h"
#include "script/script_loader.h"
#include "script/source_preconversion.h"
#include "script_listing.h"

namespace qeli::tools {

namespace {

constexpr char kUsage[] =
    "usage: qeli-tool script compile SOURCE [-o OUT.qls] [--scramble]\n"
    "       qeli-tool script check SOURCE...\n"
    "       qeli-tool script disasm FILE\n";

// Prints each compiler message with its file, line (counted from 1) and the line's text, in UTF-8,
// and answers Retry so that every check reports every error it finds.
class PrintingReporter final : public script::CompilerReporter {
public:
    PrintingReporter(std::string file, FILE* out) : m_file(std::move(file)), m_out(out) {}

    // The text the next messages are about; `cp932` says whether it still needs converting.
    void setSource(std::span<const uint8_t> text, bool cp932) {
        m_source.emplace(text);
        m_cp932 = cp932;
    }
    bool rejected() const { return m_rejected; }

    platform::BoxAnswer report(const script::CompilerMessage& message) override {
        m_rejected = m_rejected || message.rejects;
        std::string text = message.text;
        for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 5)) text.replace(at, 1, "\n    ");
        std::fprintf(m_out, "%s:%d: %s: %s\n", m_file.c_str(), message.line + 1, message.rejects ? "error" : "warning",
                     text.c_str());
        if (m_source) {
            std::string_view line = m_source->lineText(message.line, 4096);
            std::fprintf(m_out, "%6d | %s\n", message.line + 1,
                         (m_cp932 ? platform::cp932ToUtf8(line) : std::string(line)).c_str());
        }
        return platform::BoxAnswer::Retry;
    }

private:
    std::string m_file;
    FILE* m_out;
    std::optional<script::SourceText> m_source;
    bool m_cp932 = true;
    bool m_rejected = false;
};

std::optional<std::vector<uint8_t>> readFile(const std::string& path) {
    auto bytes = platform::readWholeFile(path);
    if (!bytes) std::fprintf(stderr, "qeli-tool: cannot read %s\n", path.c_str());
    return bytes;
}

// Source text through the pre-conversion and the compiler, with every message printed to `out`.
std::optional<script::CompiledScript> compileFile(const std::string& path, bool& rejected, FILE* out = stderr) {
    rejected = true;
    auto bytes = readFile(path);
    if (!bytes) return std::nullopt;
    if (script::hasCompiledScriptMagic(*bytes)) {
        std::fprintf(stderr, "qeli-tool: %s is a compiled script already, not source text\n", path.c_str());
        return std::nullopt;
    }
    PrintingReporter reporter(path, out);
    std::span<const uint8_t> raw(*bytes);
    if (script::hasUtf8ByteOrderMark(raw)) reporter.setSource(raw.subspan(3), false);
    auto text = script::preconvertScriptSource(raw, reporter);
    if (!text) return std::nullopt;
    reporter.setSource(*text, true);
    auto compiled = script::compileScriptSource(*text, reporter);
    rejected = !compiled || reporter.rejected();
    return compiled;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "qeli-tool: cannot write %s\n", path.c_str());
    return ok;
}

std::string defaultOutput(const std::string& source) {
    size_t slash = source.find_last_of('/');
    size_t dot = source.find_last_of('.');
    std::string stem = (dot != std::string::npos && (slash == std::string::npos || dot > slash)) ? source.substr(0, dot)
                                                                                                 : source;
    return stem + ".qls";
}

int compile(const std::vector<std::string>& args) {
    std::string source, output;
    bool scramble = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
        else if (args[i] == "--scramble") scramble = true;
        else if (source.empty()) source = args[i];
        else return std::fputs(kUsage, stderr), 2;
    }
    if (source.empty()) return std::fputs(kUsage, stderr), 2;
    if (output.empty()) output = defaultOutput(source);
    if (output == source) {
        std::fprintf(stderr, "qeli-tool: %s would overwrite its source; name the output with -o\n", source.c_str());
        return 2;
    }
    bool rejected = false;
    auto compiled = compileFile(source, rejected);
    if (!compiled) return 1;
    return writeFile(output, script::writeCompiledScript(*compiled, {.scrambleFlag = static_cast<uint16_t>(scramble ? script::kScrambled : 0)})) ? 0 : 1;
}

int check(const std::vector<std::string>& files) {
    if (files.empty()) return std::fputs(kUsage, stderr), 2;
    int status = 0;
    for (const std::string& file : files) {
        bool rejected = false;
        compileFile(file, rejected, stdout);
        if (rejected) status = 1;
    }
    return status;
}

int disasm(const std::vector<std::string>& args) {
    if (args.size() != 1) return std::fputs(kUsage, stderr), 2;
    auto bytes = readFile(args[0]);
    if (!bytes) return 1;
    std::optional<script::CompiledScript> tables;
    bool scrambled = false;
    if (script::hasCompiledScriptMagic(*bytes)) {
        tables = script::parseCompiledScript(*bytes);
        scrambled = bytes->size() >= 8 && (*bytes)[6] == script::kScrambled && (*bytes)[7] == 0;
        if (!tables) std::fprintf(stderr, "qeli-tool: %s: tables lie outside the file\n", args[0].c_str());
    } else {
        bool rejected = false;
        tables = compileFile(args[0], rejected);
    }
    if (!tables) return 1;
    std::fputs(listCompiledScript(*tables, scrambled).c_str(), stdout);
    return 0;
}

}  // namespace

int scriptCommand(std::span<const std::string> arguments) {
    if (arguments.empty()) return std::fputs(kUsage, stderr), 2;
    const std::string& action = arguments[0];
    std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    if (action == "compile") return compile(args);
    if (action == "check") return check(args);
    if (action == "disasm") return disasm(args);
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace qeli::tools
