#include "script_listing.h"

#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "platform/text_encoding.h"

namespace qeli::tools {

namespace {

using script::Token;
using script::TokenType;

constexpr const char* kTypeNames[] = {"Command",     "Word",          "IntVariable",   "StringConstant", "IntConstant",
                                      "StringLiteral", "FlagArray",   "StringVariable", "FlagElement",   "StringElement",
                                      "Temporary",   "IntTemporary",  "StringTemporary"};

const char* typeName(int32_t type) {
    return type >= 0 && type < static_cast<int32_t>(std::size(kTypeNames)) ? kTypeNames[type] : "?";
}

std::string quoted(const char* cp932) {
    std::string out = "\"";
    for (char c : platform::cp932ToUtf8(cp932)) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') out += "\\n";
        else if (static_cast<unsigned char>(c) < 0x20) out += '?';
        else out += c;
    }
    return out + "\"";
}

class Lister {
public:
    explicit Lister(const script::CompiledScript& tables) {
        m_record.setTables(tables);
        // Constants that code assigns to (subscripts, hidden cells) are shown by their cell.
        const int32_t length = m_record.codeLength();
        for (int32_t p = 0; p < length; p = nextUnit(p)) {
            const Token* t = m_record.token(word(p));
            if (t && t->kind() == TokenType::IntConstant) m_assignedCells.insert(t->valueOffset);
        }
    }

    std::string code() {
        std::string out;
        const int32_t length = m_record.codeLength();
        for (int32_t p = 0; p < length;) {
            char position[16];
            std::snprintf(position, sizeof position, "%6d  ", p);
            out += position;
            p = unit(p, out);
            out += '\n';
        }
        return out;
    }

    std::string tokens() const {
        std::string out;
        for (size_t i = 0; i < m_record.tokens.size(); ++i) {
            const Token& t = m_record.tokens[i];
            char line[128];
            std::snprintf(line, sizeof line, "%6zu  %-15s name@%-6d value@%-6d aux %-6d ", i, typeName(t.type),
                          t.nameOffset, t.valueOffset, t.aux);
            out += line + operand(static_cast<int32_t>(i)) + "\n";
        }
        return out;
    }

    std::string data() const {
        std::string out;
        const size_t size = m_record.dataSize();
        for (size_t row = 0; row < size; row += 16) {
            char line[96];
            int n = std::snprintf(line, sizeof line, "%6zu ", row);
            std::string ascii;
            for (size_t i = row; i < row + 16; ++i) {
                if (i < size) {
                    uint8_t b = m_record.data[i];
                    n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), " %02x", b);
                    ascii += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
                } else {
                    n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), "   ");
                }
            }
            out += std::string(line) + "  |" + ascii + "|\n";
        }
        return out;
    }

private:
    int32_t word(int32_t p) const { return p < m_record.codeLength() ? m_record.code[static_cast<size_t>(p)] : -1; }
    bool isCommand(int32_t p) const {
        const Token* t = m_record.token(word(p));
        return t && t->kind() == TokenType::Command;
    }
    int32_t parameterCount(int32_t p) const { return std::max(word(p + 1), 0); }
    int32_t nextUnit(int32_t p) const {
        if (!isCommand(p)) return p + 1;
        return static_cast<int32_t>(std::min<int64_t>(int64_t{p} + 2 + parameterCount(p), m_record.codeLength()));
    }
    const char* name(const Token& t) const { return m_record.text(t.nameOffset); }

    std::string operand(int32_t index) const {
        const Token* t = m_record.token(index);
        if (!t) return "?" + std::to_string(index);
        switch (t->kind()) {
        case TokenType::Command:
        case TokenType::IntVariable:
        case TokenType::FlagArray:
        case TokenType::StringVariable:
        case TokenType::Word: return platform::cp932ToUtf8(name(*t));
        case TokenType::IntConstant: return cellOrValue(t->valueOffset);
        case TokenType::StringConstant:
        case TokenType::StringLiteral: return quoted(m_record.text(t->valueOffset));
        case TokenType::FlagElement:
        case TokenType::StringElement: return std::string(name(*t)) + "[" + cellOrValue(t->aux) + "]";
        case TokenType::Temporary:
        case TokenType::IntTemporary:
        case TokenType::StringTemporary: return "T" + std::to_string(t->valueOffset);
        }
        return std::string("type") + std::to_string(t->type) + "?";
    }

    std::string cellOrValue(int32_t offset) const {
        if (m_assignedCells.contains(offset)) return "int@" + std::to_string(offset);
        return std::to_string(m_record.cell(offset));
    }

    std::string command(int32_t p) const {
        const Token& t = *m_record.token(word(p));
        const int32_t count = parameterCount(p);
        const int32_t end = nextUnit(p);
        std::string params;
        for (int32_t i = p + 2; i < end; ++i) params += (i > p + 2 ? ", " : "") + operand(word(i));
        if (int64_t{p} + 2 + count > m_record.codeLength()) params += " ...truncated";
        if (std::strcmp(name(t), "=") == 0) return "= (" + params + ")";
        return std::string(name(t)) + "(" + params + ")";
    }

    // One line: a target with the command that stores into it, a command, or a word.
    int32_t unit(int32_t p, std::string& out) const {
        const Token* t = m_record.token(word(p));
        if (!t) {
            out += "?" + std::to_string(word(p));
            return p + 1;
        }
        if (t->kind() == TokenType::Command) {
            out += command(p);
            return nextUnit(p);
        }
        if (t->kind() == TokenType::Word) {
            out += wordLine(p, *t);
            return p + 1;
        }
        std::string target = operand(word(p));
        if (!isCommand(p + 1)) {
            out += target + "  ; target without a command";
            return p + 1;
        }
        int32_t at = p + 1;
        // The empty `=` before a command: the command's result goes to the target.
        if (std::strcmp(name(*m_record.token(word(at))), "=") == 0 && parameterCount(at) == 0 && isCommand(at + 2))
            at += 2;
        out += target + " <- " + command(at);
        return nextUnit(at);
    }

    std::string wordLine(int32_t p, const Token& t) const {
        const char* text = name(t);
        const int32_t cell = m_record.cell(t.valueOffset);
        if (std::strcmp(text, "{") == 0) return "{  ; skipped to " + std::to_string(cell);
        if (std::strcmp(text, "}") == 0) return "}  ; opened at " + std::to_string(cell);
        if (std::strcmp(text, "else") == 0) return "else";
        std::string line = platform::cp932ToUtf8(text) + ":";
        if (cell != p) line += "  ; label cell " + std::to_string(cell);
        return line;
    }

    script::ScriptRecord m_record;
    std::unordered_set<int32_t> m_assignedCells;
};

}  // namespace

std::string listCompiledScript(const script::CompiledScript& script, bool scrambled) {
    Lister lister(script);
    char header[160];
    std::snprintf(header, sizeof header, "; %zu code words, %zu tokens, %zu data bytes, %d temporaries%s\n",
                  script.code.size(), script.tokens.size(), script.data.size(), script.temporaryCount,
                  scrambled ? ", data area scrambled" : "");
    return std::string(header) + "\ncode:\n" + lister.code() + "\ntokens:\n" + lister.tokens() + "\ndata:\n" +
           lister.data();
}

}  // namespace qeli::tools
