// What the compiler produces: token sharing, the code of assignments and calls, block and label
// links, warnings that leave the script compiled, the `.qls` round trip and UTF-8 source text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/message_box.h"
#include "script/compiler.h"
#include "script/qls_file_writer.h"
#include "script/script_loader.h"
#include "script/source_preconversion.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"
#include "support/script_runner.h"

namespace qeli::testing {
namespace {

using script::TokenType;

struct Compiled {
    script::CompiledScript tables;
    std::vector<script::CompilerMessage> messages;

    const script::Token& tokenAt(size_t position) const { return tables.tokens[static_cast<size_t>(tables.code[position])]; }
    std::string name(const script::Token& t) const { return reinterpret_cast<const char*>(&tables.data[static_cast<size_t>(t.nameOffset)]); }
    int32_t cell(int32_t offset) const {
        int32_t v;
        std::memcpy(&v, &tables.data[static_cast<size_t>(offset)], 4);
        return v;
    }
    int count(TokenType type, const std::string& text) const {
        int n = 0;
        for (const auto& t : tables.tokens) n += t.kind() == type && name(t) == text;
        return n;
    }
};

Compiled compile(const std::string& source) {
    CollectingReporter reporter;
    auto tables = script::compileScriptSource(bytesOf(source), reporter);
    EXPECT_TRUE(tables) << source;
    return {tables.value_or(script::CompiledScript{}), reporter.messages};
}

TEST(CompilerOutputTest, CommandsAndWordsAreSharedBracesAndNumbersAreNot) {
    Compiled c = compile("Flag[1] = Flag[2] + 1\nFlag[3] = Flag[2] + 1\nIf (1) { }\nIf (1) { }\n");
    EXPECT_EQ(c.count(TokenType::Command, "="), 1);
    EXPECT_EQ(c.count(TokenType::Command, "If"), 1);
    EXPECT_EQ(c.count(TokenType::Word, "+"), 1);
    EXPECT_EQ(c.count(TokenType::Word, "{"), 2);
    EXPECT_EQ(c.count(TokenType::Word, "}"), 2);
    EXPECT_EQ(c.count(TokenType::FlagElement, "Flag"), 4);
    int constants = 0;
    for (const auto& t : c.tables.tokens) constants += t.kind() == TokenType::IntConstant;
    EXPECT_EQ(constants, 4 /* subscripts */ + 4 /* their hidden cells */ + 2 /* ones */ + 2 /* If conditions */);
    EXPECT_TRUE(c.messages.empty());
}

TEST(CompilerOutputTest, ACallIntoAVariableStoresThroughAnEmptyAssignment) {
    Compiled c = compile("Flag[1] = Random(5)");
    const TokenType expected[] = {TokenType::IntConstant, TokenType::Command,     TokenType::IntConstant,
                                  TokenType::IntConstant, TokenType::FlagElement, TokenType::Command,
                                  TokenType::IntConstant, TokenType::Command,     TokenType::IntConstant,
                                  TokenType::IntConstant};
    ASSERT_EQ(c.tables.code.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        if (i == 2 || i == 6 || i == 8) continue;  // parameter counts
        EXPECT_EQ(c.tokenAt(i).kind(), expected[i]) << i;
    }
    EXPECT_EQ(c.tables.code[2], 1);
    EXPECT_EQ(c.tables.code[6], 0);  // the empty `=`: Random's result goes to the element
    EXPECT_EQ(c.name(c.tokenAt(7)), "Random");
    EXPECT_EQ(c.tables.code[8], 1);
    // The element reads its index from the hidden cell that the first `=` fills.
    EXPECT_EQ(c.tokenAt(4).aux, c.tokenAt(0).valueOffset);
    EXPECT_EQ(c.tables.temporaryCount, 0);
}

TEST(CompilerOutputTest, SubExpressionsAndCallsGoIntoTemporaries) {
    EXPECT_EQ(compile("Wait((5))").tables.temporaryCount, 0);  // a single value in parentheses is used as it is
    EXPECT_EQ(compile("Wait((2 + 3))").tables.temporaryCount, 1);
    EXPECT_EQ(compile("Wait(2 + 3)").tables.temporaryCount, 1);
    EXPECT_EQ(compile("Flag[1] = (1 + 2) * sin(3)").tables.temporaryCount, 2);
    EXPECT_EQ(compile("Wait(sin(cos(1)))").tables.temporaryCount, 2);
}

TEST(CompilerOutputTest, BlocksLinkToTheirEndOrTheirElseBlock) {
    Compiled c = compile("If (0) { } else { }\nlabel\n");
    // If 1 param(3 words), "{" at 3, "}" at 4, else at 5, "{" at 6, "}" at 7, label at 8.
    ASSERT_EQ(c.tables.code.size(), 9u);
    EXPECT_EQ(c.cell(c.tokenAt(3).valueOffset), 6);
    EXPECT_EQ(c.cell(c.tokenAt(4).valueOffset), 3);
    EXPECT_EQ(c.cell(c.tokenAt(6).valueOffset), 7);
    EXPECT_EQ(c.cell(c.tokenAt(8).valueOffset), 8);
    EXPECT_EQ(c.cell(c.tokenAt(5).valueOffset), -1);  // else is not a label
}

TEST(CompilerOutputTest, WarningsLeaveTheScriptCompiled) {
    Compiled c = compile("KeyWait\nFoo(1, 2)\nif (1) Flag[1] = 1\nL L\nScriptJump(\"x.txt\", elsewhere)\n");
    ASSERT_EQ(c.messages.size(), 4u);
    EXPECT_EQ(c.messages[0].text, "Command Parameter not found (命令に対する引数エリアが見つかりません) \n\nString:[KeyWait]");
    EXPECT_EQ(c.messages[0].line, 0);
    EXPECT_EQ(c.messages[1].text,
              "Command not found (引数エリアに対する命令が見つかりません) \n\nBeforeString:[Foo]\nAfter String:[(1, 2) if (1) "
              "Flag[1] = 1 L L ScriptJump(\"x.txt\", elsewhere) ]");
    EXPECT_EQ(c.messages[1].line, 1);
    EXPECT_EQ(c.messages[2].text, "括弧対応エラー");
    EXPECT_EQ(c.messages[2].line, 2);
    EXPECT_EQ(c.messages[3].text, "LABEL repetition (同一ラベルが重複しています) \n\nString:[L]");
    EXPECT_EQ(c.messages[3].line, 3);
    for (const auto& m : c.messages) EXPECT_FALSE(m.rejects);
}

TEST(CompilerOutputTest, NumbersAreCLiteralsWrappedTo32Bits) {
    Compiled c = compile("Wait(0x10, 010, -5, +7, 0xFF000000, 4294967297)");
    const int32_t expected[] = {16, 8, -5, 7, static_cast<int32_t>(0xFF000000u), 1};
    ASSERT_EQ(c.tables.code.size(), 8u);
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(c.cell(c.tokenAt(2 + i).valueOffset), expected[i]) << i;
}

TEST(CompilerOutputTest, CompiledFilesLoadToTheSameTables) {
    Compiled c = compile("String[1] = \"text\" If (Flag[1] = 2) { ScriptJump(end) } end\n");
    for (bool scramble : {false, true}) {
        auto file = script::writeCompiledScript(c.tables, {.scrambleFlag = static_cast<uint16_t>(scramble ? 1 : 0)});
        EXPECT_EQ(file[6], scramble ? 1 : 0);
        auto loaded = script::parseCompiledScript(file);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->code, c.tables.code);
        EXPECT_EQ(loaded->data, c.tables.data);
        EXPECT_EQ(loaded->temporaryCount, c.tables.temporaryCount);
        ASSERT_EQ(loaded->tokens.size(), c.tables.tokens.size());
        for (size_t i = 0; i < c.tables.tokens.size(); ++i)
            EXPECT_EQ(std::memcmp(&loaded->tokens[i], &c.tables.tokens[i], sizeof(script::Token)), 0);
    }
}

class SourceLoadingTest : public EngineTest {
protected:
    SourceLoadingTest() { registerScriptCommands(table); }
};

TEST_F(SourceLoadingTest, Utf8SourceWithAByteOrderMarkIsConverted) {
    runScriptText(*context, "\xEF\xBB\xBFString[1] = \"あ\" + 主人公\n主人公 = \"名前\"\n");
    EXPECT_EQ(*context->strings[1], "\x82\xA0");
    EXPECT_EQ(*system.protagonist, "\x96\xBC\x91\x4F");
    EXPECT_TRUE(platform::shownMessageBoxes().empty());
}

TEST_F(SourceLoadingTest, RejectedSourceLeavesAnEmptyScriptAndSaysSo) {
    writeFile("bad.txt", "\xEF\xBB\xBF" "Flag[1] = 1\nString[1] = \"\xF0\x9F\x98\x80\"\n");
    script::ScriptRecord& record = script::loadScript(*context, "bad.txt");
    EXPECT_EQ(record.codeLength(), 0);
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].request.caption, "Qeli Compiler Error");
    EXPECT_EQ(boxes[0].request.text,
              "Character Code Error（Shift-JISにない文字があります）\nLine:  [           1]\nString:[String[1] = "
              "\"\xF0\x9F\x98\x80\"]");
    EXPECT_EQ(boxes[1].request.caption, "Script Convert Error");
    EXPECT_EQ(boxes[1].request.text, "Script Convert Error\n\nScripte[bad.txt]");
}

}  // namespace
}  // namespace qeli::testing
