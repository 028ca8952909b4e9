#include "script/statement_compiler.h"

#include <optional>
#include <string>
#include <unordered_set>

#include "platform/text_encoding.h"
#include "script/command_table.h"

namespace qeli::script {

bool isCommandName(std::string_view name) {
    static const std::unordered_set<std::string_view> names = [] {
        std::unordered_set<std::string_view> set;
        static const CommandTable table;
        for (int i = 0; i < CommandTable::kEndRow; ++i) set.insert(table.row(i).name);
        return set;
    }();
    return names.contains(name);
}

namespace {

// Brackets nested deeper than this are refused, so that hostile text cannot exhaust the stack.
constexpr int kMaxNesting = 256;

int32_t parseInteger(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i + 1 < text.size() && text[i] == '0') {
        base = 8;
    }
    // Like a C literal the value is taken modulo 2^32, so 0xFF000000 is the colour it looks like.
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        uint32_t digit = (c >= '0' && c <= '9') ? uint32_t(c - '0')
                         : (c >= 'a' && c <= 'f') ? uint32_t(c - 'a' + 10)
                         : (c >= 'A' && c <= 'F') ? uint32_t(c - 'A' + 10)
                                                  : 99;
        if (digit >= base) break;
        value = value * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

enum class VariableName { None, Flag, String, Special };

VariableName variableName(std::string_view name) {
    if (name == "Flag" || name == "GlobalFlag") return VariableName::Flag;
    if (name == "String" || name == "GlobalString") return VariableName::String;
    if (name == kProtagonistName || name == kTempGlobalStringName || name == kGeneralStringName)
        return VariableName::Special;
    return VariableName::None;
}

// What an expression compiles to before it is stored: a plain token, a command call, or a flat list
// for `=`. Calls and lists are emitted only once their target (a variable or a temporary) is known.
struct Operand {
    enum class Kind { Value, Call, List } kind = Kind::Value;
    int32_t token = -1;  // the value, or the command of a call
    std::vector<int32_t> items;  // the call's parameters, or the list's operands and operator words
};

class StatementCompiler {
public:
    StatementCompiler(const NormalisedSource& source, const SourceText& original, ScriptBuilder& builder,
                      CompilerReporter& reporter)
        : m_text(source.text), m_offsets(source.sourceOffset), m_lexemes(lexSource(source.text)),
          m_original(original), m_builder(builder), m_reporter(reporter) {}

    bool run() {
        while (!m_aborted && m_at < m_lexemes.size()) statement();
        return !m_aborted;
    }

private:
    // ---- reading lexemes

    bool has(size_t ahead = 0) const { return m_at + ahead < m_lexemes.size(); }
    const Lexeme& lexeme(size_t ahead = 0) const { return m_lexemes[m_at + ahead]; }
    bool next(LexemeKind kind, size_t ahead = 0) const { return has(ahead) && lexeme(ahead).kind == kind; }
    std::string_view text(const Lexeme& l) const { return l.text(m_text); }
    // Where a lexeme came from in the source; past the last one, the end.
    uint32_t sourceOffset(size_t index) const {
        if (m_offsets.empty()) return 0;
        size_t at = index < m_lexemes.size() ? m_lexemes[index].begin : m_text.size();
        return m_offsets[std::min(at, m_offsets.size() - 1)];
    }
    uint32_t sourceOffset() const { return sourceOffset(m_at); }

    // ---- messages (only the nesting limit rejects the script)

    // About the lexeme at `index` (by default the current one).
    void report(std::string text, bool rejects = false, std::optional<size_t> index = std::nullopt) {
        if (m_aborted) return;
        ++m_reports;
        int32_t line = m_original.lineOf(sourceOffset(index.value_or(m_at)));
        m_reporter.report(CompilerMessage{std::move(text), platform::BoxButtons::Ok, line, rejects});
    }
    void reportSyntax() {
        std::string_view rest = has() ? std::string_view(m_text).substr(lexeme().begin) : std::string_view();
        report(wordMessage("Syntax Error（解釈できない記述です）", cp932Prefix(rest, 64)));
    }
    void reportCommandNotFound(std::string_view before) {
        std::string_view after = std::string_view(m_text).substr(lexeme().begin);
        report("Command not found (引数エリアに対する命令が見つかりません) \n\nBeforeString:[" +
               platform::cp932ToUtf8(before) + "]\nAfter String:[" + platform::cp932ToUtf8(cp932Prefix(after, 128)) +
               "]");
    }

    // ---- emitting

    // Code words carry the offset of their statement, so that later messages name its line.
    void emit(int32_t word) { m_builder.emit(word, m_statementOffset); }

