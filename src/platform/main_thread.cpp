// The main thread's call queue and loop. Synchronous calls block the caller until the main thread has
// run them; the main thread itself only ever waits for new work or backend events.
#include "platform/main_thread.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/backend.h"

namespace qeli::platform {

namespace {

struct MainThreadState {
    std::mutex mutex;
    std::condition_variable done;
    std::deque<std::function<void()>> queue;
    std::thread::id id;
    bool quit = false;
    int exitCode = 0;
};

MainThreadState& state() {
    static MainThreadState s;
    return s;
}

}  // namespace

void setMainThread() {
    std::lock_guard lock(state().mutex);
    state().id = std::this_thread::get_id();
    state().quit = false;
    state().exitCode = 0;
}

bool onMainThread() { return std::this_thread::get_id() == state().id; }

intptr_t runOnMainThread(const std::function<intptr_t()>& fn) {
    if (onMainThread()) return fn();
    {
        // After the loop has ended nobody would run the call: the caller gets 0 instead of hanging.
        std::lock_guard lock(state().mutex);
        if (state().quit) return 0;
    }
    intptr_t result = 0;
    bool finished = false;
    postToMainThread([&] {
        intptr_t r = fn();
        std::lock_guard lock(state().mutex);
        result = r;
        finished = true;
        state().done.notify_all();
    });
    std::unique_lock lock(state().mutex);
    state().done.wait(lock, [&] { return finished || state().quit; });
    return result;
}

void postToMainThread(std::function<void()> fn) {
    {
        std::lock_guard lock(state().mutex);
        state().queue.push_back(std::move(fn));
    }
    state().done.notify_all();
    backend().wakeMainThread();
}

void runQueuedMainThreadCalls() {
    for (;;) {
        std::function<void()> fn;
        {
            std::lock_guard lock(state().mutex);
            if (state().queue.empty()) return;
            fn = std::move(state().queue.front());
            state().queue.pop_front();
        }
        fn();
    }
}

bool mainThreadHasWork() {
    std::lock_guard lock(state().mutex);
    return !state().queue.empty() || state().quit;
}

void waitForMainThreadWork() {
    std::unique_lock lock(state().mutex);
    state().done.wait(lock, [] { return !state().queue.empty() || state().quit; });
}

int runMainLoop() {
    for (;;) {
        runQueuedMainThreadCalls();
        {
            std::lock_guard lock(state().mutex);
            if (state().quit) return state().exitCode;
        }
        backend().waitForMainThreadEvents();
    }
}

void quitMainLoop(int exitCode) {
    {
        std::lock_guard lock(state().mutex);
        state().quit = true;
        state().exitCode = exitCode;
    }
    state().done.notify_all();
    if (hasBackend()) backend().wakeMainThread();
}

}  // namespace qeli::platform
