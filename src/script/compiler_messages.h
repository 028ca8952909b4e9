// What the script compiler tells the author: each message as its box shows it, with the source line it
// concerns, handed to a reporter (the engine shows boxes; qeli-tool prints them).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_box.h"

namespace qeli::script {

inline constexpr char kCompilerCaption[] = "Qeli Compiler Error";

struct CompilerMessage {
    std::string text;  // UTF-8, as the box shows it
    platform::BoxButtons buttons = platform::BoxButtons::Ok;
    int32_t line = 0;  // counted from 0, as the boxes count
    bool rejects = false;  // a check that rejects the script
};

class CompilerReporter {
public:
    virtual ~CompilerReporter() = default;
    // Retry lets a check look for more errors; Cancel ends it at once.
    virtual platform::BoxAnswer report(const CompilerMessage& message) = 0;
};

// The engine's reporter: every message in a "Qeli Compiler Error" box with the error icon.
class BoxReporter final : public CompilerReporter {
public:
    platform::BoxAnswer report(const CompilerMessage& message) override;
};

// Source text with its line starts, for the line of an offset and a line's text.
class SourceText {
public:
    explicit SourceText(std::span<const uint8_t> bytes);
    std::span<const uint8_t> bytes() const { return m_bytes; }
    int32_t lineOf(size_t offset) const;
    // The line up to its end, at most `limit` bytes, never ending inside a double-byte character.
    std::string_view lineText(int32_t line, size_t limit = 511) const;

private:
    std::span<const uint8_t> m_bytes;
    std::vector<size_t> m_lineStarts;
};

// At most `limit` bytes of Shift-JIS text starting at `from`, cut before a split double-byte character.
std::string_view cp932Prefix(std::string_view text, size_t limit);

// "<head>\nLine:  [%12d]\nString:[<text>]", the form of the checks that point at a line.
std::string lineMessage(std::string_view head, int32_t line, std::string_view cp932Text);
// "<head>\nSymmetry Difference Count:[%12d]\nLine: ...[%12d]\nString: ...[<text>]".
std::string symmetryMessage(std::string_view head, int32_t count, int32_t line, std::string_view cp932Text);
// "<head> \n\nString:[<text>]", the form of the messages about words.
std::string wordMessage(std::string_view head, std::string_view cp932Text);

}  // namespace qeli::script
