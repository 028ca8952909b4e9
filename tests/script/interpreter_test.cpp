#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "script/interpreter.h"
#include "script/script_loader.h"
#include "support/engine_fixture.h"
#include "support/qls_writer.h"

namespace qeli::script {
namespace {

using testing::QlsWriter;

// What the observing commands saw, in order.
struct Seen {
    std::string command;
    std::vector<Param> params;
};
std::vector<Seen> g_seen;
// Backing store for the texts the observing commands copy out of their parameters.
std::deque<std::string> g_texts;

void record(const char* name, int32_t count, const Param* params) {
    Seen s{name, {}};
    for (int i = 0; i < count; ++i) {
        Param p = params[i];
        if (p.text) p.text = g_texts.emplace_back(p.text).c_str();
        s.params.push_back(p);
    }
    g_seen.push_back(std::move(s));
}

std::optional<CommandResult> Wait(ScriptContext&, int32_t count, const Param* params) {
    record("Wait", count, params);
    return std::nullopt;
}
std::optional<CommandResult> Random(ScriptContext&, int32_t count, const Param* params) {
    record("Random", count, params);
    return CommandResult::integer(42);
}
std::optional<CommandResult> NumberToString(ScriptContext&, int32_t count, const Param* params) {
    record("NumberToString", count, params);
    return CommandResult::string("text");
}
std::optional<CommandResult> Year(ScriptContext&, int32_t, const Param*) { return CommandResult::none(); }
std::optional<CommandResult> Restart(ScriptContext& context, int32_t, const Param*) {
    context.engine.restart = 1;
    return std::nullopt;
}
std::optional<CommandResult> ScriptExit(ScriptContext& context, int32_t, const Param*) {
    context.engine.scriptExit = 1;
    return std::nullopt;
}
// Shows one more character of its text per run, as text output does.
std::optional<CommandResult> StrOut(ScriptContext& context, int32_t count, const Param* params) {
    record("StrOut", count, params);
    context.top()->textProgress[0] += 1;
    return std::nullopt;
}

class Interpreter : public testing::EngineTest {
protected:
    Interpreter() {
        g_seen.clear();
        g_texts.clear();
        for (auto [name, handler] : std::initializer_list<std::pair<const char*, CommandHandler>>{
                 {"Wait", Wait}, {"Random", Random}, {"NumberToString", NumberToString}, {"Year", Year},
                 {"Restart", Restart}, {"ScriptExit", ScriptExit}, {"StrOut", StrOut}})
            table.setHandler(name, handler);
    }

    ScriptRecord& start(const QlsWriter& w, const std::string& name = "start.qls") {
        w.writeTo(folder.file(name));
        return loadScript(*context, name);
    }

