#include "script/code_linker.h"

#include <string_view>
#include <vector>

namespace qeli::script {

namespace {

class CodeLinker {
public:
    CodeLinker(ScriptBuilder& builder, const SourceText& source, CompilerReporter& reporter)
        : m_builder(builder), m_code(builder.code()), m_source(source), m_reporter(reporter) {}

    void linkBlocksAndLabels() {
        std::vector<int32_t> openBraces;
        for (int32_t p = 0; p < size(); p = nextUnit(p)) {
            const Token& token = tokenAt(p);
            if (token.kind() == TokenType::Command) {
                if (name(token) == "if" && !isWordAt(nextUnit(p), "{")) report(p, "括弧対応エラー");
                continue;
            }
            if (token.kind() != TokenType::Word) continue;
            std::string_view text = name(token);
            if (text == "{") {
                openBraces.push_back(p);
            } else if (text == "}") {
                if (openBraces.empty()) continue;
                int32_t open = openBraces.back();
                openBraces.pop_back();
                // A block followed by "else {": skipping it enters the else-block.
                bool elseFollows = isWordAt(p + 1, "else") && isWordAt(p + 2, "{");
                m_builder.setCell(tokenAt(open).valueOffset, elseFollows ? p + 2 : p);
                m_builder.setCell(token.valueOffset, open);
            } else if (text != "else") {
                if (m_builder.cell(token.valueOffset) >= 0)
                    report(p, wordMessage("LABEL repetition (同一ラベルが重複しています)", text));
                else
                    m_builder.setCell(token.valueOffset, p);
            }
        }
        // A block left open (its "}" was inside a string) runs to the end of the script when skipped.
        for (int32_t open : openBraces) m_builder.setCell(tokenAt(open).valueOffset, size());
    }

    // Every word given to a command must be a label defined in this script, except the label that
    // ScriptJump and ScriptCall look for in another file.
    void checkLabelReferences() {
        for (int32_t p = 0; p < size(); p = nextUnit(p)) {
            const Token& token = tokenAt(p);
            if (token.kind() != TokenType::Command) continue;
            const bool otherFile = name(token) == "ScriptJump" || name(token) == "ScriptCall";
            const int32_t count = m_code[static_cast<size_t>(p) + 1];
            for (int32_t i = 0; i < count; ++i) {
                const Token& parameter = tokenAt(p + 2 + i);
                if (parameter.kind() != TokenType::Word || (otherFile && i == 1)) continue;
                std::string_view text = name(parameter);
                if (isBraceOperatorOrElse(text) || m_builder.cell(parameter.valueOffset) >= 0) continue;
                report(p, wordMessage("LABEL not found (対応ラベルが見つかりません)", text));
            }
        }
    }

private:
    int32_t size() const { return static_cast<int32_t>(m_code.size()); }
    const Token& tokenAt(int32_t p) const { return m_builder.token(m_code[static_cast<size_t>(p)]); }
    std::string_view name(const Token& token) const { return m_builder.text(token.nameOffset); }
    bool isWordAt(int32_t p, std::string_view text) const {
        return p < size() && tokenAt(p).kind() == TokenType::Word && name(tokenAt(p)) == text;
    }
    // A command with its count and parameters is one unit; every other word is one.
    int32_t nextUnit(int32_t p) const {
        if (tokenAt(p).kind() != TokenType::Command) return p + 1;
        return p + 2 + m_code[static_cast<size_t>(p) + 1];
    }
    static bool isBraceOperatorOrElse(std::string_view text) {
        return text == "{" || text == "}" || text == "else" ||
               (text.size() == 1 && std::string_view("+-*/%=<>^|&").find(text[0]) != std::string_view::npos);
    }

    void report(int32_t p, std::string text) {
        int32_t line = m_source.lineOf(m_builder.sourceOffsetAt(p));
        m_reporter.report(CompilerMessage{std::move(text), platform::BoxButtons::Ok, line, false});
    }

    ScriptBuilder& m_builder;
    const std::vector<int32_t>& m_code;
    const SourceText& m_source;
    CompilerReporter& m_reporter;
};

}  // namespace

void linkCode(ScriptBuilder& builder, const SourceText& source, CompilerReporter& reporter) {
    CodeLinker linker(builder, source, reporter);
    linker.linkBlocksAndLabels();
    linker.checkLabelReferences();
}

}  // namespace qeli::script
