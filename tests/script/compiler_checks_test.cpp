// The checks that reject source text, each with its exact box, and what each lets through.
#include <gtest/gtest.h>

#include <string>

#include "script/compiler.h"
#include "support/files_helpers.h"
#include "support/script_runner.h"

namespace qeli::testing {
namespace {

struct Rejection {
    const char* source;
    const char* message;
    platform::BoxButtons buttons;
};

TEST(CompilerChecksTest, RejectedSourcesShowTheirExactBoxes) {
    using platform::BoxButtons;
    const Rejection cases[] = {
        {"Flag[1] = 1\nStrOut(\"abc)\n",
         "Quotation Symmetry Error（クォーテーション対応エラー）\nLine:  [           1]\nString:[StrOut(\"abc)]",
         BoxButtons::RetryCancel},
        // A parenthesis inside a string still counts.
        {"Flag[1] = 1\nStrOut(\"(\")\nFlag[2] = 2\n",
         "Parenthesis Symmetry Error（括弧()対応エラー）\nSymmetry Difference Count:[           1]\n"
         "Line:                     [           1]\nString:                   [StrOut(\"(\")]",
         BoxButtons::Ok},
        {"Flag [3] = 1\n",
         "Flag Discrimination search Error（Flag識別子エラー []の前に\"Flag\"\"GlobalFlag\"等が見つかりません）\n"
         "Symmetry Difference Count:[           1]\nLine:                     [           0]\n"
         "String:                   [Flag [3] = 1]",
         BoxButtons::Ok},
        {"Flag[1] = 1\nFlag[2 = 1\n",
         "Parenthesis Symmetry Error（括弧[]対応エラー）\nSymmetry Difference Count:[           1]\n"
         "Line:                     [           1]\nString:                   [Flag[2 = 1]",
         BoxButtons::Ok},
        {"If (1) {\nFlag[1] = 1\n",
         "Parenthesis Symmetry Error（括弧{}対応エラー）\nSymmetry Difference Count:[           1]\n"
         "Line:                     [           0]\nString:                   [If (1) {]",
         BoxButtons::Ok},
        {"If (Flag[1] == 2) { }\n", "Calculation Method Error（計算記号エラー）\nLine:  [           0]\nString:[==]",
         BoxButtons::RetryCancel},
        {"Flag[1] = 2 <\n // comment\n = 3\n",
         "Calculation Method Error（計算記号エラー）\nLine:  [           0]\nString:[<=]", BoxButtons::RetryCancel},
        {"Flag[1] = 2 * / 3\n", "Calculation Method Error（計算記号エラー）\nLine:  [           0]\nString:[*/]",
         BoxButtons::RetryCancel},
        {"Flag[1] = 2\n\x81\x40" "Flag[2] = 3\n",
         "Double-byte Space Character Error（全角スペースエラー）\nLine:  [           1]\nString:[\xE3\x80\x80"
         "Flag[2] = 3]",
         BoxButtons::RetryCancel},
        // Comments are outside strings too.
        {"Flag[1] = 2 // \x81\x40\n",
         "Double-byte Space Character Error（全角スペースエラー）\nLine:  [           0]\nString:[Flag[1] = 2 // "
         "\xE3\x80\x80]",
         BoxButtons::RetryCancel},
    };
    for (const Rejection& c : cases) {
        CollectingReporter reporter;
        EXPECT_FALSE(script::compileScriptSource(bytesOf(c.source), reporter)) << c.source;
        ASSERT_EQ(reporter.messages.size(), 1u) << c.source;
        EXPECT_EQ(reporter.messages[0].text, c.message);
        EXPECT_EQ(reporter.messages[0].buttons, c.buttons);
        EXPECT_TRUE(reporter.messages[0].rejects);
    }
}

TEST(CompilerChecksTest, AcceptedSourcesPassEveryCheck) {
    const char* sources[] = {
        "If (Flag[1] = 2) { Flag[2] = 1 }\n",
        "Flag[1] = 2 + -3 Flag[2] = 4 = -1\n",
        "StrOut(\"[brackets] in text\") // a comment with \" and ( and [\n",
        "StrOut(\"\x81\x40 full-width space in a string\")\n",
        "Flag[1] = 6 / // a comment after an operator\n 3\n",
        "",
    };
    for (const char* source : sources) {
        CollectingReporter reporter;
        EXPECT_TRUE(script::compileScriptSource(bytesOf(source), reporter)) << source;
        EXPECT_TRUE(reporter.messages.empty()) << source;
    }
}

TEST(CompilerChecksTest, RetryLooksForMoreErrorsAndCancelStops) {
    const std::string source = "Flag[1] = \"a\nFlag[2] = \"b\n";
    CollectingReporter cancel(platform::BoxAnswer::Cancel);
    EXPECT_FALSE(script::compileScriptSource(bytesOf(source), cancel));
    EXPECT_EQ(cancel.messages.size(), 1u);
    CollectingReporter retry(platform::BoxAnswer::Retry);
    EXPECT_FALSE(script::compileScriptSource(bytesOf(source), retry));
    EXPECT_EQ(retry.messages.size(), 2u);
}

TEST(CompilerChecksTest, DeepNestingIsRefusedNotOverflowed) {
    std::string source = "Flag[1] = " + std::string(100'000, '(') + "1" + std::string(100'000, ')') + "\n";
    CollectingReporter reporter;
    EXPECT_FALSE(script::compileScriptSource(bytesOf(source), reporter));
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_TRUE(reporter.messages.back().rejects);
}

}  // namespace
}  // namespace qeli::testing
