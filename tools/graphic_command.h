// `qeli-tool graphic`: information about a picture, and taking a graphic container apart and
// putting one together.
#pragma once

#include <span>
#include <string>

namespace qeli::tools {

// Returns the process exit code: 0 done, 1 failed, 2 wrong usage.
int graphicCommand(std::span<const std::string> args);

}  // namespace qeli::tools
