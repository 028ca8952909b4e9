// The system data that outlives a game: GlobalFlag, GlobalString and the protagonist's name. It is
// kept in System.dat across sessions; its lock guards reading and writing that file.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qeli::saved {

inline constexpr int kGlobalFlagCount = 10'000;
inline constexpr int kGlobalStringCount = 10'000;
inline constexpr int kFontSlotCount = 16;
inline constexpr size_t kLogFontSize = 60;

// A font slot as System.dat keeps it: the system's font description (60 bytes), pitch, line advance.
struct StoredFontSlot {
    std::array<uint8_t, kLogFontSize> logFont{};
    int32_t pitch = 0;
    int32_t lineAdvance = 0;

    // The description's height; a slot of height 0 is empty.
    int32_t height() const {
        return static_cast<int32_t>(logFont[0] | logFont[1] << 8 | logFont[2] << 16 | uint32_t{logFont[3]} << 24);
    }
};

struct SystemData {
    std::array<int32_t, kGlobalFlagCount> globalFlags{};
    std::vector<std::optional<std::string>> globalStrings =
        std::vector<std::optional<std::string>>(kGlobalStringCount);
    std::optional<std::string> protagonist;
    std::array<StoredFontSlot, kFontSlotCount> fontSlots{};
    // Writes are refused until the file has been read once, so that a write at start-up never
    // replaces a file that was not loaded.
    bool read = false;
    std::mutex lock;
};

}  // namespace qeli::saved
