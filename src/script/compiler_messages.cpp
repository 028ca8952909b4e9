#include "script/compiler_messages.h"

#include <algorithm>
#include <cstdio>

#include "platform/text_encoding.h"

namespace qeli::script {

platform::BoxAnswer BoxReporter::report(const CompilerMessage& message) {
    return platform::showMessageBox(kCompilerCaption, message.text, message.buttons, platform::BoxIcon::Error);
}

SourceText::SourceText(std::span<const uint8_t> bytes) : m_bytes(bytes) {
    m_lineStarts.push_back(0);
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') m_lineStarts.push_back(i + 1);
}

int32_t SourceText::lineOf(size_t offset) const {
    auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return static_cast<int32_t>(after - m_lineStarts.begin()) - 1;
}

std::string_view SourceText::lineText(int32_t line, size_t limit) const {
    if (line < 0 || static_cast<size_t>(line) >= m_lineStarts.size()) return {};
    size_t start = m_lineStarts[static_cast<size_t>(line)];
    size_t end = start;
    while (end < m_bytes.size() && m_bytes[end] != '\n' && m_bytes[end] != '\r') ++end;
    std::string_view text(reinterpret_cast<const char*>(m_bytes.data()) + start, end - start);
    return cp932Prefix(text, limit);
}

std::string_view cp932Prefix(std::string_view text, size_t limit) {
    size_t end = 0;
    while (end < text.size()) {
        size_t width = platform::isCp932LeadByte(static_cast<uint8_t>(text[end])) ? 2 : 1;
        if (end + width > limit || end + width > text.size()) break;
        end += width;
    }
    return text.substr(0, end);
}

std::string lineMessage(std::string_view head, int32_t line, std::string_view cp932Text) {
    char number[32];
    std::snprintf(number, sizeof number, "%12d", line);
    return std::string(head) + "\nLine:  [" + number + "]\nString:[" + platform::cp932ToUtf8(cp932Text) + "]";
}

std::string symmetryMessage(std::string_view head, int32_t count, int32_t line, std::string_view cp932Text) {
    char numbers[160];
    std::snprintf(numbers, sizeof numbers,
                  "\nSymmetry Difference Count:[%12d]\nLine:                     [%12d]\nString:                   [",
                  count, line);
    return std::string(head) + numbers + platform::cp932ToUtf8(cp932Text) + "]";
}

std::string wordMessage(std::string_view head, std::string_view cp932Text) {
    return std::string(head) + " \n\nString:[" + platform::cp932ToUtf8(cp932Text) + "]";
}

}  // namespace qeli::script
