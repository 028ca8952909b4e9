// Random ranges, the trigonometry values, StringLength and FlagReset, run as compiled script text.
#include <gtest/gtest.h>

#include <set>

#include "platform/message_box.h"
#include "script/script_loader.h"
#include "script/variables.h"
#include "support/engine_fixture.h"
#include "support/qls_writer.h"
#include "support/script_runner.h"

namespace qeli::testing {
namespace {

class ValueCommandsTest : public EngineTest {
protected:
    ValueCommandsTest() { registerScriptCommands(table); }
};

TEST_F(ValueCommandsTest, RandomStaysInItsRanges) {
    context->random.seed(12345);
    runScriptText(*context,
                  "Flag[0] = 0\n"
                  "loop\n"
                  "Flag[100 + Flag[0]] = Random(5)\n"
                  "Flag[1100 + Flag[0]] = Random(3, 6)\n"
                  "Flag[2100 + Flag[0]] = Random(0)\n"
                  "Flag[3100 + Flag[0]] = Random()\n"
                  "Flag[4100 + Flag[0]] = Random(100000)\n"
                  "Flag[0] = Flag[0] + 1\n"
                  "If (Flag[0] < 1000) { ScriptJump(loop) }\n"
                  "Flag[1] = 77\n"
                  "Flag[1] = Random(1, 2, 3)\n");
    std::set<int32_t> small, shifted, wide;
    for (int i = 0; i < 1000; ++i) {
        small.insert(context->flags[static_cast<size_t>(100 + i)]);
        shifted.insert(context->flags[static_cast<size_t>(1100 + i)]);
        EXPECT_EQ(context->flags[static_cast<size_t>(2100 + i)], 0);
        int32_t plain = context->flags[static_cast<size_t>(3100 + i)];
        EXPECT_TRUE(plain >= 0 && plain <= 32767);
        int32_t any = context->flags[static_cast<size_t>(4100 + i)];
        EXPECT_TRUE(any >= 0 && any <= 100000);
        wide.insert(any / 40000);
    }
    EXPECT_EQ(small, (std::set<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(shifted, (std::set<int32_t>{4, 5, 6, 7}));
    EXPECT_EQ(wide, (std::set<int32_t>{0, 1, 2}));  // ranges beyond one draw are covered too
    // Three parameters give a result of kind 0, which an integer target receives as 0.
    EXPECT_EQ(context->flags[1], 0);
    EXPECT_TRUE(platform::shownMessageBoxes().empty());
}

TEST_F(ValueCommandsTest, TrigonometryUsesTheEnginesPiAndRounding) {
    runScriptText(*context,
                  "Flag[1] = sin(30)  Flag[2] = sin(-30)  Flag[3] = sin(90)  Flag[4] = cos(90)\n"
                  "Flag[5] = cos(180) Flag[6] = tan(45)   Flag[7] = tan(60)  Flag[8] = tan(90)\n"
                  "Flag[9] = 5 Flag[9] = sin(1, 2)\n");
    const int32_t expected[] = {500, -499, 1000, 0, -999, 1000, 1732, INT32_MAX};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(context->flags[static_cast<size_t>(i + 1)], expected[i]) << "Flag " << i + 1;
    EXPECT_EQ(context->flags[9], 5);  // two parameters: no result, the target keeps its value
}

TEST_F(ValueCommandsTest, StringLengthAndFlagReset) {
    system.globalFlags[3] = 9;
    runScriptText(*context,
                  "String[1] = \"abc\" + \"\x82\xA0\"\n"  // three bytes and one double-byte character
                  "Flag[1] = StringLength(String[1])\n"
                  "Flag[2] = StringLength(String[2])\n"
                  "Flag[3] = StringLength(tempglobalstring)\n"
                  "Flag[4] = StringLength()\n"
                  "GlobalString[1] = \"kept\"\n");
    EXPECT_EQ(context->flags[1], 5);
    EXPECT_EQ(context->flags[2], 0);
    EXPECT_EQ(context->flags[3], 0);
    EXPECT_EQ(context->flags[4], 0);
    EXPECT_TRUE(context->strings[2].has_value());  // read once, it exists from then on
    runScriptText(*context, "FlagReset()\n", "reset.txt");
    EXPECT_EQ(context->flags[1], 0);
    EXPECT_EQ(*context->strings[1], "abc\x82\xA0");
    EXPECT_EQ(system.globalFlags[3], 9);
    EXPECT_EQ(*system.globalStrings[1], "kept");
}

TEST_F(ValueCommandsTest, IndexBoundariesShowTheirBoxes) {
    runScriptText(*context,
                  "GlobalFlag[9999] = 1  Flag[65535] = 2\n"
                  "GlobalFlag[10000] = 3  Flag[65536] = 4\n"
                  "Flag[1] = GlobalFlag[-1]  String[1] = String[65536]\n");
    EXPECT_EQ(system.globalFlags[9999], 1);
    EXPECT_EQ(context->flags[65535], 2);
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].request.caption, "GlobalFlag Out Of Area Error");
    EXPECT_EQ(boxes[0].request.text, "GlobalFlag Out Of Area\n\n  GlobalFlag[10000]");
    EXPECT_EQ(boxes[1].request.text, "NomalFlag Out Of Area\n\n  Flag[65536]");
    EXPECT_EQ(boxes[2].request.text, "GlobalFlag Out Of Area\n\n  GlobalFlag[-1]");
    EXPECT_EQ(boxes[3].request.caption, "NomalFlag Out Of Area Error");
    EXPECT_EQ(boxes[3].request.text, "NomalString Out Of Area\n\n  String[65536]");
}

}  // namespace
}  // namespace qeli::testing

namespace qeli::testing {
namespace {

// Resolving a token for another subsystem: the same references as binding, but an absent String
// element stays absent, and out-of-range indexes show the resolving family of texts.
TEST_F(ValueCommandsTest, ResolveTokenLeavesAbsentStringsAbsent) {
    QlsWriter w;
    const int32_t unset = w.stringElement(false, 5);
    const int32_t flag = w.flagElement(false, 7);
    const int32_t farFlag = w.flagElement(false, 70000);
    const int32_t farGlobalString = w.stringElement(true, 10000);
    auto tables = script::parseCompiledScript(w.build());
    ASSERT_TRUE(tables);
    script::ScriptRecord& record = context->push();
    record.setTables(std::move(*tables));
    context->flags[7] = 42;

    EXPECT_EQ(script::resolveToken(*context, record, unset).text, nullptr);
    EXPECT_FALSE(context->strings[5].has_value());
    EXPECT_EQ(script::resolveToken(*context, record, flag).value, 42);
    EXPECT_EQ(script::resolveToken(*context, record, farFlag).value, 0);
    script::resolveToken(*context, record, farGlobalString);
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].request.caption, "Flag Out Of Area Error");
    EXPECT_EQ(boxes[0].request.text, "FlagTable Out Of Area\n\n  Flag[70000]");
    EXPECT_EQ(boxes[1].request.caption, "GlobalFlag Out Of Area Error");
    EXPECT_EQ(boxes[1].request.text, "GlobalStringTable Out Of Area\n\n  GlobalStringFlag[10000]");
}

}  // namespace
}  // namespace qeli::testing
