#include "script/interpreter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/engine_state.h"
#include "interaction/reading_modes.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "script/parameter_binding.h"
#include "script/runaway_guard.h"

namespace qeli::script {

namespace {

constexpr int kAssignRow = 4;
// Rows of StrOut, StrOutNW and StrOutNWC: they return before their text is out and run again.
constexpr int kLastTextOutputRow = 2;
constexpr uint32_t kRestartSettleMs = 700;

// The tables of the running record as plain pointers and sizes, taken once per step: they do not
// change while the record runs, and every command reads them several times.
struct Tables {
    explicit Tables(ScriptRecord& record)
        : code(record.code.data()), length(record.codeLength()), tokens(record.tokens.data()),
          tokenCount(static_cast<uint32_t>(record.tokens.size())), data(record.data.data()),
          dataSize(record.dataSize()) {}

    Token* token(int32_t index) const {
        return static_cast<uint32_t>(index) < tokenCount ? &tokens[static_cast<uint32_t>(index)] : nullptr;
    }
    int32_t cell(int32_t offset) const {
        if (uint64_t{static_cast<uint32_t>(offset)} + 4 > dataSize) return 0;
        int32_t value;
        std::memcpy(&value, data + static_cast<uint32_t>(offset), 4);
        return value;
    }

    const int32_t* code;
    int32_t length;
    Token* tokens;
    uint32_t tokenCount;
    const uint8_t* data;
    size_t dataSize;
};

// The parameter references of one step; entries past the bound count are kept empty.
struct ParameterArea {
    Param params[kMaxParameters];
    int used = 0;

