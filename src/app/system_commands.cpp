#include "app/system_commands.h"

#include "app/application.h"
#include "app/engine_state.h"
#include "platform/clock.h"
#include "script/script_context.h"
#include "platform/message_box.h"
#include "platform/window_messages.h"
#include "platform/text_encoding.h"
#include "script/command_table.h"

namespace qeli::app {

namespace {

// Confirmation(text) or Confirmation(caption, text [, type]): 0 OK/Cancel, 1 OK only, 2 Yes/No.
std::optional<script::CommandResult> Confirmation(script::ScriptContext&, int32_t count, const script::Param* params) {
    std::string caption = "確認";
    const script::Param* text = &params[0];
    int32_t type = 0;
    if (count == 0) return script::CommandResult::integer(0);
    if (count >= 2) {
        caption = platform::cp932ToUtf8(params[0].str());
        text = &params[1];
        if (count >= 3) type = params[2].value;
    }
    platform::BoxButtons buttons;
    platform::BoxAnswer confirmed;
    switch (type) {
    case 0: buttons = platform::BoxButtons::OkCancel; confirmed = platform::BoxAnswer::Ok; break;
    case 1: buttons = platform::BoxButtons::Ok; confirmed = platform::BoxAnswer::Ok; break;
    case 2: buttons = platform::BoxButtons::YesNo; confirmed = platform::BoxAnswer::Yes; break;
    default: return script::CommandResult::integer(0);
    }
    std::string message = platform::cp932ToUtf8(text->str());
    classMainWindow* window = gameWindow();
    if (window && window->hasSystemWindow()) {
        uint32_t kind = type == 0 ? platform::MSG_CONFIRM_OKCANCEL
                                  : type == 1 ? platform::MSG_CONFIRM_OK : platform::MSG_CONFIRM_YESNO;
        intptr_t answer = window->send(kind, reinterpret_cast<uintptr_t>(&caption), reinterpret_cast<intptr_t>(&message));
        return script::CommandResult::integer(answer ? 1 : 0);
    }
    platform::MessageBoxRequest request{caption, message, buttons, platform::BoxIcon::Warning, true};
    return script::CommandResult::integer(platform::showMessageBox(request) == confirmed ? 1 : 0);
}

// The game asks for the player's files to be written now, by the main thread.
std::optional<script::CommandResult> SystemDataWrite(script::ScriptContext&, int32_t, const script::Param*) {
    return script::CommandResult::integer(sendApplicationMessage(platform::MSG_SYSTEM_DATA_WRITE) ? 1 : 0);
}

std::optional<script::CommandResult> AlreadyDataWrite(script::ScriptContext&, int32_t, const script::Param*) {
    return script::CommandResult::integer(sendApplicationMessage(platform::MSG_ALREADY_DATA_WRITE) ? 1 : 0);
}

std::optional<script::CommandResult> NumberToString(script::ScriptContext&, int32_t count, const script::Param* params) {
    if (count < 1) return std::nullopt;
    return script::CommandResult::string(std::to_string(params[0].value));
}

std::optional<script::CommandResult> PlayTime(script::ScriptContext& context, int32_t, const script::Param*) {
    return script::CommandResult::integer(context.engine.playTimeNow());
}

std::optional<script::CommandResult> PlayTimeReset(script::ScriptContext& context, int32_t, const script::Param*) {
    context.engine.playTimeSeconds = 0;
    context.engine.playTimeReferenceMs = platform::nowMs();
    return std::nullopt;
}

// There is no debug build of the engine for games to detect.
std::optional<script::CommandResult> DebugModeCheck(script::ScriptContext&, int32_t, const script::Param*) {
    return script::CommandResult::integer(0);
}

}  // namespace

void registerSystemCommands(script::CommandTable& table) {
    table.setHandler("NumberToString", NumberToString);
    table.setHandler("PlayTime", PlayTime);
    table.setHandler("PlayTimeReset", PlayTimeReset);
    table.setHandler("DebugModeCheck", DebugModeCheck);
    table.setHandler("Confirmation", Confirmation);
    table.setHandler("SystemDataWrite", SystemDataWrite);
    table.setHandler("AlreadyDataWrite", AlreadyDataWrite);
}

}  // namespace qeli::app
