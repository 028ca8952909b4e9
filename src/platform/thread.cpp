#include "platform/thread.h"

#include <chrono>
#include <cstdio>

namespace qeli::platform {

namespace {
constexpr auto kStopWait = std::chrono::milliseconds(1000);
}

ThreadObject::ThreadObject(Procedure procedure) : m_procedure(std::move(procedure)) {}

ThreadObject::~ThreadObject() { stop(); }

bool ThreadObject::start(Procedure procedure) {
    if (running()) return false;
    m_procedure = std::move(procedure);
    return start();
}

bool ThreadObject::start() {
    if (!m_procedure || running()) return false;
    if (m_thread.joinable()) m_thread.join();
    m_stop = false;
    m_shared = std::make_shared<Shared>();
    auto shared = m_shared;
    // The thread keeps its own copy of the procedure, so that a thread left running at stop never
    // reads a procedure its object has since released.
    m_thread = std::thread([this, shared, procedure = m_procedure] {
        procedure(*this);
        std::lock_guard lock(shared->mutex);
        shared->finished = true;
        shared->ended.notify_all();
    });
    m_id = m_thread.get_id();
    return true;
}

bool ThreadObject::running() const {
    if (!m_shared) return false;
    std::lock_guard lock(m_shared->mutex);
    return !m_shared->finished;
}

bool ThreadObject::stop() {
    m_stop = true;
    if (!m_thread.joinable()) return true;
    if (std::this_thread::get_id() == m_id) {
        m_thread.detach();
        return false;
    }
    bool ended;
    {
        std::unique_lock lock(m_shared->mutex);
        ended = m_shared->ended.wait_for(lock, kStopWait, [this] { return m_shared->finished; });
    }
    if (ended) {
        m_thread.join();
    } else {
        std::fputs("qeli: a thread did not stop within 1000 ms and is left to end with the process\n", stderr);
        m_thread.detach();
    }
    return ended;
}

}  // namespace qeli::platform
