#include "platform/directory_watch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace qeli::platform {

std::unique_ptr<DirectoryWatch> DirectoryWatch::open(const std::string& path) {
    int descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0) return nullptr;
    constexpr uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_CLOSE_WRITE;
    if (inotify_add_watch(descriptor, path.c_str(), kEvents | IN_ONLYDIR) < 0) {
        close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<DirectoryWatch>(new DirectoryWatch(descriptor));
}

DirectoryWatch::~DirectoryWatch() { close(m_descriptor); }

bool DirectoryWatch::waitForChange(uint32_t timeoutMs) {
    pollfd descriptor{m_descriptor, POLLIN, 0};
    if (poll(&descriptor, 1, static_cast<int>(timeoutMs)) <= 0) return false;
    alignas(inotify_event) char buffer[4096];
    while (read(m_descriptor, buffer, sizeof buffer) > 0) {
    }
    return true;
}

}  // namespace qeli::platform
