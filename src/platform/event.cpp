#include "platform/event.h"

#include "platform/backend.h"

namespace qeli::platform {

Event::Event(bool manualReset, bool initiallySet) : m_set(initiallySet), m_manualReset(manualReset) {}

void Event::set() {
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void Event::reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool Event::waitForSignal(std::optional<uint32_t> timeoutMs) {
    std::unique_lock lock(m_mutex);
    bool signalled = backend().waitUntil(lock, m_changed, [this] { return m_set.load(); }, timeoutMs);
    if (signalled && !m_manualReset) m_set = false;
    return signalled;
}

}  // namespace qeli::platform
