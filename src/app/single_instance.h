// The single-instance name: two copies of a game in the same folder may not run at once.
#pragma once

#include <string>
#include <string_view>

namespace qeli::app {

inline constexpr size_t kInstanceNameLength = 260;

// "Global\QeliSystemRunning-" and the directory (Shift-JIS bytes) with every backslash that is not the
// trail byte of a double-byte character turned into "_"; a name that would reach 260 characters keeps
// only the tail of the directory, so that it has exactly 260.
std::string singleInstanceName(std::string_view currentDirectory);

}  // namespace qeli::app
