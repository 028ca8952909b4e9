// The single-instance guard: an exclusive lock on a file in the user's runtime folder, named after the
// engine's single-instance name. The lock goes with the process, so a crash never leaves it behind.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qeli::platform {

class InstanceLock {
public:
    // Null when another process holds the lock of that name.
    static std::unique_ptr<InstanceLock> acquire(std::string_view name);
    // The file that stands for the name.
    static std::string pathFor(std::string_view name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    const std::string& path() const { return m_path; }

private:
    InstanceLock(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    int m_fd;
    std::string m_path;
};

}  // namespace qeli::platform
