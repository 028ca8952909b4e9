// qeli-tool script: compile gives the tables the engine compiles, check prints every message with its
// line on standard output, disasm lists compiled (also scrambled) files.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "script/script_loader.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"
#include "support/run_tool.h"
#include "support/script_runner.h"

namespace qeli::testing {
namespace {

class ScriptToolTest : public EngineTest {};

TEST_F(ScriptToolTest, CompiledFileLoadsAsTheEngineCompilesTheSource) {
    const std::string source = "\xEF\xBB\xBF" "String[1] = \"日本語\" start If (Flag[1] < 3) { ScriptJump(start) }\n";
    writeFile("game.txt", source);
    ToolRun run = runTool("script compile game.txt --scramble");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    auto file = platform::readWholeFile("game.qls");
    ASSERT_TRUE(file);
    EXPECT_EQ((*file)[6], 1);
    auto loaded = script::parseCompiledScript(*file);
    ASSERT_TRUE(loaded);

    script::ScriptRecord& record = script::loadScript(*context, "game.txt");
    EXPECT_EQ(loaded->code, record.code);
    EXPECT_EQ(loaded->data.size() + 1, record.data.size());
    EXPECT_TRUE(std::equal(loaded->data.begin(), loaded->data.end(), record.data.begin()));

    ToolRun listing = runTool("script disasm game.qls");
    EXPECT_EQ(listing.exitCode, 0);
    EXPECT_NE(listing.output.find("data area scrambled"), std::string::npos);
    EXPECT_NE(listing.output.find("start:"), std::string::npos);
    EXPECT_NE(listing.output.find("ScriptJump(start)"), std::string::npos);
    EXPECT_NE(listing.output.find("\"日本語\""), std::string::npos);
}

TEST_F(ScriptToolTest, CheckPrintsEveryMessageWithItsLine) {
    writeFile("bad.txt", "Flag[1] = 1\nStrOut(\"a)\nStrOut(\"b)\n");
    ToolRun rejected = runTool("script check bad.txt");
    EXPECT_EQ(rejected.exitCode, 1);
    EXPECT_NE(rejected.output.find("bad.txt:2: error: Quotation Symmetry Error"), std::string::npos) << rejected.output;
    EXPECT_NE(rejected.output.find("bad.txt:3: error: Quotation Symmetry Error"), std::string::npos);
    EXPECT_NE(rejected.output.find("     3 | StrOut(\"b)"), std::string::npos);

    writeFile("warn.txt", "Flag[1] = 1\nScriptJump(nowhere)\n");
    ToolRun warned = runTool("script check warn.txt");
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_NE(warned.output.find("warn.txt:2: warning: LABEL not found"), std::string::npos) << warned.output;

    EXPECT_EQ(runTool("script check missing.txt").exitCode, 1);
    EXPECT_EQ(runTool("script frobnicate").exitCode, 2);
}

}  // namespace
}  // namespace qeli::testing
