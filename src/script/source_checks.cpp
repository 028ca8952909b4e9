#include "script/source_checks.h"

#include <string_view>

#include "platform/text_encoding.h"
#include "script/source_lexer.h"

namespace qeli::script {

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;

// Walks Shift-JIS text a character at a time, counting lines and keeping track of strings and
// comments, so that every check sees the text the same way.
class Scanner {
public:
    explicit Scanner(const SourceText& source) : m_source(source), m_text(source.bytes()) {}

    bool atEnd() const { return m_at >= m_text.size(); }
    size_t at() const { return m_at; }
    uint8_t current() const { return m_text[m_at]; }
    uint8_t peek(size_t ahead = 1) const { return m_at + ahead < m_text.size() ? m_text[m_at + ahead] : 0; }
    bool startsComment() const { return current() == '/' && peek() == '/'; }
    bool doubleByte() const { return platform::isCp932LeadByte(current()) && m_at + 1 < m_text.size(); }
    int32_t line() const { return m_line; }
    std::string_view lineText(int32_t line) const { return m_source.lineText(line); }

    // Steps over one character (both bytes of a double-byte one), counting line feeds.
    void advance() {
        if (current() == '\n') ++m_line;
        m_at += doubleByte() ? 2 : 1;
    }
    // Steps to the line feed that ends a comment (the line feed itself is left for the caller).
    void skipComment() {
        while (!atEnd() && current() != '\n') advance();
    }
    // For the checks that look only outside strings and comments: true when the current character is
    // such (the caller looks at it and advances); otherwise steps over it and returns false.
    bool atCode() {
        if (m_inString || current() == '"') {
            m_inString = m_inString ? current() != '"' : true;
            advance();
            return false;
        }
        if (startsComment()) {
            skipComment();
            return false;
        }
        return true;
    }

private:
    const SourceText& m_source;
    std::span<const uint8_t> m_text;
    size_t m_at = 0;
    int32_t m_line = 0;
    bool m_inString = false;
};

bool isBlank(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A report with Retry and Cancel: false when the author chose to stop the check.
bool reportRetryable(CompilerReporter& reporter, std::string text, int32_t line) {
    CompilerMessage message{std::move(text), BoxButtons::RetryCancel, line, true};
    return reporter.report(message) == BoxAnswer::Retry;
}

void reportOk(CompilerReporter& reporter, std::string text, int32_t line) {
    reporter.report(CompilerMessage{std::move(text), BoxButtons::Ok, line, true});
}

bool checkQuotations(const SourceText& source, CompilerReporter& reporter) {
    static constexpr char kHead[] = "Quotation Symmetry Error（クォーテーション対応エラー）";
    Scanner s(source);
    bool inString = false, failed = false;
    while (!s.atEnd()) {
        uint8_t c = s.current();
        if (inString && c == '\n') {
            failed = true;
            inString = false;
            if (!reportRetryable(reporter, lineMessage(kHead, s.line(), s.lineText(s.line())), s.line())) return false;
        } else if (inString) {
            if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (s.startsComment()) {
            s.skipComment();
            continue;
        }
        s.advance();
    }
    if (inString) {
        failed = true;
        reportRetryable(reporter, lineMessage(kHead, s.line(), s.lineText(s.line())), s.line());
    }
    return !failed;
}

// Counts an opening and a closing character over the whole text except comments, inside strings as
// well; reports the difference with the line after the last line feed at which it was 0.
bool checkSymmetry(const SourceText& source, CompilerReporter& reporter, char open, char close,
                   std::string_view head) {
    Scanner s(source);
    bool inString = false;
    int32_t count = 0, balancedLine = 0;
    while (!s.atEnd()) {
        uint8_t c = s.current();
        if (!inString && s.startsComment()) {
            s.skipComment();
            continue;
        }
        if (c == '"') inString = !inString;
        else if (c == static_cast<uint8_t>(open)) ++count;
        else if (c == static_cast<uint8_t>(close)) --count;
        else if (c == '\n' && count == 0) balancedLine = s.line() + 1;
        s.advance();
    }
    if (count == 0) return true;
    reportOk(reporter, symmetryMessage(head, count, balancedLine, s.lineText(balancedLine)), balancedLine);
    return false;
}

// The text before a "[" must end with a variable that takes a subscript, with no space between.
bool followsIndexedVariable(std::string_view before) {
    return before.ends_with("Flag") || before.ends_with("String");
}

// Square brackets outside strings and comments: balanced, and each "[" right after a variable that
// takes a subscript.
bool checkSubscripts(const SourceText& source, CompilerReporter& reporter) {
    static constexpr char kMisplaced[] =
        "Flag Discrimination search Error（Flag識別子エラー []の前に\"Flag\"\"GlobalFlag\"等が見つかりません）";
    Scanner s(source);
    bool failed = false;
    int32_t count = 0, balancedLine = 0;
    const auto* text = reinterpret_cast<const char*>(source.bytes().data());
    while (!s.atEnd()) {
        if (!s.atCode()) continue;
        uint8_t c = s.current();
        if (c == '[') {
            ++count;
            if (!followsIndexedVariable(std::string_view(text, s.at()))) {
                failed = true;
                reportOk(reporter, symmetryMessage(kMisplaced, count, s.line(), s.lineText(s.line())), s.line());
            }
        } else if (c == ']') {
            --count;
        } else if (c == '\n' && count == 0) {
            balancedLine = s.line() + 1;
        }
        s.advance();
    }
    if (count != 0) {
        reportOk(reporter,
                 symmetryMessage("Parenthesis Symmetry Error（括弧[]対応エラー）", count, balancedLine,
                                 s.lineText(balancedLine)),
                 balancedLine);
        return false;
    }
    return !failed;
}

constexpr CharacterSet isOperator("%*+-/<=>");
constexpr CharacterSet cannotFollowOperator("%*/<=>");

// The character that follows position `from`, past blanks and comments; 0 at the end.
uint8_t nextSignificant(std::span<const uint8_t> text, size_t from) {
    size_t i = from;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
        } else if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n') ++i;
        } else {
            return text[i];
        }
    }
    return 0;
}

