// The --dump file: the state a run ended with, as one JSON object.
#pragma once

#include <string>

namespace qeli::app {

struct Application;

std::string runDumpJson(Application& application);
bool writeRunDump(Application& application, const std::string& path);

}  // namespace qeli::app
