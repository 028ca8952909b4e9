// A small JSON reader for comparing a run's dump with the expectations of a test game.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeli::testing {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    bool operator==(const JsonValue&) const = default;
    // Compact JSON, for messages.
    std::string dump() const;
};

std::optional<JsonValue> parseJson(std::string_view text);

}  // namespace qeli::testing
