#include <gtest/gtest.h>

#include "files/graphic_error_reports.h"
#include "files/program_data.h"
#include "files/read_only_file.h"
#include "files/system_file.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"

namespace qeli::files {
namespace {

namespace fs = std::filesystem;
using platform::BoxAnswer;
using platform::BoxButtons;
using testing::writeFile;

class FileAccessTest : public testing::EngineTest {
protected:
    std::vector<platform::ShownMessageBox> boxes() { return platform::shownMessageBoxes(); }
};

TEST_F(FileAccessTest, OpeningAnOpenFileFailsAndKeepsTheFirst) {
    writeFile("a.txt", "first");
    writeFile("b.txt", "second");
    ReadOnlyFile file;
    ASSERT_TRUE(file.open("a.txt", false));
    EXPECT_FALSE(file.open("b.txt", true));
    EXPECT_TRUE(boxes().empty());
    auto data = file.readWhole();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), "first");
    EXPECT_EQ(file.size(), 5);
    file.close();
    EXPECT_EQ(file.read({}), 0u);
    EXPECT_EQ(file.size(), 0);
}

TEST_F(FileAccessTest, PromptingLoaderOffersRetryForAMissingFile) {
    platform::queueMessageBoxAnswer(BoxAnswer::Retry);
    EXPECT_FALSE(readProgramData("cg\\missing.bmp", LooseFileAccess::PromptLimited));
    auto shown = boxes();
    ASSERT_EQ(shown.size(), 2u) << "Retry asks again, Cancel gives up";
    EXPECT_EQ(shown[0].request.caption, "ReadFile Access Error");
    EXPECT_EQ(shown[0].request.text,
              "filename:cg\\missing.bmp\nerrorcode:2\n\nerrorcomment:指定されたファイルが見つかりません。\n");
    EXPECT_EQ(shown[0].request.buttons, BoxButtons::RetryCancel);
    EXPECT_EQ(shown[0].request.icon, platform::BoxIcon::Warning);
    EXPECT_EQ(shown[1].answer, BoxAnswer::Cancel);

    platform::clearShownMessageBoxes();
    EXPECT_FALSE(readProgramData("missing.ogg"));
    EXPECT_TRUE(boxes().empty()) << "plain loaders show nothing";
}

TEST_F(FileAccessTest, LimitedOpenRefusesFilesOverTwoGigabytes) {
    writeFile("huge.bmp", "");
    fs::resize_file("huge.bmp", 2147483648ull);  // sparse: takes no disk space
    ReadOnlyFile file;
    EXPECT_FALSE(file.openLimited("huge.bmp", true));
    auto shown = boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].request.text,
              "filename:huge.bmp\nerrorcode:14\n\nerrorcomment:この操作を完了するのに十分な記憶域がありません。\n");
    ReadOnlyFile plain;
    EXPECT_TRUE(plain.open("huge.bmp", false)) << "the plain open has no limit";
}

TEST_F(FileAccessTest, SystemFileReadRetriesTenTimesThenAsks) {
    uint64_t start = platform::elapsedMs();
    platform::queueMessageBoxAnswer(BoxAnswer::Retry);
    EXPECT_FALSE(readSystemFile("save\\System.dat", false));
    auto shown = boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].request.caption, "File Access Error");
    EXPECT_EQ(shown[0].request.text,
              "filename:save\\System.dat\nerrorcode:2\n\nerrorcomment:指定されたファイルが見つかりません。\n");
    EXPECT_EQ(shown[0].request.buttons, BoxButtons::AbortRetryIgnore);
    EXPECT_EQ(shown[1].answer, BoxAnswer::Ignore);
    // Two series of 10 attempts with 100 ms between attempts.
    EXPECT_EQ(platform::elapsedMs() - start, 2 * 900u);

    platform::clearShownMessageBoxes();
    start = platform::elapsedMs();
    EXPECT_FALSE(readSystemFile("System.dat", true));
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(platform::elapsedMs(), start) << "continue-without-writing gives up at the first failure";
}

TEST_F(FileAccessTest, SystemFileWriteReplacesTheFileWhole) {
    fs::create_directory("Save");
    ASSERT_TRUE(writeSystemFile("save\\Already.dat", testing::bytesOf("one"), false));
    ASSERT_TRUE(writeSystemFile("SAVE\\already.DAT", testing::bytesOf("two"), false));
    EXPECT_EQ(testing::readFileText("Save/Already.dat"), "two");
    EXPECT_EQ(std::distance(fs::directory_iterator("Save"), fs::directory_iterator()), 1) << "no temporary left";
    auto read = readSystemFile("save\\already.dat", false);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::string(read->begin(), read->end()), "two");
}

TEST_F(FileAccessTest, SystemFileWriteFailureAsksRetryOrCancel) {
    writeFile("blocker", "a file where a folder should be");
    uint64_t start = platform::elapsedMs();
    platform::queueMessageBoxAnswer(BoxAnswer::Retry);
    EXPECT_FALSE(writeSystemFile("blocker\\System.dat", testing::bytesOf("x"), false));
    auto shown = boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].request.caption, "File Access Error");
    EXPECT_EQ(shown[0].request.text,
              "filename:blocker\\System.dat\nerrorcode:3\n\nerrorcomment:指定されたパスが見つかりません。\n");
    EXPECT_EQ(shown[0].request.buttons, BoxButtons::RetryCancel);
    EXPECT_EQ(platform::elapsedMs() - start, 2 * 900u) << "Retry makes 10 more attempts";

    platform::clearShownMessageBoxes();
    EXPECT_FALSE(writeSystemFile("blocker\\System.dat", testing::bytesOf("x"), true));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(FileAccessTest, GraphicFailuresAreLoggedOrAsked) {
    logGraphicAccessError("cg\\a.bmp", GraphicKind::Ordinary);
    logGraphicAccessError(testing::sjis("画像.png"), GraphicKind::AlphaMask);
    EXPECT_EQ(testing::readFileText("error.log"),
              "Graphic Access Error[cg\\a.bmp]\nAlphaGraphic Access Error[" + testing::sjis("画像.png") + "]\n");

    platform::queueMessageBoxAnswer(BoxAnswer::Retry);
    EXPECT_TRUE(askRetryAfterDecodeFailure("cg\\a.bmp"));
    EXPECT_FALSE(askRetryAfterDecodeFailure("cg\\a.bmp"));
    auto shown = boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].request.caption, "File Access Error");
    EXPECT_EQ(shown[0].request.text, "filename:cg\\a.bmp\nerrorcode:3e9\n\nerrorcomment: graphic format decode "
                                     "error(data broken or file read error)");
    EXPECT_EQ(shown[0].request.icon, platform::BoxIcon::Error);
    EXPECT_EQ(shown[0].request.buttons, BoxButtons::AbortRetryIgnore);
}

}  // namespace
}  // namespace qeli::files
