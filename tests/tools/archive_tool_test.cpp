#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "files/archive_writer.h"
#include "files/program_data.h"
#include "support/run_tool.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"

namespace qeli::files {
namespace {

namespace fs = std::filesystem;
using testing::readFileText;
using testing::sjis;
using testing::runTool;
using testing::ToolRun;
using testing::writeFile;

class ArchiveToolTest : public testing::EngineTest {};

TEST_F(ArchiveToolTest, PackListAndExtractRoundTripJapaneseNames) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"start.qls", "script"},
        {"システム/黒.png", std::string("\x89PNG\0\r\n", 7)},
        {"表示/声.ogg", "OggS"},  // 表 ends in a backslash byte in Shift-JIS
        {"empty.txt", ""},
    };
    for (const auto& [name, bytes] : files) writeFile("in/" + name, bytes);

    ASSERT_EQ(runTool("archive pack in data01.qlc").exitCode, 0);
    ToolRun listed = runTool("archive list data01.qlc");
    ASSERT_EQ(listed.exitCode, 0);
    EXPECT_NE(listed.output.find("         7 システム\\黒.png\n"), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find("         0 empty.txt\n"), std::string::npos);

    ASSERT_EQ(runTool("archive extract data01.qlc out").exitCode, 0);
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(readFileText("out/" + name), bytes) << name;
        // The engine reads every packed file back byte for byte by its Shift-JIS name.
        std::string gameName = sjis(name);
        std::replace(gameName.begin(), gameName.end(), '/', '\\');
        auto data = readProgramData(gameName);
        ASSERT_TRUE(data) << name;
        EXPECT_EQ(std::string(data->text()), bytes) << name;
    }
    fs::remove_all("in");
    EXPECT_FALSE(readProgramData("missing"));
}

TEST_F(ArchiveToolTest, ExtractRefusesNamesOutsideTheOutputFolder) {
    auto bytes = [](std::string_view s) { return testing::bytesOf(s); };
    writeFile("evil.qlc", buildArchive({{"..\\escaped.txt", bytes("1")},
                                        {"\\abs.txt", bytes("2")},
                                        {"C:\\drive.txt", bytes("3")},
                                        {"sub\\..\\..\\up.txt", bytes("4")},
                                        {"ok\\fine.txt", bytes("5")}}));
    fs::create_directory("out");
    EXPECT_EQ(runTool("archive extract evil.qlc out/inner").exitCode, 1);
    EXPECT_EQ(readFileText("out/inner/ok/fine.txt"), "5");
    EXPECT_FALSE(fs::exists("out/escaped.txt"));
    EXPECT_FALSE(fs::exists("out/up.txt"));
    EXPECT_FALSE(fs::exists("/abs.txt"));
    size_t written = 0;
    for (const auto& entry : fs::recursive_directory_iterator("out"))
        written += entry.is_regular_file();
    EXPECT_EQ(written, 1u);
}

TEST_F(ArchiveToolTest, ReportsWrongUsage) {
    EXPECT_EQ(runTool("").exitCode, 2);
    EXPECT_EQ(runTool("archive").exitCode, 2);
    EXPECT_EQ(runTool("archive list missing.qlc").exitCode, 1);
}

}  // namespace
}  // namespace qeli::files
