#include "platform/instance_lock.h"

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace qeli::platform {

namespace {

// The name may hold any bytes and run to 260 characters, more than a file name may; the file is named
// by a 64-bit FNV-1a hash of it, and the name itself is written inside for whoever looks.
std::string lockFileName(std::string_view name) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "qeli-%016llx.lock", static_cast<unsigned long long>(hash));
    return buffer;
}

}  // namespace

std::string InstanceLock::pathFor(std::string_view name) { return runtimeDirectory() + "/" + lockFileName(name); }

std::unique_ptr<InstanceLock> InstanceLock::acquire(std::string_view name) {
    std::string path = pathFor(name);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "qeli: cannot open the instance lock %s; running without it\n", path.c_str());
        return std::unique_ptr<InstanceLock>(new InstanceLock(-1, path));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    if (::ftruncate(fd, 0) == 0) {
        ssize_t written = ::write(fd, name.data(), name.size());
        (void)written;
    }
    return std::unique_ptr<InstanceLock>(new InstanceLock(fd, path));
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace qeli::platform
