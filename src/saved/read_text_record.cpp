#include "saved/read_text_record.h"

namespace qeli::saved {

namespace {
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
        if (fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}
}  // namespace

uint8_t* ReadTextRecord::flagsFor(std::string_view fileName, int32_t codeLength) {
    size_t size = static_cast<size_t>(std::max(codeLength, 0));
    std::lock_guard lock(m_lock);
    for (auto& entry : m_entries)
        if (entry->flags.size() == size && equalsIgnoringAsciiCase(entry->name, fileName)) return entry->flags.data();
    m_entries.push_back(std::make_unique<Entry>(Entry{std::string(fileName), std::vector<uint8_t>(size, 0)}));
    return m_entries.back()->flags.data();
}

std::vector<const ReadTextRecord::Entry*> ReadTextRecord::entries() const {
    std::lock_guard lock(m_lock);
    std::vector<const Entry*> out;
    for (const auto& e : m_entries) out.push_back(e.get());
    return out;
}

void ReadTextRecord::clear() {
    std::lock_guard lock(m_lock);
    m_entries.clear();
}

}  // namespace qeli::saved