    void store(int32_t target, const Operand& value) {
        emit(target);
        emit(m_builder.command("="));
        if (value.kind == Operand::Kind::Value) {
            emit(1);
            emit(value.token);
            return;
        }
        if (value.kind == Operand::Kind::Call) {
            // The empty `=` is passed over and the call's result goes to the pending target.
            emit(0);
            emit(value.token);
        }
        emit(static_cast<int32_t>(value.items.size()));
        for (int32_t item : value.items) emit(item);
    }

    int32_t flush(const Operand& value) {
        if (value.kind == Operand::Kind::Value) return value.token;
        int32_t temporary = m_builder.temporary();
        store(temporary, value);
        return temporary;
    }

    // A parameter that is a single value in parentheses uses the value, not a temporary holding it.
    int32_t parameterToken(const Operand& value) {
        if (value.kind == Operand::Kind::List && value.items.size() == 1) return value.items[0];
        return flush(value);
    }

    // ---- statements

    void statement() {
        m_statementOffset = sourceOffset();
        const Lexeme& l = lexeme();
        switch (l.kind) {
        case LexemeKind::Colon:
        case LexemeKind::Semicolon:
        case LexemeKind::Comma: ++m_at; return;
        case LexemeKind::OpenBrace:
        case LexemeKind::CloseBrace:
            emit(m_builder.brace(text(l)));
            ++m_at;
            return;
        case LexemeKind::Name: nameStatement(); return;
        case LexemeKind::OpenParen:
            reportCommandNotFound(m_at > 0 ? text(m_lexemes[m_at - 1]) : std::string_view());
            skipGroup();
            return;
        default: reportSyntax(); ++m_at;
        }
    }

    void nameStatement() {
        const std::string_view name = text(lexeme());
        if (isCommandName(name)) {
            ++m_at;
            if (auto call = commandCall(name)) {
                emit(call->token);
                emit(static_cast<int32_t>(call->items.size()));
                for (int32_t p : call->items) emit(p);
            }
        } else if (variableName(name) != VariableName::None) {
            assignment();
        } else {
            ++m_at;
            if (next(LexemeKind::OpenParen)) {
                reportCommandNotFound(name);
                skipGroup();
            } else {
                emit(m_builder.word(name));
            }
        }
    }

    void assignment() {
        int32_t target = variable();
        if (!next(LexemeKind::Operator) || text(lexeme()) != "=") {
            reportSyntax();
            return;
        }
        ++m_at;
        const size_t reportsBefore = m_reports;
        std::optional<Operand> value = expression(true);
        if (value) store(target, *value);
        else if (m_reports == reportsBefore) reportSyntax();  // not when the reason was reported already
    }

    // After a command name: its parameter list, or the message that it has none.
    std::optional<Operand> commandCall(std::string_view name) {
        if (!next(LexemeKind::OpenParen)) {
            report(wordMessage("Command Parameter not found (命令に対する引数エリアが見つかりません)", name), false,
                   m_at - 1);
            return std::nullopt;
        }
        Operand call{Operand::Kind::Call, m_builder.command(name), {}};
        ++m_at;
        if (next(LexemeKind::CloseParen)) {
            ++m_at;
            return call;
        }
        while (!m_aborted) {
            const size_t reportsBefore = m_reports;
            if (auto value = expression(false)) call.items.push_back(parameterToken(*value));
            else if (m_reports == reportsBefore) reportSyntax();
            if (next(LexemeKind::Comma)) {
                ++m_at;
                continue;
            }
            if (next(LexemeKind::CloseParen)) ++m_at;
            else reportSyntax();
            break;
        }
        return call;
    }

    // Flag[...], String[...], their unsubscripted forms and the special strings; a subscript is
    // computed into a hidden cell that the element reads its index from.
    int32_t variable() {
        const std::string_view name = text(lexeme());
        const VariableName kind = variableName(name);
        ++m_at;
        const bool indexed = kind == VariableName::Flag || kind == VariableName::String;
        if (!indexed || !next(LexemeKind::OpenBracket))
            return m_builder.variable(kind == VariableName::Flag ? TokenType::FlagArray : TokenType::StringVariable,
                                      name);
        ++m_at;
        std::optional<Operand> index = expression(false);
        int32_t cell = m_builder.hiddenCell();
        if (index) store(cell, *index);
        if (!index || !next(LexemeKind::CloseBracket)) reportSyntax();
        else ++m_at;
        return m_builder.variable(kind == VariableName::Flag ? TokenType::FlagElement : TokenType::StringElement, name,
                                  m_builder.cellOffsetOf(cell));
    }

