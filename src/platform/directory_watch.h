// Change notifications for one folder (not its sub-folders): names, attributes and last-write
// times of its files. Used by the game window to keep its Save and Load menus current.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace qeli::platform {

class DirectoryWatch {
public:
    // Null when the folder cannot be watched.
    static std::unique_ptr<DirectoryWatch> open(const std::string& path);
    ~DirectoryWatch();
    DirectoryWatch(const DirectoryWatch&) = delete;
    DirectoryWatch& operator=(const DirectoryWatch&) = delete;

    // Real time, also in headless runs (the watcher is a thread of its own). True when something
    // changed; every notification that arrived by then is taken.
    bool waitForChange(uint32_t timeoutMs);

private:
    explicit DirectoryWatch(int descriptor) : m_descriptor(descriptor) {}
    int m_descriptor;
};

}  // namespace qeli::platform
