#include "app/slot_menu_watcher.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/popup_menu.h"
#include "files/file_utilities.h"
#include "files/loose_file_name.h"
#include "platform/directory_watch.h"
#include "platform/main_thread.h"

namespace qeli::app {

namespace {

// Stop requests are seen within this time.
constexpr uint32_t kWatchSliceMs = 100;
constexpr int kPollSlices = 10;
// The original compared the entries' first 32 bytes to decide whether to touch the menu.
constexpr size_t kComparedBytes = 32;

std::string slotFileName(const EngineState& state, int slot) {
    char name[32];
    std::snprintf(name, sizeof name, "savedata.%03d", slot);
    return state.saveFolder + name;
}

// Local calendar time from the original system's file time (100 ns units since 1601, local time).
std::optional<std::tm> localTime(uint64_t fileTime) {
    constexpr int64_t kSecondsFrom1601To1970 = 11'644'473'600;
    auto seconds = static_cast<std::time_t>(static_cast<int64_t>(fileTime / 10'000'000) - kSecondsFrom1601To1970);
    std::tm calendar{};
    if (!gmtime_r(&seconds, &calendar)) return std::nullopt;
    return calendar;
}

}  // namespace

SlotEntry readSlotEntry(const EngineState& state, int slot) {
    auto times = files::fileTimes(slotFileName(state, slot));
    std::optional<std::tm> written;
    if (times) written = localTime(times->lastWrite);
    // TODO: append the slot's comment once save slots can be read.
    return {slot, slotEntryText(slot, times.has_value(), written, ""), times.has_value()};
}

void SlotMenuWatcher::start(const EngineState& state, ChangeHandler changed) {
    std::string folder = state.saveFolder.empty() ? "." : files::looseFilePathForWriting(state.saveFolder).string();
    m_handler = std::make_shared<ChangeHandler>(std::move(changed));
    std::weak_ptr<ChangeHandler> handler = m_handler;
    m_thread.start([&state, folder, handler](platform::ThreadObject& self) {
        auto watch = platform::DirectoryWatch::open(folder);
        std::array<std::string, kSlotMenuEntries> shown;
        for (;;) {
            for (int slot = 1; slot <= kSlotMenuEntries; ++slot) {
                SlotEntry entry = readSlotEntry(state, slot);
                std::string head = entry.text.substr(0, kComparedBytes);
                if (head == shown[slot - 1]) continue;
                shown[slot - 1] = head;
                platform::postToMainThread([handler, entry] {
                    if (auto changed = handler.lock()) (*changed)(entry);
                });
            }
            // A folder that cannot be watched is read again every second instead.
            for (int slice = 0; !self.stopRequested(); ++slice) {
                if (watch ? watch->waitForChange(kWatchSliceMs) : slice >= kPollSlices) break;
                if (!watch) std::this_thread::sleep_for(std::chrono::milliseconds(kWatchSliceMs));
            }
            if (self.stopRequested()) return;
        }
    });
}

void SlotMenuWatcher::stop() {
    m_thread.stop();
    m_handler.reset();
}

}  // namespace qeli::app
