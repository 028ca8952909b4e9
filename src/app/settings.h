// The game's engine settings file, default.ini.
#pragma once

namespace qeli::app {

struct EngineState;

// Reads default.ini (archives first, then the game folder) into the state; false when there is none,
// and then every default stands.
bool readSettingsFile(EngineState& state);

}  // namespace qeli::app
