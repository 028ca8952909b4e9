// The read-text record: for every script, one byte per code word that says whether the command there
// was ever executed. Scripts share the array of their file name and code length.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace qeli::saved {

class ReadTextRecord {
public:
    // The array for (file name, code length), created all zero on first use. Names compare without
    // regard to ASCII case; a script whose code length changed gets a fresh array. The pointer stays
    // valid for the life of the record.
    uint8_t* flagsFor(std::string_view fileName, int32_t codeLength);

    struct Entry {
        std::string name;
        std::vector<uint8_t> flags;
    };
    // Entries in the order they were first used.
    std::vector<const Entry*> entries() const;
    void clear();

private:
    mutable std::mutex m_lock;
    std::vector<std::unique_ptr<Entry>> m_entries;
};

}  // namespace qeli::saved
