// The bytes of System.dat: global variables, font slots and the system settings.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qeli::app {
struct EngineState;
}

namespace qeli::saved {

struct SystemData;

inline constexpr size_t kSystemDataHeaderSize = 116;

// A System.dat header: a header size that covers at least the block fields (older files are shorter
// than 116 bytes, none is longer).
bool looksLikeSystemData(std::span<const uint8_t> bytes);
// `playTimeSeconds` is what the file records (the play time so far plus the unsaved seconds).
std::vector<uint8_t> encodeSystemData(const app::EngineState& state, const SystemData& data, int32_t playTimeSeconds);
// Takes what is sound from the file; a header shorter than 116 bytes leaves the later fields 0, and
// blocks that lie outside the file are left out.
void decodeSystemData(std::span<const uint8_t> bytes, app::EngineState& state, SystemData& data);

}  // namespace qeli::saved
