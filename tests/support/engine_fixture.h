// What most engine tests share: a headless backend, a scratch folder as the current directory, and a
// script context with its own command table.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/engine_state.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "script/command_table.h"
#include "script/script_context.h"

namespace qeli::testing {

// Installs a fresh headless backend (virtual time from 0) and marks this thread as the main thread.
void installHeadlessBackend(uint64_t timeLimitMs = 3'600'000);

// A fresh folder under the temporary folder, removed again on destruction.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// A scratch folder as the current directory (with no archive index read yet), and a context over a
// command table the test fills.
class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    ~EngineTest() override;

    ScratchFolder folder;
    app::EngineState engine;
    saved::SystemData system;
    saved::ReadTextRecord readText;
    script::CommandTable table;
    std::unique_ptr<script::ScriptContext> context;

private:
    std::filesystem::path m_previousDirectory;
};

}  // namespace qeli::testing
