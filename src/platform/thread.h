// The engine's thread object: a thread with a stop flag. Stop waits up to 1000 ms for the thread to
// end; a thread that does not end in time is left to finish on its own (it cannot be killed safely).
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace qeli::platform {

class ThreadObject {
public:
    using Procedure = std::function<void(ThreadObject&)>;

    explicit ThreadObject(Procedure procedure = {});
    ~ThreadObject();
    ThreadObject(const ThreadObject&) = delete;
    ThreadObject& operator=(const ThreadObject&) = delete;

    // Clears the stop flag and starts the procedure; false when already running or without one.
    bool start();
    bool start(Procedure procedure);
    // Sets the stop flag and waits up to 1000 ms; true when the thread had ended by then.
    bool stop();
    bool stopRequested() const { return m_stop.load(); }
    bool running() const;
    std::thread::id id() const { return m_id; }

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
    };

    Procedure m_procedure;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::thread::id m_id;
    std::shared_ptr<Shared> m_shared;
};

}  // namespace qeli::platform
