#include "saved/system_data_file.h"

namespace qeli::saved {

// TODO: the System.dat and Already.dat formats. Until then nothing is read, and so, by the rule that
// protects an unread file, nothing is written.
void readSystemData(app::EngineState&, SystemData&) {}
bool writeSystemData(const app::EngineState&, SystemData&) { return true; }
void readAlreadyData(const app::EngineState&, ReadTextRecord&) {}
bool writeAlreadyData(const app::EngineState&, ReadTextRecord&) { return true; }

}  // namespace qeli::saved
