// Runs scripts written as source text in a test's context: the file is written into the current
// (scratch) folder, loaded through the loader and compiler, and run to its end.
#pragma once

#include <string>
#include <vector>

#include "script/compiler_messages.h"
#include "script/interpreter.h"
#include "script/script_context.h"

namespace qeli::testing {

// Gives the test's command table the script engine's own commands.
void registerScriptCommands(script::CommandTable& table);
// Writes, loads and runs the script; returns what the interpreter's run returned.
script::RunResult runScriptText(script::ScriptContext& context, const std::string& text,
                                const std::string& fileName = "start.txt");

// Keeps every compiler message and answers as a player giving up would (Cancel), or Retry.
class CollectingReporter final : public script::CompilerReporter {
public:
    explicit CollectingReporter(platform::BoxAnswer answer = platform::BoxAnswer::Cancel) : m_answer(answer) {}
    platform::BoxAnswer report(const script::CompilerMessage& message) override {
        messages.push_back(message);
        return m_answer;
    }
    std::vector<script::CompilerMessage> messages;

private:
    platform::BoxAnswer m_answer;
};

}  // namespace qeli::testing
