#include "support/json_value.h"

#include <cstdlib>

namespace qeli::testing {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> document() {
        auto value = parseValue();
        skipBlanks();
        if (!value || m_at != m_text.size()) return std::nullopt;
        return value;
    }

private:
    void skipBlanks() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\n' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\r'))
            ++m_at;
    }
    bool take(char c) {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (m_text.substr(m_at, w.size()) != w) return false;
        m_at += w.size();
        return true;
    }

    std::optional<std::string> parseString() {
        if (!take('"')) return std::nullopt;
        std::string out;
        while (m_at < m_text.size() && m_text[m_at] != '"') {
            char c = m_text[m_at++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_text.size()) return std::nullopt;
            char e = m_text[m_at++];
            if (e == 'n') out += '\n';
            else if (e == 't') out += '\t';
            else if (e == 'r') out += '\r';
            else if (e == 'u' && m_at + 4 <= m_text.size()) {
                // Only control characters are escaped this way in our dumps.
                out += static_cast<char>(std::strtol(std::string(m_text.substr(m_at, 4)).c_str(), nullptr, 16));
                m_at += 4;
            } else out += e;
        }
        if (!take('"')) return std::nullopt;
        return out;
    }

    std::optional<JsonValue> parseValue() {
        skipBlanks();
        if (m_at >= m_text.size()) return std::nullopt;
        JsonValue v;
        char c = m_text[m_at];
        if (c == '{') {
            v.kind = JsonValue::Kind::Object;
            ++m_at;
            if (take('}')) return v;
            do {
                auto key = parseString();
                if (!key || !take(':')) return std::nullopt;
                auto member = parseValue();
                if (!member) return std::nullopt;
                v.members[*key] = *member;
            } while (take(','));
            return take('}') ? std::optional(v) : std::nullopt;
        }
        if (c == '[') {
            v.kind = JsonValue::Kind::Array;
            ++m_at;
            if (take(']')) return v;
            do {
                auto item = parseValue();
                if (!item) return std::nullopt;
                v.items.push_back(*item);
            } while (take(','));
            return take(']') ? std::optional(v) : std::nullopt;
        }
        if (c == '"') {
            auto s = parseString();
            if (!s) return std::nullopt;
            v.kind = JsonValue::Kind::String;
            v.text = *s;
            return v;
        }
        if (word("true") || word("false")) {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = m_text[m_at - 1] == 'e' && m_text[m_at - 2] == 'u';
            return v;
        }
        if (word("null")) return v;
        const char* begin = m_text.data() + m_at;
        char* end = nullptr;
        std::string number(begin, std::min<size_t>(32, m_text.size() - m_at));
        v.number = std::strtod(number.c_str(), &end);
        if (end == number.c_str()) return std::nullopt;
        v.kind = JsonValue::Kind::Number;
        m_at += static_cast<size_t>(end - number.c_str());
        return v;
    }

    std::string_view m_text;
    size_t m_at = 0;
};

}  // namespace

std::optional<JsonValue> parseJson(std::string_view text) { return Parser(text).document(); }

std::string JsonValue::dump() const {
    switch (kind) {
    case Kind::Null: return "null";
    case Kind::Bool: return boolean ? "true" : "false";
    case Kind::Number: return std::to_string(static_cast<long long>(number));
    case Kind::String: return "\"" + text + "\"";
    case Kind::Array: {
        std::string out = "[";
        for (const auto& item : items) out += (out.size() > 1 ? ", " : "") + item.dump();
        return out + "]";
    }
    case Kind::Object: {
        std::string out = "{";
        for (const auto& [key, value] : members) out += (out.size() > 1 ? ", \"" : "\"") + key + "\": " + value.dump();
        return out + "}";
    }
    }
    return "";
}

}  // namespace qeli::testing
