#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "platform/instance_lock.h"
#include "platform/text_encoding.h"
#include "support/engine_fixture.h"
#include "support/qls_writer.h"
#include "support/run_qeli.h"

namespace qeli::app {
namespace {

using testing::QlsWriter;

void writeGreetingGame(const std::string& folder) {
    std::filesystem::create_directories(folder);
    QlsWriter w;
    w.call("Confirmation", {w.stringLiteral("caption"), w.stringLiteral("hello"), w.intConstant(1)});
    w.writeTo(folder + "/start.qls");
}

TEST(HeadlessRun, RunsStartScriptAndDumpsHowItEnded) {
    testing::ScratchFolder scratch;
    writeGreetingGame(scratch.file("game"));
    auto run = testing::runQeliHeadless(scratch.file("game"));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.dump.find("\"ended\": \"finished\""), std::string::npos) << run.dump;
    EXPECT_NE(run.dump.find("\"virtualTimeMs\": 0"), std::string::npos) << run.dump;
    EXPECT_NE(run.dump.find(R"({"caption": "caption", "text": "hello", "buttons": "OK", "answer": "OK"})"),
              std::string::npos)
        << run.dump;
}

TEST(HeadlessRun, ASecondInstanceInTheSameFolderRefusesToStart) {
    testing::ScratchFolder scratch;
    std::string game = scratch.file("game");
    std::string other = scratch.file("other");
    writeGreetingGame(game);
    writeGreetingGame(other);
    // This process stands for a first instance running in `game`.
    auto held = platform::InstanceLock::acquire(
        singleInstanceName(platform::utf8ToCp932(std::filesystem::canonical(game).string()).value()));
    ASSERT_TRUE(held);

    auto second = testing::runQeliHeadless(game);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_NE(second.dump.find(R"("caption": "２重起動 Error", "text": "同一アプリケーションが既に起動されています")"),
              std::string::npos)
        << second.dump;
    EXPECT_EQ(second.dump.find("\"hello\""), std::string::npos);

    auto elsewhere = testing::runQeliHeadless(other);
    EXPECT_NE(elsewhere.dump.find("\"hello\""), std::string::npos) << elsewhere.dump;
}

TEST(HeadlessRun, MissingStartScriptEndsAtOnce) {
    testing::ScratchFolder scratch;
    std::filesystem::create_directories(scratch.file("empty"));
    auto run = testing::runQeliHeadless(scratch.file("empty"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.dump.find("\"ended\": \"finished\""), std::string::npos) << run.dump;
}

}  // namespace
}  // namespace qeli::app
