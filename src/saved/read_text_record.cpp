#include "saved/read_text_record.h"

#include <algorithm>
#include <string>

#include "files/name_folding.h"

namespace qeli::saved {

namespace {
constexpr int32_t kMinimumOptions = 5;

std::string choiceName(const char* kind, int32_t choice) { return kind + std::to_string(choice); }

int32_t readInt(const uint8_t* bytes) {
    return static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24);
}

}  // namespace

ReadTextRecord::Entry* ReadTextRecord::findLocked(std::string_view name, size_t size) {
    for (auto& entry : m_entries)
        if (entry->flags.size() == size && files::equalFoldedCp932(entry->name, name)) return entry.get();
    return nullptr;
}

uint8_t* ReadTextRecord::find(std::string_view name, int32_t size) {
    std::lock_guard lock(m_lock);
    Entry* entry = findLocked(name, static_cast<size_t>(std::max(size, 0)));
    return entry ? entry->flags.data() : nullptr;
}

uint8_t* ReadTextRecord::flagsFor(std::string_view fileName, int32_t codeLength) {
    size_t size = static_cast<size_t>(std::max(codeLength, 0));
    std::lock_guard lock(m_lock);
    if (Entry* entry = findLocked(fileName, size)) return entry->flags.data();
    m_entries.push_back(std::make_unique<Entry>(Entry{std::string(fileName), std::vector<uint8_t>(size, 0)}));
    return m_entries.back()->flags.data();
}

std::vector<const ReadTextRecord::Entry*> ReadTextRecord::entries() const {
    std::lock_guard lock(m_lock);
    std::vector<const Entry*> out;
    for (const auto& e : m_entries) out.push_back(e.get());
    return out;
}

int32_t ReadTextRecord::choiceOptionCount(int32_t choice) {
    const uint8_t* count = find(choiceName(".SELECTCOUNT:", choice), 4);
    if (!count) count = find(choiceName(".SELECT:", choice), 4);
    return count ? readInt(count) : 0;
}

bool ReadTextRecord::isChoiceOptionChosen(int32_t choice, int32_t option) {
    int32_t size = choiceOptionCount(choice);
    if (size < kMinimumOptions || option < 0 || option >= size) return false;
    const uint8_t* options = find(choiceName(".SELECT:", choice), size);
    return options && options[option] != 0;
}

void ReadTextRecord::setChoiceOption(int32_t choice, int32_t optionCount, int32_t option, uint8_t value) {
    int32_t size = choiceOptionCount(choice);
    if (size < optionCount || size < kMinimumOptions) {
        // The grown array is a new entry holding the old bytes; the old entry stays in the record.
        int32_t grown = std::max({optionCount, kMinimumOptions, size});
        uint8_t* bigger = flagsFor(choiceName(".SELECT:", choice), grown);
        if (const uint8_t* old = size > 0 ? find(choiceName(".SELECT:", choice), size) : nullptr)
            std::copy(old, old + size, bigger);
        uint8_t* count = flagsFor(choiceName(".SELECTCOUNT:", choice), 4);
        for (int i = 0; i < 4; ++i) count[i] = static_cast<uint8_t>(static_cast<uint32_t>(grown) >> (8 * i));
        size = grown;
    }
    if (option >= 0 && option < size) flagsFor(choiceName(".SELECT:", choice), size)[option] = value;
}

bool ReadTextRecord::empty() const {
    std::lock_guard lock(m_lock);
    return m_entries.empty();
}

void ReadTextRecord::clear() {
    std::lock_guard lock(m_lock);
    m_entries.clear();
}

}  // namespace qeli::saved
