// qeli-tool save: the player's files as JSON.
#pragma once

#include <span>
#include <string>

namespace qeli::tools {

int saveCommand(std::span<const std::string> args);

}  // namespace qeli::tools
