// The command table: every script command by name, with its handler and its interrupt flag, and the
// shapes shared by all handlers (parameter references and results).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "script/qls_format.h"

namespace qeli::script {

struct ScriptContext;

inline constexpr int kMaxParameters = 128;
inline constexpr int kCommandCount = 333;

// What a parameter of a command refers to. Integer kinds carry the value of their cell; string kinds
// carry their text (null for an absent string variable); words carry their text. `token` is the
// parameter's token index in the running script, for the commands that look at the token itself.
struct Param {
    TokenType type = TokenType::Temporary;
    int32_t token = -1;
    int32_t value = 0;
    const char* text = nullptr;
    bool empty = true;

    bool isInteger() const { return !empty && isIntegerKind(type); }
    bool isString() const { return !empty && isStringKind(type); }
    bool isWord() const { return !empty && type == TokenType::Word; }
    // Text for reading: an absent string reads as empty.
    const char* str() const { return text ? text : ""; }
};

enum class ResultKind : int32_t { None = 0, Integer = 1, String = 2 };

struct CommandResult {
    ResultKind kind = ResultKind::None;
    int32_t value = 0;
    std::optional<std::string> text;

    static CommandResult none() { return {}; }
    static CommandResult integer(int32_t v) { return {ResultKind::Integer, v, std::nullopt}; }
    static CommandResult string(std::string s) { return {ResultKind::String, 0, std::move(s)}; }
};

// A handler returns no result at all (nullopt) or a result record.
using CommandHandler = std::optional<CommandResult> (*)(ScriptContext& context, int32_t count, const Param* params);

struct CommandRow {
    const char* name;
    CommandHandler handler;
    int32_t flag;
};

// Rows 0 to 332 in the fixed order; row 333 has an empty name and ends every search.
class CommandTable {
public:
    static constexpr int kEndRow = kCommandCount;

    CommandTable();

    // Linear search, names compared exactly; kEndRow when there is no such command.
    int find(std::string_view name) const;
    const CommandRow& row(int index) const { return m_rows[static_cast<size_t>(index)]; }
    // Gives a command its handler; false for a name that is not in the table.
    bool setHandler(std::string_view name, CommandHandler handler);

private:
    std::array<CommandRow, kCommandCount + 1> m_rows;
};

// The table with every handler the engine has.
const CommandTable& engineCommandTable();

}  // namespace qeli::script
