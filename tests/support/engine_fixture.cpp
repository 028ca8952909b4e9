#include "support/engine_fixture.h"

#include <atomic>
#include <unistd.h>

#include "files/archives.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"

namespace qeli::testing {

void installHeadlessBackend(uint64_t timeLimitMs) {
    platform::HeadlessOptions options;
    options.timeLimitMs = timeLimitMs;
    platform::installBackend(platform::makeHeadlessBackend(std::move(options)));
    platform::setMainThread();
    platform::clearShownMessageBoxes();
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("qeli-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

EngineTest::EngineTest() : m_previousDirectory(std::filesystem::current_path()) {
    installHeadlessBackend();
    std::filesystem::current_path(folder.path());
    files::resetArchives();
    context = std::make_unique<script::ScriptContext>(table, engine, system, readText);
}

EngineTest::~EngineTest() {
    context.reset();
    std::filesystem::current_path(m_previousDirectory);
    files::resetArchives();
}

}  // namespace qeli::testing
