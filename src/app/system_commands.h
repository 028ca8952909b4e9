// The system commands of the application shell.
#pragma once

namespace qeli::script {
class CommandTable;
}

namespace qeli::app {

void registerSystemCommands(script::CommandTable& table);

}  // namespace qeli::app
