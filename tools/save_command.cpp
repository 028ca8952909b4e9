// qeli-tool save info FILE: System.dat or Already.dat as JSON (UTF-8), for players and preservers who
// want to see what a file holds.
#include "save_command.h"

#include <cstdio>
#include <memory>
#include <string_view>

#include "app/engine_state.h"
#include "app/json_writer.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "saved/already_data_format.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "saved/system_data_format.h"

namespace qeli::tools {

namespace {

std::string text(std::string_view cp932) { return app::jsonString(platform::cp932ToUtf8(cp932)); }

std::string fontSlots(const saved::SystemData& data) {
    std::string out = "[";
    for (size_t i = 0; i < data.fontSlots.size(); ++i) {
        const auto& slot = data.fontSlots[i];
        if (slot.height() == 0) continue;
        // The face name is the description's last 32 bytes, zero-terminated.
        std::string_view face(reinterpret_cast<const char*>(slot.logFont.data()) + 28, 32);
        face = face.substr(0, face.find('\0'));
        if (out.size() > 1) out += ", ";
        out += "{\"slot\": " + std::to_string(i) + ", \"height\": " + std::to_string(slot.height()) +
               ", \"face\": " + text(face) + ", \"pitch\": " + std::to_string(slot.pitch) +
               ", \"lineAdvance\": " + std::to_string(slot.lineAdvance) + "}";
    }
    return out + "]";
}

std::string systemDataJson(std::span<const uint8_t> bytes) {
    auto state = std::make_unique<app::EngineState>();
    auto data = std::make_unique<saved::SystemData>();
    saved::decodeSystemData(bytes, *state, *data);
    auto number = [](const char* key, int64_t v) { return std::string("  \"") + key + "\": " + std::to_string(v) + ",\n"; };
    std::string out = "{\n  \"kind\": \"System.dat\",\n";
    out += number("fullScreen", state->fullScreen) + number("textSpeed", state->textSpeed) +
           number("effectLevel", state->effectLevel);
    out += "  \"spareIntegers\": [" + std::to_string(state->spareIntegers[0]) + ", " +
           std::to_string(state->spareIntegers[1]) + "],\n";
    out += "  \"choiceFlags\": [" + std::to_string(state->choiceFlags[0]) + ", " +
           std::to_string(state->choiceFlags[1]) + "],\n";
    out += number("keyInSoundStopDefault", state->keyInSoundStopDefault) +
           number("playTimeSeconds", state->playTimeSeconds) + number("rendererMode", state->rendererModeStored);
    out += "  \"rendererOptions\": [" + std::to_string(state->rendererOptions[0]) + ", " +
           std::to_string(state->rendererOptions[1]) + "],\n";
    out += "  \"chosenDisplaySize\": [" + std::to_string(state->chosenDisplayWidth) + ", " +
           std::to_string(state->chosenDisplayHeight) + "],\n";
    out += number("displaySizeMode", state->displaySizeMode);
    out += "  \"protagonist\": " + text(data->protagonist.value_or("")) + ",\n";
    out += "  \"globalFlags\": {";
    bool first = true;
    for (size_t i = 0; i < data->globalFlags.size(); ++i) {
        if (data->globalFlags[i] == 0) continue;
        out += std::string(first ? "" : ", ") + "\"" + std::to_string(i) + "\": " + std::to_string(data->globalFlags[i]);
        first = false;
    }
    out += "},\n  \"globalStrings\": {";
    first = true;
    for (size_t i = 0; i < data->globalStrings.size(); ++i) {
        if (!data->globalStrings[i]) continue;
        out += std::string(first ? "" : ", ") + "\"" + std::to_string(i) + "\": " + text(*data->globalStrings[i]);
        first = false;
    }
    out += "},\n  \"fontSlots\": " + fontSlots(*data) + "\n}\n";
    return out;
}

std::string alreadyDataJson(const saved::ReadTextRecord& record) {
    std::string out = "{\n  \"kind\": \"Already.dat\",\n  \"entries\": [";
    bool first = true;
    for (const auto* entry : record.entries()) {
        size_t set = 0;
        for (uint8_t b : entry->flags) set += b != 0;
        out += std::string(first ? "\n" : ",\n") + "    {\"name\": " + text(entry->name) +
               ", \"size\": " + std::to_string(entry->flags.size()) + ", \"set\": " + std::to_string(set) + "}";
        first = false;
    }
    return out + (first ? "]\n}\n" : "\n  ]\n}\n");
}

int info(const std::string& path) {
    auto bytes = platform::readWholeFile(path);
    if (!bytes) {
        std::fprintf(stderr, "qeli-tool save: cannot read %s\n", path.c_str());
        return 1;
    }
    saved::ReadTextRecord record;
    if (saved::decodeAlreadyData(*bytes, record)) {
        std::fputs(alreadyDataJson(record).c_str(), stdout);
        return 0;
    }
    if (saved::looksLikeSystemData(*bytes)) {
        std::fputs(systemDataJson(*bytes).c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "qeli-tool save: %s is neither System.dat nor Already.dat\n", path.c_str());
    return 1;
}

}  // namespace

int saveCommand(std::span<const std::string> args) {
    if (args.size() == 2 && args[0] == "info") return info(args[1]);
    std::fputs("usage: qeli-tool save info FILE     System.dat or Already.dat as JSON\n", stderr);
    return 2;
}

}  // namespace qeli::tools
