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
    // The entry's bytes, or null when there is no entry of that name and size.
    uint8_t* find(std::string_view name, int32_t size);

    // Choices remember which of their options were ever chosen, by choice number.
    bool isChoiceOptionChosen(int32_t choice, int32_t option);
    // Grows the choice's option array to `optionCount` (at least 5) when it is smaller, then stores
    // `value` for the option.
    void setChoiceOption(int32_t choice, int32_t optionCount, int32_t option, uint8_t value);

    struct Entry {
        std::string name;
        std::vector<uint8_t> flags;
    };
    // Entries in the order they were first used.
    std::vector<const Entry*> entries() const;
    bool empty() const;
    // Set when Already.dat exists but could not be read: writing would replace what the player has.
    bool writesRefused = false;
    void clear();

private:
    Entry* findLocked(std::string_view name, size_t size);
    int32_t choiceOptionCount(int32_t choice);

    mutable std::mutex m_lock;
    std::vector<std::unique_ptr<Entry>> m_entries;
};

}  // namespace qeli::saved
