#include "script/source_preconversion.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/text_encoding.h"

namespace qeli::script {

bool hasUtf8ByteOrderMark(std::span<const uint8_t> source) {
    return source.size() >= 3 && source[0] == 0xEF && source[1] == 0xBB && source[2] == 0xBF;
}

namespace {

// At most `limit` bytes of UTF-8 text, never ending inside a character.
std::string_view utf8Prefix(std::string_view text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    while (end > 0 && (static_cast<uint8_t>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// The whole text did not convert, so one of its lines does not: the first such is reported.
void reportUnconvertibleLine(std::string_view text, CompilerReporter& reporter) {
    int32_t line = 0;
    for (size_t start = 0; start <= text.size(); ++line) {
        size_t end = std::min(text.find('\n', start), text.size());
        std::string_view lineText = text.substr(start, end - start);
        if (!platform::utf8ToCp932(lineText)) {
            char number[16];
            std::snprintf(number, sizeof number, "%12d", line);
            std::string message = std::string("Character Code Error（Shift-JISにない文字があります）\nLine:  [") +
                                  number + "]\nString:[" + std::string(utf8Prefix(lineText, 511)) + "]";
            reporter.report(CompilerMessage{std::move(message), platform::BoxButtons::Ok, line, true});
            return;
        }
        start = end + 1;
    }
}

}  // namespace

std::optional<std::vector<uint8_t>> preconvertScriptSource(std::span<const uint8_t> source,
                                                           CompilerReporter& reporter) {
    if (!hasUtf8ByteOrderMark(source)) return std::vector<uint8_t>(source.begin(), source.end());
    std::string_view text(reinterpret_cast<const char*>(source.data()) + 3, source.size() - 3);
    std::optional<std::string> converted = platform::utf8ToCp932(text);
    if (!converted) {
        reportUnconvertibleLine(text, reporter);
        return std::nullopt;
    }
    return std::vector<uint8_t>(converted->begin(), converted->end());
}

}  // namespace qeli::script
