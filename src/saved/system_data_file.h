// System.dat and Already.dat as the application shell reads and writes them at start-up, on request
// of the game thread and at shutdown.
#pragma once

namespace qeli::app {
struct EngineState;
}

namespace qeli::saved {

struct SystemData;
class ReadTextRecord;

// True when the file existed and was read; a missing or unreadable file leaves the defaults (and
// GlobalFlag cleared).
bool readSystemData(app::EngineState& state, SystemData& data);
// True when written, and also (without writing) while the file has not been read yet, so that a
// failed read never overwrites the player's file.
bool writeSystemData(const app::EngineState& state, SystemData& data);
// Only into an empty record; true when the file was read.
bool readAlreadyData(const app::EngineState& state, ReadTextRecord& record);
// True when written, and when the record is empty (then nothing is written).
bool writeAlreadyData(const app::EngineState& state, ReadTextRecord& record);

}  // namespace qeli::saved
