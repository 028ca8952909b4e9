#include "app/run_dump.h"

#include <cstdio>

#include "app/application.h"
#include "app/json_writer.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace qeli::app {

namespace {

const char* endName(EndReason reason) {
    switch (reason) {
    case EndReason::Finished: return "finished";
    case EndReason::Exit: return "exit";
    case EndReason::Quit: return "quit";
    case EndReason::TimeLimit: return "time-limit";
    }
    return "finished";
}

// A JSON member name from a table index, ready for its value.
void appendIndexKey(std::string& out, size_t index) {
    if (out.size() > 1) out += ", ";
    out += '"';
    out += std::to_string(index);
    out += "\": ";
}

template <typename Table>
std::string integerTable(const Table& table) {
    std::string out = "{";
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == 0) continue;
        appendIndexKey(out, i);
        out += std::to_string(table[i]);
    }
    return out + "}";
}

std::string stringTable(const std::vector<std::optional<std::string>>& table) {
    std::string out = "{";
    for (size_t i = 0; i < table.size(); ++i) {
        if (!table[i] || table[i]->empty()) continue;
        appendIndexKey(out, i);
        out += jsonString(platform::cp932ToUtf8(*table[i]));
    }
    return out + "}";
}

std::string boxList() {
    std::string out = "[";
    for (const auto& box : platform::shownMessageBoxes()) {
        if (out.size() > 1) out += ",";
        out += "\n    {\"caption\": " + jsonString(box.request.caption) + ", \"text\": " + jsonString(box.request.text) +
               ", \"buttons\": \"" + std::string(platform::buttonsName(box.request.buttons)) + "\", \"answer\": \"" +
               std::string(platform::answerName(box.answer)) + "\"}";
    }
    return out + (out.size() > 1 ? "\n  ]" : "]");
}

}  // namespace

std::string runDumpJson(Application& app) {
    std::lock_guard lock(app.system.lock);
    std::string out = "{\n";
    out += "  \"ended\": \"" + std::string(endName(app.state.ended())) + "\",\n";
    out += "  \"virtualTimeMs\": " + std::to_string(platform::elapsedMs()) + ",\n";
    out += "  \"flags\": " + integerTable(app.context.flags) + ",\n";
    out += "  \"strings\": " + stringTable(app.context.strings) + ",\n";
    out += "  \"globalFlags\": " + integerTable(app.system.globalFlags) + ",\n";
    out += "  \"globalStrings\": " + stringTable(app.system.globalStrings) + ",\n";
    out += "  \"protagonist\": " + jsonString(platform::cp932ToUtf8(app.system.protagonist.value_or(""))) + ",\n";
    out += "  \"boxes\": " + boxList() + "\n";
    return out + "}\n";
}

bool writeRunDump(Application& app, const std::string& path) {
    std::string json = runDumpJson(app);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(json.data(), 1, json.size(), f) == json.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace qeli::app
