// The slot-menu watcher: a thread that reads the save slots' times whenever the save folder changes
// and hands the changed Save/Load menu entries to the main thread.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/engine_state.h"
#include "platform/thread.h"

namespace qeli::app {

struct SlotEntry {
    int slot = 0;
    std::string text;  // UTF-8
    bool saved = false;
};

// The entry of a slot as the save folder holds it now.
SlotEntry readSlotEntry(const EngineState& state, int slot);

class SlotMenuWatcher {
public:
    // `changed` runs on the main thread with an entry whose text differs from the one shown.
    using ChangeHandler = std::function<void(const SlotEntry&)>;

    SlotMenuWatcher() = default;
    ~SlotMenuWatcher() { stop(); }
    void start(const EngineState& state, ChangeHandler changed);
    // Main thread: changes still queued for it are dropped.
    void stop();

private:
    platform::ThreadObject m_thread;
    // Queued changes reach the handler only while this lives.
    std::shared_ptr<ChangeHandler> m_handler;
};

}  // namespace qeli::app
