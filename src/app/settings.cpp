#include "app/settings.h"

namespace qeli::app {

// TODO: read default.ini (archive before loose file) with every key; until then the defaults hold.
void readSettingsFile(EngineState&) {}

}  // namespace qeli::app