    // ---- expressions

    static bool endsExpression(LexemeKind kind) {
        return kind != LexemeKind::Name && kind != LexemeKind::Number && kind != LexemeKind::String &&
               kind != LexemeKind::Operator && kind != LexemeKind::OpenParen;
    }

    bool signedNumberAhead() const {
        std::string_view op = text(lexeme());
        return (op == "+" || op == "-") && next(LexemeKind::Number, 1) && lexeme(1).begin == lexeme().end;
    }

    // An expression up to a delimiter; in a statement also up to a word that cannot continue it.
    std::optional<Operand> expression(bool statement) {
        if (++m_depth > kMaxNesting) {
            report(lineMessage("Nesting Depth Error（括弧の入れ子が深すぎます）", m_original.lineOf(sourceOffset()),
                               m_original.lineText(m_original.lineOf(sourceOffset()))),
                   true);
            m_aborted = true;
        }
        std::vector<int32_t> items;
        std::optional<Operand> last;
        bool expectOperand = true;
        while (!m_aborted && has() && !endsExpression(lexeme().kind)) {
            const Lexeme& l = lexeme();
            if (l.kind == LexemeKind::Operator && !(expectOperand && signedNumberAhead())) {
                if (last) items.push_back(flush(*last));
                last.reset();
                items.push_back(m_builder.word(text(l)));
                expectOperand = true;
                ++m_at;
                continue;
            }
            if (statement && (!expectOperand || (l.kind == LexemeKind::Name && isBareWord(text(l))))) break;
            if (last) items.push_back(flush(*last));
            last = operand();
            expectOperand = false;
        }
        --m_depth;
        if (items.empty() && last) return last;
        if (last) items.push_back(flush(*last));
        if (items.empty()) return std::nullopt;
        return Operand{Operand::Kind::List, -1, std::move(items)};
    }

    static bool isBareWord(std::string_view name) {
        return !isCommandName(name) && variableName(name) == VariableName::None;
    }

    std::optional<Operand> operand() {
        const Lexeme& l = lexeme();
        switch (l.kind) {
        case LexemeKind::Operator: {
            // A sign directly before a number is part of the number.
            std::string_view number = std::string_view(m_text).substr(l.begin, lexeme(1).end - l.begin);
            m_at += 2;
            return Operand{Operand::Kind::Value, m_builder.number(parseInteger(number)), {}};
        }
        case LexemeKind::Number: ++m_at; return Operand{Operand::Kind::Value, m_builder.number(parseInteger(text(l))), {}};
        case LexemeKind::String: ++m_at; return Operand{Operand::Kind::Value, m_builder.stringLiteral(text(l)), {}};
        case LexemeKind::OpenParen: return subExpression();
        default: break;
        }
        const std::string_view name = text(l);
        if (variableName(name) != VariableName::None) return Operand{Operand::Kind::Value, variable(), {}};
        ++m_at;
        if (isCommandName(name)) return commandCall(name);
        if (next(LexemeKind::OpenParen)) {
            reportCommandNotFound(name);
            skipGroup();
            return std::nullopt;
        }
        return Operand{Operand::Kind::Value, m_builder.word(name), {}};
    }

    // A parenthesised sub-expression is computed into a temporary of its own before the list that
    // uses it.
    std::optional<Operand> subExpression() {
        ++m_at;
        std::optional<Operand> inner = expression(false);
        if (next(LexemeKind::CloseParen)) ++m_at;
        else reportSyntax();
        if (!inner) return std::nullopt;
        if (inner->kind == Operand::Kind::Value) return Operand{Operand::Kind::List, -1, {inner->token}};
        return inner;
    }

    // Steps over a parenthesised group that cannot be compiled.
    void skipGroup() {
        int depth = 0;
        do {
            if (lexeme().kind == LexemeKind::OpenParen) ++depth;
            else if (lexeme().kind == LexemeKind::CloseParen) --depth;
            ++m_at;
        } while (depth > 0 && has());
    }

    const std::string& m_text;
    const std::vector<uint32_t>& m_offsets;
    std::vector<Lexeme> m_lexemes;
    const SourceText& m_original;
    ScriptBuilder& m_builder;
    CompilerReporter& m_reporter;
    size_t m_at = 0;
    uint32_t m_statementOffset = 0;
    size_t m_reports = 0;
    int m_depth = 0;
    bool m_aborted = false;
};

}  // namespace

bool compileStatements(const NormalisedSource& source, const SourceText& original, ScriptBuilder& builder,
                       CompilerReporter& reporter) {
    return StatementCompiler(source, original, builder, reporter).run();
}

}  // namespace qeli::script
