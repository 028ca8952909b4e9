// A small writer for the JSON the engine and its tools print (UTF-8 text only).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qeli::app {

// A JSON string literal of UTF-8 text, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace qeli::app
