// Blocks and else, labels, calls and jumps across files, Return, TTE, and the commands that restart or
// end the game.
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "script/interpreter.h"
#include "script/script_loader.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"
#include "support/qls_writer.h"
#include "support/script_runner.h"

namespace qeli::testing {
namespace {

class ControlFlowTest : public EngineTest {
protected:
    ControlFlowTest() { registerScriptCommands(table); }
    int32_t flag(int i) const { return context->flags[static_cast<size_t>(i)]; }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : platform::shownMessageBoxes()) texts.push_back(box.request.text);
        return texts;
    }
};

TEST_F(ControlFlowTest, IfAndElseChooseOneBlock) {
    runScriptText(*context,
                  "If (0) { Flag[1] = 1 } else { Flag[2] = 1 }\n"
                  "If (1) { Flag[3] = 1 } else { Flag[4] = 1 }\n"
                  "if (Flag[3] = 1) { Flag[5] = 1 }\n"
                  "If (0) Flag[6] = 1\n"  // not a block: nothing is skipped
                  "If (0) { If (1) { Flag[7] = 1 } Flag[8] = 1 } else { Flag[9] = 1 }\n"
                  "else Flag[10] = 1\n");  // an else after no block is a plain word
    EXPECT_EQ(flag(1), 0);
    EXPECT_EQ(flag(2), 1);
    EXPECT_EQ(flag(3), 1);
    EXPECT_EQ(flag(4), 0);
    EXPECT_EQ(flag(5), 1);
    EXPECT_EQ(flag(6), 1);
    EXPECT_EQ(flag(7) + flag(8), 0);
    EXPECT_EQ(flag(9), 1);
    EXPECT_EQ(flag(10), 1);
}

TEST_F(ControlFlowTest, LabelsJumpForwardAndBackAndTheFirstDefinitionWins) {
    runScriptText(*context,
                  "ScriptJump(ahead)\n"
                  "Flag[1] = 1\n"
                  "ahead\n"
                  "Flag[2] = Flag[2] + 1\n"
                  "If (Flag[2] < 3) { ScriptJump(ahead) }\n"
                  "ScriptJump(twice)\n"
                  "twice Flag[3] = 1 ScriptJump(end)\n"
                  "twice Flag[4] = 1\n"
                  "end\n");
    EXPECT_EQ(flag(1), 0);
    EXPECT_EQ(flag(2), 3);
    EXPECT_EQ(flag(3), 1);
    EXPECT_EQ(flag(4), 0);
}

// A label call runs a fresh copy of the file: an integer cell the caller changed has its first value.
TEST_F(ControlFlowTest, SameFileScriptCallRunsAFreshCopy) {
    QlsWriter w;
    const int32_t cell = w.intConstant(1);
    const int32_t label = w.word("sub");
    w.assign(cell, "=", {w.intConstant(9)});
    w.call("ScriptCall", {label});
    w.assign(w.flagElement(false, 1), "=", {cell});
    w.call("Return", {});
    w.setCell(w.cellOf(label), w.position());
    w.emit(label);
    w.assign(w.flagElement(false, 2), "=", {cell});
    ASSERT_TRUE(w.writeTo("start.qls"));
    script::loadScript(*context, "start.qls");
    script::run(*context);
    EXPECT_EQ(flag(1), 9);
    EXPECT_EQ(flag(2), 1);
}

TEST_F(ControlFlowTest, CallsJumpsAndReturnsAcrossFiles) {
    writeFile("a.txt", "Flag[2] = 1 ScriptJump(\"b.txt\") Flag[3] = 1\n");
    writeFile("b.txt", "Flag[4] = 1 Return(5) Flag[5] = 1\n");
    writeFile("c.txt", "x Flag[7] = 1 Flag[8] = Return(6)\n");
    runScriptText(*context,
                  "Flag[1] = 1 ScriptCall(\"a.txt\") Flag[6] = 1\n"
                  "ScriptCall(\"c.txt\", x)\n"
                  "ScriptJump(\"c.txt\", x) Flag[9] = 1\n");
    // The jump replaced a.txt: b.txt's Return resumed a.txt's caller.
    EXPECT_EQ(flag(1) + flag(2) + flag(4) + flag(6), 4);
    EXPECT_EQ(flag(3) + flag(5), 0);
    EXPECT_EQ(flag(7), 1);
    EXPECT_EQ(flag(8), 6);
    EXPECT_EQ(flag(9), 0);
    EXPECT_TRUE(context->stack.empty());
}

