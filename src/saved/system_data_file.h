// System.dat and Already.dat as the application shell reads and writes them at start-up, on request
// of the game thread and at shutdown.
#pragma once

namespace qeli::app {
struct EngineState;
}

namespace qeli::saved {

struct SystemData;
class ReadTextRecord;

void readSystemData(app::EngineState& state, SystemData& data);
// True when written, and also (without writing) while the file has not been read yet, so that a
// failed read never overwrites the player's file.
bool writeSystemData(const app::EngineState& state, SystemData& data);
void readAlreadyData(const app::EngineState& state, ReadTextRecord& record);
bool writeAlreadyData(const app::EngineState& state, ReadTextRecord& record);

}  // namespace qeli::saved