    // Binds the `count` token indexes at `words`.
    void bind(ScriptContext& context, ScriptRecord& record, const Tables& tables, const int32_t* words, int count) {
        for (int i = 0; i < count; ++i) {
            const int32_t tokenIndex = words[i];
            const Token* token = tables.token(tokenIndex);
            // Integer literals and cells are most parameters: they are bound here, without the general path.
            if (token && (token->kind() == TokenType::IntConstant || token->kind() == TokenType::IntVariable)) {
                Param& p = params[i];
                p.type = token->kind();
                p.token = tokenIndex;
                p.value = tables.cell(token->valueOffset);
                p.text = nullptr;
                p.empty = false;
            } else {
                bindParameter(context, record, tokenIndex, params[i]);
            }
        }
        for (int i = count; i < used; ++i) params[i] = Param{};
        used = count;
    }
};

int resolveRow(const CommandTable& table, ScriptRecord& record, Token& token) {
    if (token.aux >= 1 && token.aux <= CommandTable::kEndRow) return token.aux - 1;
    int row = table.find(record.text(token.nameOffset));
    if (row != CommandTable::kEndRow) token.aux = row + 1;
    return row;
}

void reportParameterOverflow(int32_t count) {
    char text[64];
    std::snprintf(text, sizeof text, "ParameterCount \n\n [%d]", count);
    platform::showMessageBox("Parameter Area OverFlow", text, platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

// A text-output command runs again while any of its texts has characters past its progress position.
bool textStillRunning(const ScriptRecord& record, int count, const Param* params) {
    auto remains = [](const Param& p, int32_t progress) {
        return p.text && progress >= 0 && static_cast<size_t>(progress) < std::strlen(p.text);
    };
    if (count == 1) return remains(params[0], record.textProgress[0]);
    int pairs = std::min(count / 2, kTextProgressSlots);
    for (int i = 0; i < pairs; ++i)
        if (remains(params[2 * i + 1], record.textProgress[static_cast<size_t>(i)])) return true;
    return false;
}

void executeCommand(ScriptContext& context, ScriptRecord& record, const Tables& tables, int32_t p, Token& token,
                    ParameterArea& area) {
    const CommandTable& table = context.commands;
    int row = resolveRow(table, record, token);
    const int32_t length = tables.length;
    const int32_t room = length - p - 2;  // parameter words after the count word; -1 when there is none
    int32_t count = room >= 0 ? tables.code[p + 1] : 0;
    int bound = count;
    int32_t next = p + 2 + count;
    if (static_cast<uint32_t>(count) > static_cast<uint32_t>(kMaxParameters) || count > room) {
        if (count > kMaxParameters) reportParameterOverflow(count);
        // A negative count would walk backwards through the code; it is read as no parameters.
        // Parameter words past the end of the code are not there to bind.
        count = std::max(count, 0);
        bound = std::min(std::min(count, kMaxParameters), std::max(room, 0));
        next = count <= room ? p + 2 + count : length;
    }
    area.bind(context, record, tables, bound > 0 ? tables.code + p + 2 : nullptr, bound);

    if (context.interruptRunning.load(std::memory_order_relaxed) && table.row(row).flag != 1)
        row = CommandTable::kEndRow;
    record.nextPosition = next;

    const CommandRow& command = table.row(row);
    // Unknown names and an `=` without parameters call nothing, and a pending target stays pending:
    // compiled code stores a command's result through an empty `=` placed before it.
    if (row == CommandTable::kEndRow || (row == kAssignRow && count == 0)) return;

    std::optional<CommandResult> result =
        command.handler ? command.handler(context, bound, area.params) : std::optional<CommandResult>();
    if (row <= kLastTextOutputRow) {
        if (textStillRunning(record, bound, area.params)) record.nextPosition = p;
        else record.textProgress.fill(0);
    }
    if (record.targetPending && result) storeResult(context, record, record.pendingTarget, *result);
    record.targetPending = false;
}

void executeWord(ScriptContext& context, ScriptRecord& record, const Tables& tables, int32_t p, ParameterArea& area) {
    Token* token = tables.token(tables.code[p]);
    record.nextPosition = p + 1;
    if (!token) {
        record.targetPending = false;
        return;
    }
    TokenType kind = token->kind();
    if (kind == TokenType::Command) {
        executeCommand(context, record, tables, p, *token, area);
    } else if (isVariableKind(kind)) {
        record.pendingTarget = tables.code[p];
        record.targetPending = true;
    } else if (kind == TokenType::Word) {
        record.targetPending = false;
        // Reaching "else" in normal flow means the if-block ran: jump over the else-block.
        if (std::strcmp(record.text(token->nameOffset), "else") != 0 || p + 1 >= tables.length) return;
        const Token* next = tables.token(tables.code[p + 1]);
        if (next && next->kind() == TokenType::Word && std::strcmp(record.text(next->nameOffset), "{") == 0)
            record.nextPosition = record.cell(next->valueOffset) + 1;
    } else {
        record.targetPending = false;
    }
}

}  // namespace

bool step(ScriptContext& context) {
    ScriptRecord* record = context.top();
    if (!record) return true;
    ParameterArea area;
    const Tables tables(*record);
    app::EngineState& engine = context.engine;
    while (record->currentPosition < tables.length) {
        context.gate.wait();
        interaction::applyReadingModeRules(context);
        const int32_t p = std::max(record->currentPosition, 0);
        if (record->readFlags) {
            context.alreadyRead = record->readFlags[p];
            record->readFlags[p] = 1;
        }
        if (record->skipLevel == 2 && interaction::skipping(context)) {
            record->currentPosition = tables.length;
            return true;
        }
        // TODO: the frame-speed factor of the layer set and the silencing of sound group 3 while
        // skipping, when layers and sound exist.
        executeWord(context, *record, tables, p, area);
        record->currentPosition = record->nextPosition;
        if (record->skipLevel == 2 && interaction::skipping(context)) {
            record->currentPosition = tables.length;
            return true;
        }
        if (++context.commandsSinceRunawayCheck == kCommandsPerRunawayCheck) checkForRunawayScript(context);
        if (context.top() != record) return true;
        if (engine.interrupted()) return false;
    }
    return true;
}

RunResult run(ScriptContext& context) {
    app::EngineState& engine = context.engine;
    for (;;) {
        if (engine.loadRequest.load() == 1) {
            // TODO: load the requested save slot and bring its screen up, when save slots exist.
            engine.loadRequest = 0;
        }
        bool reload = false;
        while (context.top()) {
            step(context);
            if (engine.loadRequest.load() == 1) {
                context.popAll();
                reload = true;
                break;
            }
            if (engine.restart.load() == 1) {
                context.popAll();
                // TODO: fade every sound of the interpreter's list out over 500 ms, when sound exists.
                platform::sleepMs(kRestartSettleMs);
                break;
            }
            if (ScriptRecord* current = context.top(); current->atEnd()) context.pop(current);
            if (engine.scriptExit.load() == 1) return RunResult::Stopped;
        }
        if (!reload && engine.loadRequest.load() != 1) return RunResult::Finished;
    }
}

}  // namespace qeli::script
