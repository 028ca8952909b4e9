#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "app/engine_state.h"
#include "files/system_file.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "saved/system_data_file.h"
#include "saved/system_data_format.h"
#include "support/engine_fixture.h"

namespace qeli::saved {
namespace {

class SystemFiles : public testing::EngineTest {};

TEST_F(SystemFiles, WritesAreRefusedUntilTheFileWasRead) {
    EXPECT_TRUE(writeSystemData(engine, system));
    EXPECT_FALSE(std::filesystem::exists(folder.file("System.dat")));
    EXPECT_FALSE(readSystemData(engine, system));  // a first start: no file yet
    EXPECT_TRUE(writeSystemData(engine, system));
    EXPECT_TRUE(std::filesystem::exists(folder.file("System.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("System.dat.bak")));
}

TEST_F(SystemFiles, WhatOneRunKeepsTheNextRunReads) {
    engine.saveFolder = "save\\";
    std::filesystem::create_directory(folder.file("save"));
    readSystemData(engine, system);
    system.globalFlags[42] = 7;
    system.globalStrings[5] = "five";
    system.protagonist = "\x82\xA0";
    engine.playTimeSeconds = 100;
    engine.playTimeReferenceMs = platform::nowMs();
    platform::sleepMs(2500);
    ASSERT_TRUE(writeSystemData(engine, system));
    platform::sleepMs(1000);
    ASSERT_TRUE(writeSystemData(engine, system));  // no double counting between writes

    app::EngineState nextEngine;
    auto next = std::make_unique<SystemData>();
    ASSERT_TRUE(readSystemData(nextEngine, *next) == false);  // wrong folder: nothing there
    nextEngine.saveFolder = "save\\";
    ASSERT_TRUE(readSystemData(nextEngine, *next));
    EXPECT_EQ(next->globalFlags[42], 7);
    EXPECT_EQ(next->globalStrings[5], "five");
    EXPECT_EQ(next->protagonist, "\x82\xA0");
    EXPECT_EQ(nextEngine.playTimeSeconds, 103);
}

TEST_F(SystemFiles, AlreadyDataIsWrittenOnlyWhenThereIsSomethingToKeep) {
    EXPECT_TRUE(writeAlreadyData(engine, readText));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Already.dat")));
    readText.flagsFor("start.qls", 12)[3] = 1;
    ASSERT_TRUE(writeAlreadyData(engine, readText));
    ReadTextRecord next;
    ASSERT_TRUE(readAlreadyData(engine, next));
    EXPECT_EQ(next.find("START.QLS", 12)[3], 1);
    EXPECT_FALSE(readAlreadyData(engine, next));  // only into an empty record
}

TEST_F(SystemFiles, AForeignAlreadyDatIsNeverReplaced) {
    FILE* f = std::fopen(folder.file("Already.dat").c_str(), "wb");
    std::fputs("not a read-text record at all", f);
    std::fclose(f);
    EXPECT_FALSE(readAlreadyData(engine, readText));
    readText.flagsFor("start.qls", 4)[0] = 1;
    EXPECT_TRUE(writeAlreadyData(engine, readText));
    auto bytes = platform::readWholeFile(folder.file("Already.dat"));
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "not a read-text record at all");
}

// A write killed at any moment leaves either the old file or the new one, whole.
TEST_F(SystemFiles, AWriteKilledMidwayLeavesAWholeFile) {
    auto version = [](int32_t marker) {
        app::EngineState state;
        auto data = std::make_unique<SystemData>();
        data->globalFlags.fill(marker);
        for (auto& s : data->globalStrings) s = std::string(40, static_cast<char>('a' + marker));
        return encodeSystemData(state, *data, marker);
    };
    const std::vector<uint8_t> versions[2] = {version(1), version(2)};
    ASSERT_TRUE(files::writeSystemFile("System.dat", versions[0], false));
    for (int round = 0; round < 8; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) files::writeSystemFile("System.dat", versions[i % 2], true);
        }
        usleep(static_cast<useconds_t>(2000 + round * 3000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        auto bytes = platform::readWholeFile(folder.file("System.dat"));
        ASSERT_TRUE(bytes);
        EXPECT_TRUE(*bytes == versions[0] || *bytes == versions[1]) << "round " << round << ": " << bytes->size();
    }
}

}  // namespace
}  // namespace qeli::saved
