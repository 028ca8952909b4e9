#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/settings.h"
#include "files/archive_writer.h"
#include "files/archives.h"
#include "platform/message_box.h"
#include "support/engine_fixture.h"

namespace qeli::app {
namespace {

class SettingsFile : public testing::EngineTest {
protected:
    void writeText(const std::string& name, const std::string& text) { std::ofstream(folder.file(name)) << text; }
};

TEST_F(SettingsFile, MissingFileKeepsEveryDefault) {
    EXPECT_FALSE(readSettingsFile(engine));
    EXPECT_EQ(engine.baseWidth, 640);
    EXPECT_EQ(engine.settings.historyRowsMargin, 30);
}

TEST_F(SettingsFile, AnArchivedFileComesBeforeTheLooseOne) {
    writeText("default.ini", "WindowSize=1024,768\n");
    std::string archived = "WindowSize=800,600\n";
    auto archive = files::buildArchive({{"default.ini", std::vector<uint8_t>(archived.begin(), archived.end())}});
    std::ofstream(folder.file("data02.qlc"), std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    files::resetArchives();
    EXPECT_TRUE(readSettingsFile(engine));
    EXPECT_EQ(engine.baseWidth, 800);
    EXPECT_EQ(engine.windowHeight, 600);
}

TEST_F(SettingsFile, AMissingSaveFolderIsCreatedWhenThePlayerAgrees) {
    writeText("default.ini", "SaveDataDirectory=saves\\slot\n");
    EXPECT_TRUE(readSettingsFile(engine));
    EXPECT_EQ(engine.saveFolder, "saves\\slot\\");
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.caption, "確認");
    EXPECT_EQ(boxes[0].request.text, "saves\\slot\\が存在しません。フォルダを作成しますか？");
    EXPECT_FALSE(std::filesystem::exists(folder.file("saves")));  // the headless answer is Cancel

    platform::queueMessageBoxAnswer(platform::BoxAnswer::Ok);
    EXPECT_TRUE(readSettingsFile(engine));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("saves/slot")));
    EXPECT_TRUE(readSettingsFile(engine));
    EXPECT_EQ(platform::shownMessageBoxes().size(), 2u);  // an existing folder asks nothing
}

}  // namespace
}  // namespace qeli::app
