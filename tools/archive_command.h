// `qeli-tool archive list|extract|pack`: .qlc archives in and out.
#pragma once

#include <span>
#include <string>

namespace qeli::tools {

// Returns the process exit code: 0 done, 1 failed, 2 wrong usage.
int archiveCommand(std::span<const std::string> args);

}  // namespace qeli::tools
