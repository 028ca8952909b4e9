// Runs every game under tests/games/ with `qeli --headless GAME --dump` in a copy of its folder and
// compares the dump with the game's expected.json: each key given there must have exactly that value.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/engine_fixture.h"
#include "support/files_helpers.h"
#include "support/json_value.h"
#include "support/run_qeli.h"

namespace qeli::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> gameNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(QELI_SOURCE_DIR) / "tests" / "games"))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GameTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GameTest, DumpMatchesExpectations) {
    const fs::path source = fs::path(QELI_SOURCE_DIR) / "tests" / "games" / GetParam();
    ScratchFolder scratch;
    // The run writes System.dat and Already.dat into the game folder: it gets a copy.
    const fs::path game = scratch.path() / GetParam();
    fs::copy(source, game, fs::copy_options::recursive);
    const QeliRun run = runQeliHeadless(game.string());
    ASSERT_EQ(run.exitCode, 0) << run.output;

    auto expected = parseJson(readFileText(source / "expected.json"));
    auto actual = parseJson(run.dump);
    ASSERT_TRUE(expected) << "expected.json is not JSON";
    ASSERT_TRUE(actual) << run.dump;
    for (const auto& [key, value] : expected->members) {
        auto found = actual->members.find(key);
        ASSERT_NE(found, actual->members.end()) << key;
        EXPECT_EQ(found->second, value) << key << ": " << found->second.dump() << " instead of " << value.dump();
    }
}

INSTANTIATE_TEST_SUITE_P(Games, GameTest, ::testing::ValuesIn(gameNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace qeli::testing
