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

struct SystemData {
    std::array<int32_t, kGlobalFlagCount> globalFlags{};
    std::vector<std::optional<std::string>> globalStrings =
        std::vector<std::optional<std::string>>(kGlobalStringCount);
    std::optional<std::string> protagonist;
    std::mutex lock;
};

}  // namespace qeli::saved
