#include <gtest/gtest.h>

#include "files/file_utilities.h"
#include "files/loose_file_name.h"
#include "files/program_data.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"

namespace qeli::files {
namespace {

namespace fs = std::filesystem;
using testing::sjis;
using testing::writeFile;

class LooseFileTest : public testing::EngineTest {
protected:
    std::string found(std::string_view name) {
        auto path = findLooseFile(name);
        return path ? path->generic_string() : "<none>";
    }
};

TEST_F(LooseFileTest, FindsFilesWhateverTheirCaseAndSeparators) {
    writeFile("system/black.png", "png");
    writeFile("Graphic/BG/Room.bmp", "bmp");
    EXPECT_EQ(found("SYSTEM\\Black.PNG"), "system/black.png");
    EXPECT_EQ(found("graphic\\bg\\ROOM.BMP"), "Graphic/BG/Room.bmp");
    EXPECT_EQ(found("graphic/bg/room.bmp"), "Graphic/BG/Room.bmp");
    EXPECT_EQ(found("graphic\\\\bg\\room.bmp"), "Graphic/BG/Room.bmp");
    EXPECT_EQ(found("system\\black.png\\"), "system/black.png");
    EXPECT_EQ(found("system\\white.png"), "<none>");
    EXPECT_EQ(found("black.png\\system"), "<none>");
    auto data = readProgramData("SYSTEM\\Black.PNG");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), "png");
}

TEST_F(LooseFileTest, FindsUtf8AndRawShiftJisNames) {
    writeFile("画像/背景.png", "utf8");
    writeFile(sjis("音声") + "/" + sjis("声.ogg"), "raw");
    // 表 is 95 5C: its trail byte is a backslash that must not split the name.
    writeFile("表示.TXT", "trail");
    EXPECT_EQ(found(sjis("画像\\背景.PNG")), "画像/背景.png");
    EXPECT_EQ(found(sjis("音声\\声.OGG")), sjis("音声") + "/" + sjis("声.ogg"));
    EXPECT_EQ(found(sjis("表示.txt")), "表示.TXT");
}

TEST_F(LooseFileTest, ChoosesOneOfTwoSpellingsTheSameWayEveryTime) {
    writeFile("Save/a.dat", "Save");
    writeFile("SAVE/a.dat", "SAVE");
    writeFile("save/b.dat", "save");
    // The exact spelling wins; otherwise the smallest name in byte order ("SAVE" < "Save" < "save").
    EXPECT_EQ(found("save\\b.dat"), "save/b.dat");
    EXPECT_EQ(found("sAvE\\a.dat"), "SAVE/a.dat");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(found("SaVe\\A.DAT"), "SAVE/a.dat");
}

TEST_F(LooseFileTest, NewFilesGoIntoExistingFoldersOfAnyCase) {
    fs::create_directory("SaveData");
    EXPECT_EQ(looseFilePathForWriting("savedata\\System.dat").generic_string(), "SaveData/System.dat");
    writeFile("SaveData/SYSTEM.DAT", "x");
    EXPECT_EQ(looseFilePathForWriting("savedata\\System.dat").generic_string(), "SaveData/SYSTEM.DAT");
    EXPECT_EQ(looseFilePathForWriting(sjis("新規\\データ.dat")).generic_string(), "新規/データ.dat");
}

TEST_F(LooseFileTest, FileExistsTakesWildcardsAndIgnoresDirectories) {
    writeFile("savedata.001", "");
    writeFile("Bonus/Wall.PNG", "");
    writeFile("readme", "");
    fs::create_directory("folder.dat");
    struct Case {
        const char* name;
        bool exists;
    };
    const Case cases[] = {
        {"savedata.001", true}, {"SAVEDATA.001", true}, {"savedata.00?", true}, {"savedata.*", true},
        {"savedata.002", false}, {"*.002", false},       {"bonus\\*.png", true}, {"bonus\\w?ll.png", true},
        {"bonus", false},       {"folder.dat", false},   {"*.dat", false},       {"readme.*", true},
        {"missing\\*", false},
    };
    for (const auto& c : cases) EXPECT_EQ(fileExists(c.name), c.exists) << c.name;
    EXPECT_TRUE(directoryExists("BONUS\\"));
    EXPECT_FALSE(directoryExists("readme"));
}

TEST_F(LooseFileTest, CreatesEachMissingFolderOfAPath) {
    fs::create_directory("Save");
    EXPECT_TRUE(createDirectoryPath(sjis("save\\セーブ\\slot\\")));
    EXPECT_TRUE(fs::is_directory("Save/セーブ/slot"));
    EXPECT_TRUE(createDirectoryPath("SAVE"));
    writeFile("file", "");
    EXPECT_FALSE(createDirectoryPath("file\\sub"));
}

TEST_F(LooseFileTest, FileTimesAreInTheOriginalUnits) {
    writeFile("t.dat", "");
    fs::last_write_time("t.dat", fs::file_time_type::clock::now());
    auto times = fileTimes("T.DAT");
    ASSERT_TRUE(times);
    // 100 ns units since 1601: 2020-01-01 is 132223104000000000.
    EXPECT_GT(times->lastWrite, 132223104000000000ull);
    EXPECT_GT(times->creation, 132223104000000000ull);
    EXPECT_FALSE(fileTimes("missing.dat"));
}

}  // namespace
}  // namespace qeli::files