// Two operators in a row ("==", "<=", "*/"), outside strings and comments; a sign after an operator
// is allowed.
bool checkOperators(const SourceText& source, CompilerReporter& reporter) {
    Scanner s(source);
    bool failed = false;
    while (!s.atEnd()) {
        if (!s.atCode()) continue;
        uint8_t c = s.current();
        if (isOperator(c)) {
            uint8_t next = nextSignificant(source.bytes(), s.at() + 1);
            if (cannotFollowOperator(next)) {
                failed = true;
                char pair[3] = {static_cast<char>(c), static_cast<char>(next), 0};
                if (!reportRetryable(reporter, lineMessage("Calculation Method Error（計算記号エラー）", s.line(), pair),
                                     s.line()))
                    return false;
            }
        }
        s.advance();
    }
    return !failed;
}

// A full-width space outside a string (comments included); a line feed ends an open string here.
bool checkFullWidthSpaces(const SourceText& source, CompilerReporter& reporter) {
    Scanner s(source);
    bool inString = false, failed = false;
    while (!s.atEnd()) {
        uint8_t c = s.current();
        if (c == '\n') inString = false;
        else if (c == '"') inString = !inString;
        else if (!inString && c == 0x81 && s.peek() == 0x40) {
            failed = true;
            if (!reportRetryable(reporter,
                                 lineMessage("Double-byte Space Character Error（全角スペースエラー）", s.line(),
                                             s.lineText(s.line())),
                                 s.line()))
                return false;
        }
        s.advance();
    }
    return !failed;
}

}  // namespace

bool checkSource(const SourceText& source, CompilerReporter& reporter) {
    return checkQuotations(source, reporter) &&
           checkSymmetry(source, reporter, '(', ')', "Parenthesis Symmetry Error（括弧()対応エラー）") &&
           checkSubscripts(source, reporter) &&
           checkSymmetry(source, reporter, '{', '}', "Parenthesis Symmetry Error（括弧{}対応エラー）") &&
           checkOperators(source, reporter) && checkFullWidthSpaces(source, reporter);
}

}  // namespace qeli::script
