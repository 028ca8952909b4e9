// Blocks, labels, calls and jumps: `If`, `if`, `TTE`, `ScriptCall`, `ScriptJump`, `Return`, and the
// two commands that end or restart the game through the game window, `Restart` and `ScriptExit`.
#include "script/control_flow.h"

#include <string>

#include "app/application.h"
#include "app/game_window_requests.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/window_messages.h"
#include "script/command_table.h"
#include "script/script_commands.h"
#include "script/script_context.h"
#include "script/script_loader.h"

namespace qeli::script {

void skipFollowingBlock(ScriptRecord& record) {
    const int32_t next = record.nextPosition;
    if (next < 0 || next >= record.codeLength()) return;
    const Token* token = record.token(record.code[static_cast<size_t>(next)]);
    if (!token || token->kind() != TokenType::Word) return;
    const char* text = record.text(token->nameOffset);
    if (text[0] == '{' && text[1] == 0) record.nextPosition = record.cell(token->valueOffset);
}

std::optional<int32_t> findLabel(const ScriptRecord& record, std::string_view label) {
    for (const Token& token : record.tokens) {
        if (label != record.text(token.nameOffset)) continue;
        int32_t position = record.cell(token.valueOffset);
        if (position < 0) return std::nullopt;
        return position;
    }
    return std::nullopt;
}

namespace {

// File and label names are Shift-JIS; boxes show UTF-8.
std::string utf8(std::string_view cp932) { return platform::cp932ToUtf8(cp932); }

void labelError(const std::string& text) {
    platform::showMessageBox("Label Error", text, platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

// ScriptCall and ScriptJump accept these as a file name.
bool namesFile(const Param& p) {
    return !p.empty && (p.type == TokenType::StringConstant || p.type == TokenType::StringLiteral ||
                        p.type == TokenType::StringVariable || p.type == TokenType::StringElement);
}

void startAt(ScriptRecord& record, int32_t position) {
    record.currentPosition = position;
    record.nextPosition = position;
}

// Pushes and loads the file, then starts it at the label; false (the new record ended at once) when
// the label is not there.
bool pushAtLabel(ScriptContext& context, const std::string& file, const std::string& label) {
    ScriptRecord& callee = loadScript(context, file);
    std::optional<int32_t> position = findLabel(callee, label);
    startAt(callee, position.value_or(callee.codeLength()));
    return position.has_value();
}

std::optional<CommandResult> If(ScriptContext& context, int32_t count, const Param* params) {
    if (count == 1 && params[0].value == 0) skipFollowingBlock(*context.top());
    return std::nullopt;
}

// Runs its block only when a TTE wait measured a time below the limit; that measurement is used up.
std::optional<CommandResult> TTE(ScriptContext& context, int32_t count, const Param* params) {
    if (count != 1) return std::nullopt;
    if (context.tteValue != 0 && context.tteValue < static_cast<uint32_t>(params[0].value)) context.tteValue = 0;
    else skipFollowingBlock(*context.top());
    return std::nullopt;
}

std::optional<CommandResult> ScriptCall(ScriptContext& context, int32_t count, const Param* params) {
    const std::string caller = context.top()->fileName;
    if (count == 1 && params[0].isWord()) {
        // A label of the running file: a fresh copy of the file runs from the label.
        const std::string label = params[0].str();
        if (!pushAtLabel(context, caller, label))
            labelError("ScriptCall Label Not Found\n\nCommand[ScriptCall]\nScripte[" + utf8(caller) +
                       "]\n\nCallLabel[" + utf8(label) + "]");
    } else if (count == 1 && namesFile(params[0])) {
        loadScript(context, params[0].str());
    } else if (count == 1) {
        labelError("ScriptCall Parameter Error\n\nCommand[ScriptCall]\nScripte[" + utf8(caller) +
                   "]\n\nParameter is NotLabelType and NotStringType");
    } else if (count == 2) {
        const std::string file = params[0].str(), label = params[1].str();
        if (!pushAtLabel(context, file, label))
            labelError("ScriptCall Label Not Found\n\nCommand[ScriptCall]\nScripte[" + utf8(caller) + "]\n\nCallFile[" +
                       utf8(file) + "]\nCallLabel[" + utf8(label) + "]");
    }
    return std::nullopt;
}

std::optional<CommandResult> ScriptJump(ScriptContext& context, int32_t count, const Param* params) {
    ScriptRecord& current = *context.top();
    const std::string script = current.fileName;
    if (count == 1 && params[0].isWord()) {
        // The compiler resolved the label into the word's own cell: no search, no reload.
        const Token* word = current.token(params[0].token);
        int32_t position = word ? current.cell(word->valueOffset) : -1;
        if (position >= 0) current.nextPosition = position;
        else
            labelError("ScriptJump Label Not Found\n\nCommand[ScriptJump]\nScripte[" + utf8(script) + "]\n\nJumpLabel[" +
                       utf8(params[0].str()) + "]");
    } else if (count == 1 && namesFile(params[0])) {
        loadScript(context, params[0].str());
        current.endNow();
    } else if (count == 1) {
        labelError("ScriptJump Parameter Error\n\nCommand[ScriptJump]\nScripte[" + utf8(script) +
                   "]\n\nParameter is NotLabelType and NotStringType");
    } else if (count == 2) {
        const std::string file = params[0].str(), label = params[1].str();
        if (pushAtLabel(context, file, label))
            current.endNow();
        else
            labelError("ScriptJump Label Not Found\n\nCommand[ScriptJump]\nScripte[" + utf8(script) + "]\n\nJumpFile[" +
                       utf8(file) + "]\nJumpLabel[" + utf8(label) + "]");
    }
    return std::nullopt;
}

// The value is stored only when the Return itself is the right-hand side of an assignment.
std::optional<CommandResult> Return(ScriptContext& context, int32_t count, const Param* params) {
    context.top()->endNow();
    if (count == 1) return CommandResult::integer(params[0].value);
    return CommandResult::none();
}

// Restart, Restart(no-question) or Restart(no-question, file). A file named here stays stored for the
// next restart even when the player cancels this one.
std::optional<CommandResult> Restart(ScriptContext& context, int32_t count, const Param* params) {
    if (count > 2) return std::nullopt;
    if (count == 2) context.engine.restartScriptName = std::string(params[1].str());
    const intptr_t noQuestion = count >= 1 ? params[0].value : 0;
    app::EngineState& engine = context.engine;
    app::requestReturnToTitle(engine, noQuestion);
    return std::nullopt;
}

// ScriptExit or ScriptExit(0) closes the game window as its close button does (the player is asked);
// any other value ends the game at once, after the system data and the read-text record are written.
std::optional<CommandResult> ScriptExit(ScriptContext& context, int32_t count, const Param* params) {
    if (count > 1) return std::nullopt;
    app::EngineState& engine = context.engine;
    if (count == 0 || params[0].value == 0) {
        app::requestClose(engine);
        return std::nullopt;
    }
    engine.recordEnd(app::EndReason::Exit);
    engine.scriptExit = 1;
    app::sendApplicationMessage(platform::MSG_SYSTEM_DATA_WRITE);
    app::sendApplicationMessage(platform::MSG_ALREADY_DATA_WRITE);
    for (auto& record : context.stack) record->endNow();
    return std::nullopt;
}

}  // namespace

void registerControlFlowCommands(CommandTable& table) {
    table.setHandler("If", If);
    table.setHandler("if", If);
    table.setHandler("TTE", TTE);
    table.setHandler("ScriptCall", ScriptCall);
    table.setHandler("ScriptJump", ScriptJump);
    table.setHandler("Return", Return);
    table.setHandler("Restart", Restart);
    table.setHandler("ScriptExit", ScriptExit);
}

}  // namespace qeli::script
