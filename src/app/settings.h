// The game's engine settings file, default.ini.
#pragma once

namespace qeli::app {

struct EngineState;

void readSettingsFile(EngineState& state);

}  // namespace qeli::app