    std::vector<std::string> commandsSeen() const {
        std::vector<std::string> names;
        for (const auto& s : g_seen) names.push_back(s.command);
        return names;
    }
};

TEST_F(Interpreter, EmptyScriptIsPoppedWithoutRunningAnything) {
    start(QlsWriter{});
    EXPECT_EQ(run(*context), RunResult::Finished);
    EXPECT_TRUE(context->stack.empty());
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(Interpreter, UnknownCommandsArePassedOverWithTheirParameters) {
    QlsWriter w;
    w.call("wait", {w.intConstant(1), w.intConstant(2)});  // letter case differs: unknown
    w.call("NoSuchCommand", {w.intConstant(3)});
    w.call("Wait", {w.intConstant(4)});
    start(w);
    run(*context);
    ASSERT_EQ(commandsSeen(), std::vector<std::string>{"Wait"});
    EXPECT_EQ(g_seen[0].params[0].value, 4);
}

TEST_F(Interpreter, BindsEveryTokenType) {
    system.globalFlags[9999] = 7;
    context->flags[65535] = 8;
    context->strings[3] = "three";
    context->generalString = "general";
    QlsWriter w;
    int32_t tmp = w.temporary(0, TokenType::IntTemporary);
    w.setTemporaryCount(1);
    w.call("Wait", {w.word("label"), w.intVariable("n", 11), w.intConstant(12), w.stringConstant("c"),
                    w.stringLiteral("l"), w.flagArray(false), w.stringVariable(kGeneralStringName),
                    w.flagElement(true, 9999), w.flagElement(false, 65535), w.stringElement(false, 3),
                    w.stringElement(true, 5), w.temporary(0), tmp, w.stringVariable(kTempGlobalStringName)});
    ScriptRecord& r = start(w);
    r.temporaries[0] = Temporary{TemporaryKind::Integer, 13, std::nullopt};
    run(*context);
    ASSERT_EQ(g_seen.size(), 1u);
    const auto& p = g_seen[0].params;
    EXPECT_STREQ(p[0].text, "label");
    EXPECT_EQ(p[1].value, 11);
    EXPECT_EQ(p[2].value, 12);
    EXPECT_STREQ(p[3].text, "c");
    EXPECT_STREQ(p[4].text, "l");
    EXPECT_EQ(p[5].type, TokenType::FlagArray);
    EXPECT_STREQ(p[6].text, "general");
    EXPECT_EQ(p[7].value, 7);
    EXPECT_EQ(p[8].value, 8);
    EXPECT_STREQ(p[9].text, "three");
    // A string used before it was set reads as empty and exists from then on.
    EXPECT_STREQ(p[10].text, "");
    EXPECT_TRUE(system.globalStrings[5].has_value());
    EXPECT_EQ(p[11].text, nullptr);
    EXPECT_EQ(p[12].value, 13);
    EXPECT_EQ(p[13].text, nullptr);  // absent special string
    EXPECT_TRUE(platform::shownMessageBoxes().empty());
}

TEST_F(Interpreter, OutOfRangeIndexesShowTheirBoxesAndReadAsNothing) {
    QlsWriter w;
    w.call("Wait", {w.flagElement(true, 10000), w.flagElement(false, 65536), w.stringElement(true, -1),
                    w.stringElement(false, 70000)});
    start(w);
    run(*context);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].params[0].value, 0);
    EXPECT_STREQ(g_seen[0].params[3].text, "");
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].request.caption, "GlobalFlag Out Of Area Error");
    EXPECT_EQ(boxes[0].request.text, "GlobalFlag Out Of Area\n\n  GlobalFlag[10000]");
    EXPECT_EQ(boxes[1].request.caption, "NomalFlag Out Of Area Error");
    EXPECT_EQ(boxes[1].request.text, "NomalFlag Out Of Area\n\n  Flag[65536]");
    EXPECT_EQ(boxes[2].request.caption, "GlobalString Out Of Area Error");
    EXPECT_EQ(boxes[2].request.text, "GlobalString Out Of Area\n\n  GlobalString[-1]");
    EXPECT_EQ(boxes[3].request.caption, "NomalFlag Out Of Area Error");
    EXPECT_EQ(boxes[3].request.text, "NomalString Out Of Area\n\n  String[70000]");
}

TEST_F(Interpreter, StoresResultsIntoEveryTargetKind) {
    QlsWriter w;
    int32_t constant = w.intConstant(1);
    w.assign(constant, "Random", {});
    w.call("Wait", {constant});  // the changed cell is seen by later uses of the same token
    w.assign(w.flagElement(false, 5), "Random", {});
    w.assign(w.flagElement(true, 6), "Random", {});
    w.assign(w.stringElement(false, 7), "NumberToString", {});
    w.assign(w.stringVariable(kProtagonistName), "NumberToString", {});
    w.assign(w.stringVariable(kTempGlobalStringName), "Random", {});  // integers become decimal text
    int32_t tmp = w.temporary(0);
    w.assign(tmp, "NumberToString", {});
    w.assign(tmp, "Random", {});
    w.call("Wait", {tmp});
    int32_t kept = w.intVariable("kept", 3);
    w.assign(kept, "Year", {});  // a result of kind 0 still stores its 0
    w.setTemporaryCount(1);
    ScriptRecord& r = start(w);
    ASSERT_TRUE(step(*context));
    EXPECT_EQ(g_seen[1].params[0].value, 42);
    EXPECT_EQ(context->flags[5], 42);
    EXPECT_EQ(system.globalFlags[6], 42);
    EXPECT_EQ(context->strings[7], "text");
    EXPECT_EQ(system.protagonist, "text");
    EXPECT_EQ(context->tempGlobalString, "42");
    EXPECT_EQ(r.temporaries[0].kind, TemporaryKind::Integer);
    EXPECT_FALSE(r.temporaries[0].text.has_value());
    EXPECT_EQ(r.tokens[static_cast<size_t>(tmp)].kind(), TokenType::IntTemporary);
    EXPECT_EQ(g_seen.back().params[0].value, 42);
    EXPECT_EQ(r.cell(r.tokens[static_cast<size_t>(kept)].valueOffset), 0);
}

TEST_F(Interpreter, StoringOutOfRangeReportsFlagsAndDropsStringsSilently) {
    QlsWriter w;
    w.assign(w.flagElement(false, -2), "Random", {});
    w.assign(w.stringElement(true, 10000), "NumberToString", {});
    start(w);
    run(*context);
    auto boxes = platform::shownMessageBoxes();
    // Binding the string target is not a parameter, so only the Flag store shows its box.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.text, "NomalFlag Out Of Area\n\n  Flag[-2]");
}