TEST_F(ControlFlowTest, LabelErrorsShowTheirBoxesAndGoOn) {
    writeFile("b.txt", "Flag[10] = 1\n");
    runScriptText(*context,
                  "ScriptJump(nowhere) Flag[1] = 1\n"
                  "ScriptCall(nowhere) Flag[2] = 1\n"
                  "ScriptCall(\"b.txt\", missing) Flag[3] = 1\n"
                  "ScriptJump(\"b.txt\", missing) Flag[4] = 1\n"
                  "ScriptJump(5) ScriptCall(5) Flag[5] = 1\n");
    EXPECT_EQ(flag(1) + flag(2) + flag(3) + flag(4) + flag(5), 5);
    EXPECT_EQ(flag(10), 0);
    auto texts = boxTexts();
    // The compiler's warnings about the undefined label come first.
    ASSERT_EQ(texts.size(), 10u);
    EXPECT_EQ(texts[0], "LABEL not found (対応ラベルが見つかりません) \n\nString:[nowhere]");
    EXPECT_EQ(texts[2], "ScriptJump Label Not Found\n\nCommand[ScriptJump]\nScripte[start.txt]\n\nJumpLabel[nowhere]");
    // ScriptCall reloads the file, whose compiler warnings show again.
    EXPECT_EQ(texts[5], "ScriptCall Label Not Found\n\nCommand[ScriptCall]\nScripte[start.txt]\n\nCallLabel[nowhere]");
    EXPECT_EQ(texts[6],
              "ScriptCall Label Not Found\n\nCommand[ScriptCall]\nScripte[start.txt]\n\nCallFile[b.txt]\nCallLabel[missing]");
    EXPECT_EQ(texts[7],
              "ScriptJump Label Not Found\n\nCommand[ScriptJump]\nScripte[start.txt]\n\nJumpFile[b.txt]\nJumpLabel[missing]");
    EXPECT_EQ(texts[8], "ScriptJump Parameter Error\n\nCommand[ScriptJump]\nScripte[start.txt]\n\nParameter is "
                        "NotLabelType and NotStringType");
    EXPECT_EQ(texts[9], "ScriptCall Parameter Error\n\nCommand[ScriptCall]\nScripte[start.txt]\n\nParameter is "
                        "NotLabelType and NotStringType");
    EXPECT_EQ(platform::shownMessageBoxes()[9].request.caption, "Label Error");
}

TEST_F(ControlFlowTest, TteRunsItsBlockOnceForAFastReaction) {
    context->tteValue = 800;
    runScriptText(*context,
                  "TTE(1000) { Flag[1] = 1 } TTE(1000) { Flag[2] = 1 }\n"
                  "TTE() Flag[3] = 1\n");
    EXPECT_EQ(flag(1), 1);
    EXPECT_EQ(flag(2), 0);
    EXPECT_EQ(flag(3), 1);
    EXPECT_EQ(context->tteValue, 0u);
    context->tteValue = 1200;
    runScriptText(*context, "TTE(1000) { Flag[4] = 1 }\n", "slow.txt");
    EXPECT_EQ(flag(4), 0);
    EXPECT_EQ(context->tteValue, 1200u);
}

TEST_F(ControlFlowTest, RestartAsksUnlessToldNotTo) {
    runScriptText(*context, "Restart() Flag[1] = 1\n");
    ASSERT_EQ(platform::shownMessageBoxes().size(), 1u);
    const auto box = platform::shownMessageBoxes()[0].request;
    EXPECT_EQ(box.caption, "確認");
    EXPECT_EQ(box.text, "タイトルへ戻りますか？");
    EXPECT_EQ(box.buttons, platform::BoxButtons::OkCancel);
    EXPECT_EQ(engine.restart.load(), 0);  // cancelled: the script went on
    EXPECT_EQ(flag(1), 1);

    platform::queueMessageBoxAnswer(platform::BoxAnswer::Ok);
    runScriptText(*context, "Restart() Flag[2] = 1\n", "ok.txt");
    EXPECT_EQ(engine.restart.load(), 1);
    EXPECT_EQ(flag(2), 0);
    EXPECT_TRUE(context->stack.empty());

    engine.restart = 0;
    runScriptText(*context, "Restart(1, \"title.txt\")\n", "named.txt");
    EXPECT_EQ(platform::shownMessageBoxes().size(), 2u);
    EXPECT_EQ(engine.restart.load(), 1);
    EXPECT_EQ(engine.restartScriptName, "title.txt");
}

TEST_F(ControlFlowTest, ScriptExitWithAValueEndsEveryScriptAtOnce) {
    writeFile("sub.txt", "Flag[1] = 1 ScriptExit(1) Flag[2] = 1\n");
    EXPECT_EQ(runScriptText(*context, "ScriptCall(\"sub.txt\") Flag[3] = 1\n"), script::RunResult::Stopped);
    EXPECT_EQ(flag(1), 1);
    EXPECT_EQ(flag(2) + flag(3), 0);
    EXPECT_EQ(engine.scriptExit.load(), 1);
    EXPECT_EQ(engine.ended(), app::EndReason::Exit);
    EXPECT_TRUE(platform::shownMessageBoxes().empty());
}

TEST_F(ControlFlowTest, ScriptExitWithoutAValueAsksThePlayer) {
    runScriptText(*context, "ScriptExit() Flag[1] = 1\n");
    ASSERT_EQ(platform::shownMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::shownMessageBoxes()[0].request.text, "終了します。よろしいですか？");
    EXPECT_EQ(flag(1), 1);
    EXPECT_EQ(engine.scriptExit.load(), 0);

    platform::queueMessageBoxAnswer(platform::BoxAnswer::Ok);
    EXPECT_EQ(runScriptText(*context, "ScriptExit(0) Flag[2] = 1\n", "quit.txt"), script::RunResult::Stopped);
    EXPECT_EQ(flag(2), 0);
    EXPECT_EQ(engine.ended(), app::EndReason::Quit);
}

}  // namespace
}  // namespace qeli::testing
