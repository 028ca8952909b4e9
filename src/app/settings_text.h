// The text of default.ini: lines of "Key = value, value ...", with "//" comments.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeli::app {

struct EngineState;

struct SettingsLine {
    std::string key;
    std::vector<std::string> values;  // at most 16
};

// Null for a line that holds no setting (empty, a comment, or malformed).
std::optional<SettingsLine> splitSettingsLine(std::string_view line);
// A number as the C library reads a long integer with base 0 (0x hexadecimal, leading-0 octal),
// stopping at the first character that does not fit; 0 when the text does not start with a number.
int32_t settingsNumber(std::string_view text);
// Applies every line of the text to the state. Keys that are not settings are ignored.
void applySettingsText(std::string_view text, EngineState& state);

}  // namespace qeli::app