TEST_F(Interpreter, EmptyAssignmentLeavesTheTargetPending) {
    QlsWriter w;
    w.assign(w.flagElement(false, 1), "=", {});
    w.call("Random", {});
    w.emit(w.flagElement(false, 2));
    w.emit(w.word("label"));  // a word clears a pending target
    w.call("Random", {});
    start(w);
    run(*context);
    EXPECT_EQ(context->flags[1], 42);
    EXPECT_EQ(context->flags[2], 0);
}

TEST_F(Interpreter, MoreThan128ParametersShowTheOverflowBoxAndGoOn) {
    QlsWriter w;
    std::vector<int32_t> many(130, w.intConstant(5));
    w.call("Wait", many);
    w.call("Wait", {w.intConstant(6)});
    start(w);
    run(*context);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].params.size(), 128u);
    EXPECT_EQ(g_seen[1].params[0].value, 6);
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.caption, "Parameter Area OverFlow");
    EXPECT_EQ(boxes[0].request.text, "ParameterCount \n\n [130]");
}

TEST_F(Interpreter, CountsThatRunPastTheCodeBindWhatIsThere) {
    for (int32_t count : {5, -3}) {
        g_seen.clear();
        QlsWriter w;
        int32_t wait = w.command("Wait");
        int32_t seven = w.intConstant(7);
        w.emit(wait);
        w.emit(count);
        w.emit(seven);
        start(w);
        run(*context);
        ASSERT_EQ(g_seen.size(), 1u) << count;
        EXPECT_EQ(g_seen[0].params.size(), count > 0 ? 1u : 0u) << count;
    }
}

TEST_F(Interpreter, InterruptRunningPassesOverCommandsWithFlagZero) {
    QlsWriter w;
    w.call("Wait", {w.intConstant(1)});    // flag 0: passed over
    w.call("Random", {w.intConstant(2)});  // flag 1: runs
    start(w);
    context->interruptRunning = 1;
    run(*context);
    EXPECT_EQ(commandsSeen(), std::vector<std::string>{"Random"});
}

TEST_F(Interpreter, TextOutputRunsAgainUntilItsTextIsOut) {
    QlsWriter w;
    w.call("StrOut", {w.stringLiteral("abc")});
    w.call("Wait", {});
    start(w);
    run(*context);
    EXPECT_EQ(commandsSeen(), (std::vector<std::string>{"StrOut", "StrOut", "StrOut", "Wait"}));
}

TEST_F(Interpreter, ElseJumpsOverItsBlockWhenReachedInNormalFlow) {
    QlsWriter w;
    int32_t close = w.word("}");
    w.emit(close);
    w.emit(w.word("else"));
    int32_t open = w.word("{");
    w.emit(open);
    w.call("Wait", {w.intConstant(1)});
    int32_t end = w.position();
    w.emit(w.word("}"));
    w.call("Wait", {w.intConstant(2)});
    w.setCell(w.cellOf(open), end);
    start(w);
    run(*context);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].params[0].value, 2);
}

TEST_F(Interpreter, ReadFlagsRecordWhatRanBefore) {
    QlsWriter w;
    w.call("Wait", {});
    start(w);
    run(*context);
    EXPECT_EQ(context->alreadyRead, 0);
    loadScript(*context, "start.qls");
    run(*context);
    EXPECT_EQ(context->alreadyRead, 1);
}

TEST_F(Interpreter, RestartEmptiesTheStackAfterSettling) {
    QlsWriter w;
    w.call("Restart", {});
    w.call("Wait", {});
    start(w);
    loadScript(*context, "start.qls");
    uint64_t before = platform::elapsedMs();
    EXPECT_EQ(run(*context), RunResult::Finished);
    EXPECT_TRUE(context->stack.empty());
    EXPECT_TRUE(g_seen.empty());
    EXPECT_EQ(platform::elapsedMs() - before, 700u);
}

TEST_F(Interpreter, ScriptExitStopsTheRun) {
    QlsWriter w;
    w.call("ScriptExit", {w.intConstant(1)});
    w.call("Wait", {});
    start(w);
    EXPECT_EQ(run(*context), RunResult::Stopped);
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(Interpreter, ALoadRequestEmptiesTheStack) {
    QlsWriter w;
    w.call("Wait", {});
    start(w);
    engine.loadRequest = 1;
    EXPECT_EQ(run(*context), RunResult::Finished);
    EXPECT_EQ(engine.loadRequest.load(), 0);
    EXPECT_TRUE(context->stack.empty());
}

}  // namespace
}  // namespace qeli::script
