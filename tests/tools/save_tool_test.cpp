#include <gtest/gtest.h>

#include "files/system_file.h"
#include "saved/already_data_format.h"
#include "saved/system_data_format.h"
#include "support/engine_fixture.h"
#include "support/run_tool.h"

namespace qeli::tools {
namespace {

class SaveToolTest : public testing::EngineTest {};

TEST_F(SaveToolTest, InfoPrintsSystemDataAndReadTextRecordsAsJson) {
    system.globalFlags[12] = 5;
    system.globalStrings[3] = "\x82\xA0";  // あ
    engine.textSpeed = 15;
    ASSERT_TRUE(files::writeSystemFile("System.dat", saved::encodeSystemData(engine, system, 3600), false));
    readText.flagsFor("start.qls", 4)[1] = 1;
    ASSERT_TRUE(files::writeSystemFile("Already.dat", saved::encodeAlreadyData(readText), false));

    auto system = testing::runTool("save info " + folder.file("System.dat"));
    EXPECT_EQ(system.exitCode, 0);
    EXPECT_NE(system.output.find("\"textSpeed\": 15"), std::string::npos) << system.output;
    EXPECT_NE(system.output.find("\"playTimeSeconds\": 3600"), std::string::npos);
    EXPECT_NE(system.output.find("\"globalFlags\": {\"12\": 5}"), std::string::npos);
    EXPECT_NE(system.output.find("\"globalStrings\": {\"3\": \"あ\"}"), std::string::npos);

    auto already = testing::runTool("save info " + folder.file("Already.dat"));
    EXPECT_NE(already.output.find(R"({"name": "start.qls", "size": 4, "set": 1})"), std::string::npos)
        << already.output;

    EXPECT_EQ(testing::runTool("save info " + folder.file("nothing")).exitCode, 1);
    EXPECT_EQ(testing::runTool("save frobnicate").exitCode, 2);
}

}  // namespace
}  // namespace qeli::tools
