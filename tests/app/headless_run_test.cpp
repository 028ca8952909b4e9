#include <gtest/gtest.h>

#include <fstream>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/single_instance.h"
#include "platform/instance_lock.h"
#include "platform/text_encoding.h"
#include "support/engine_fixture.h"
#include "support/qls_writer.h"
#include "support/run_qeli.h"
#include "support/run_tool.h"

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

// Two real processes: the first runs a script that never ends, the second starts in the same folder.
TEST(HeadlessRun, TwoProcessesInOneFolder) {
    testing::ScratchFolder scratch;
    std::string game = scratch.file("game");
    std::filesystem::create_directories(game);
    std::ofstream(game + "/start.qls") << "forever\nScriptJump(forever)\n";
    std::string name = singleInstanceName(platform::utf8ToCp932(std::filesystem::canonical(game).string()).value());

    pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        execl(QELI_BINARY, QELI_BINARY, "--headless", game.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // Wait until the first process has the lock file open (trying the lock here could take it first).
    auto holdsLockFile = [&] {
        std::error_code ec;
        for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(first) + "/fd", ec))
            if (std::filesystem::read_symlink(fd.path(), ec) == platform::InstanceLock::pathFor(name)) return true;
        return false;
    };
    bool held = false;
    for (int i = 0; i < 500 && !held; ++i) {
        held = holdsLockFile();
        if (!held) usleep(10'000);
    }
    ASSERT_TRUE(held) << "the first process never took the lock";
    auto second = testing::runQeliHeadless(game);
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    EXPECT_NE(second.dump.find("同一アプリケーションが既に起動されています"), std::string::npos) << second.dump;
    // The lock goes with the process: after the first one is gone, the folder is free again.
    EXPECT_TRUE(platform::InstanceLock::acquire(name));
}

TEST(HeadlessRun, WhatThePlayerEarnedSurvivesTheNextRun) {
    testing::ScratchFolder scratch;
    std::string game = scratch.file("game");
    std::filesystem::create_directories(game);
    std::ofstream(game + "/start.qls") << "GlobalFlag[3] = GlobalFlag[3] + 1\n"
                                          "GlobalString[2] = GlobalString[2] + \"x\"\n"
                                          "Flag[1] = PlayTime()\n"
                                          "Wait(3000)\n";
    auto first = testing::runQeliHeadless(game);
    EXPECT_NE(first.dump.find("\"globalFlags\": {\"3\": 1}"), std::string::npos) << first.dump;
    auto second = testing::runQeliHeadless(game);
    EXPECT_NE(second.dump.find("\"globalFlags\": {\"3\": 2}"), std::string::npos) << second.dump;
    EXPECT_NE(second.dump.find("\"globalStrings\": {\"2\": \"xx\"}"), std::string::npos);
    EXPECT_NE(second.dump.find("\"flags\": {\"1\": 3}"), std::string::npos);  // the first run's play time

    auto readText = testing::runTool("save info " + game + "/Already.dat");
    EXPECT_NE(readText.output.find(R"({"name": "start.qls", "size": )"), std::string::npos) << readText.output;
    EXPECT_EQ(readText.output.find("start.qls", readText.output.find("start.qls") + 1), std::string::npos);
}

TEST(HeadlessRun, AScriptThatNeverWaitsEndsAsAtTheTimeLimit) {
    testing::ScratchFolder scratch;
    std::string game = scratch.file("game");
    std::filesystem::create_directories(game);
    std::ofstream(game + "/start.qls") << "Flag[1] = 1\nforever\nScriptJump(forever)\n";
    auto run = testing::runQeliHeadless(game);
    EXPECT_NE(run.dump.find("\"ended\": \"time-limit\""), std::string::npos) << run.dump;
    EXPECT_NE(run.dump.find("\"flags\": {\"1\": 1}"), std::string::npos);
    EXPECT_NE(run.output.find("without waiting"), std::string::npos) << run.output;
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
