// The installed font families that have Japanese glyphs (for the game window's Font menu) and the
// file of a Japanese face for the engine's own menus and boxes, both from fontconfig.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qeli::platform {

// Family names (UTF-8), sorted, each once; vertical-writing variants ("@...") left out.
std::vector<std::string> japaneseFontFamilies();
// The file of the best Japanese face, preferring IPA Gothic; null when none is installed.
std::optional<std::string> japaneseFontFile();

}  // namespace qeli::platform
