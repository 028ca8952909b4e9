#include "app/settings_text.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>

#include "app/engine_state.h"
#include "platform/text_encoding.h"

namespace qeli::app {

namespace {

constexpr size_t kLineCapacity = 1023;
constexpr size_t kMaxValues = 16;
constexpr size_t kCursorNameCapacity = 259;
constexpr size_t kSaveFolderCapacity = 258;

bool isLead(char c) { return platform::isCp932LeadByte(static_cast<uint8_t>(c)); }
bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// Lines end at CR or LF; double-byte characters are never split; a line keeps at most 1023 bytes.
std::vector<std::string> settingsLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            continue;
        }
        size_t width = (isLead(c) && i + 1 < text.size()) ? 2 : 1;
        if (line.size() + width <= kLineCapacity) line.append(text.substr(i, width));
        i += width - 1;
    }
    lines.push_back(std::move(line));
    return lines;
}

using Values = std::vector<std::string>;
using Apply = std::function<void(EngineState&, const Values&)>;

struct Key {
    Key() = default;
    Key(Apply a, size_t needed = 1, std::function<void(EngineState&)> clear = {})
        : apply(std::move(a)), valuesNeeded(needed), clearWhenEmpty(std::move(clear)) {}

    // Called when the line has at least `valuesNeeded` values; a line with fewer changes nothing...
    Apply apply;
    size_t valuesNeeded = 1;
    // ...except for the switches that a key standing alone turns off.
    std::function<void(EngineState&)> clearWhenEmpty;
};

Apply integer(int32_t EngineSettings::*field) {
    return [field](EngineState& s, const Values& v) { s.settings.*field = settingsNumber(v[0]); };
}
Apply boolean(bool EngineSettings::*field) {
    return [field](EngineState& s, const Values& v) { s.settings.*field = settingsNumber(v[0]) != 0; };
}
Apply list(std::vector<int32_t> EngineSettings::*field) {
    return [field](EngineState& s, const Values& v) {
        for (const auto& value : v) (s.settings.*field).push_back(settingsNumber(value));
    };
}
Apply cursorName(std::string EngineSettings::*field) {
    return [field](EngineState& s, const Values& v) { s.settings.*field = v[0].substr(0, kCursorNameCapacity); };
}

// A boolean that a key without a value switches off.
Key clearable(bool EngineSettings::*field) {
    return {boolean(field), 1, [field](EngineState& s) { s.settings.*field = false; }};
}

const std::map<std::string, Key, std::less<>>& keys() {
    static const std::map<std::string, Key, std::less<>> table = [] {
        std::map<std::string, Key, std::less<>> t;
        t["WindowSize"] = {[](EngineState& s, const Values& v) {
                               s.baseWidth = s.windowWidth = settingsNumber(v[0]);
                               s.baseHeight = s.windowHeight = settingsNumber(v[1]);
                           },
                           2};
        t["NomalCursor"] = {cursorName(&EngineSettings::normalCursorDefaultName)};
        t["SelectCursor"] = {cursorName(&EngineSettings::selectCursorDefaultName)};
        t["SaveDataIndexCommentStartLength"] = {integer(&EngineSettings::saveDataIndexCommentStartLength)};
        t["TransitionWaitType"] = {integer(&EngineSettings::transitionWaitType)};
        t["SelectPointSaveDataEnable"] = clearable(&EngineSettings::selectPointSaveDataEnable);
        t["SaveDataIntoSelectPointData"] = clearable(&EngineSettings::selectPointSaveDataEnable);
        t["SaveDataIntoHistoryData"] = clearable(&EngineSettings::saveDataIntoHistoryData);
        t["HistoryStringVisibleCompleteOnly"] = clearable(&EngineSettings::historyStringVisibleCompleteOnly);
        t["SaveDataDirectory"] = {[](EngineState& s, const Values& v) {
            s.saveFolder = v[0].substr(0, kSaveFolderCapacity);
            if (s.saveFolder.back() != '\\') s.saveFolder += '\\';
        }};
        t["FileWriteFalseContinue"] = {
            [](EngineState& s, const Values& v) { s.continueWithoutWriting = settingsNumber(v[0]) != 0; }, 1,
            [](EngineState& s) { s.continueWithoutWriting = 0; }};
        t["HistoryRowsMargin"] = {integer(&EngineSettings::historyRowsMargin)};
        t["HistoryLineMargin"] = {integer(&EngineSettings::historyLineMargin)};
        t["HistorySoundIconPositionType"] = {integer(&EngineSettings::historySoundIconPositionType)};
        t["HistorySoundIconPositionSet"] = {[](EngineState& s, const Values& v) {
                                                s.settings.historySoundIconX = settingsNumber(v[0]);
                                                s.settings.historySoundIconY = settingsNumber(v[1]);
                                            },
                                            2};
        t["HistoryFontEffectSet"] = {integer(&EngineSettings::historyFontEffect)};
        t["PopmenuDisableViewMode"] = clearable(&EngineSettings::popmenuDisableViewMode);
        t["PopmenuDisableHistoryMode"] = clearable(&EngineSettings::popmenuDisableHistoryMode);
        t["SkipDrawSmooth"] = clearable(&EngineSettings::skipDrawSmooth);
        t["SelectIDAutoSet"] = clearable(&EngineSettings::selectIdAutoSet);
        t["SoundVolumeType"] = {
            [](EngineState& s, const Values& v) {
                s.settings.soundVolumeType = s.settings.movieVolumeType = settingsNumber(v[0]) != 0;
            },
            1, [](EngineState& s) { s.settings.soundVolumeType = s.settings.movieVolumeType = false; }};
        t["FontShadowThickSize"] = {integer(&EngineSettings::fontShadowThickSize)};
        t["FontBorderThickSize"] = {integer(&EngineSettings::fontBorderThickSize)};
        t["SaveDataIntoKeyWaitIconNumber"] = clearable(&EngineSettings::saveDataIntoKeyWaitIconNumber);
        t["SaveDataIntoMouseCursor"] = clearable(&EngineSettings::saveDataIntoMouseCursor);
        t["SaveDataWithoutScriptData"] = clearable(&EngineSettings::saveDataWithoutScriptData);
        t["SaveDataWithoutGraphicTransmittance"] = {list(&EngineSettings::saveDataWithoutGraphicTransmittance), 0};
        t["SaveDataWithoutGraphicLayer"] = {list(&EngineSettings::saveDataWithoutGraphicLayer), 0};
        t["SaveDataWithoutGraphicFile"] = {list(&EngineSettings::saveDataWithoutGraphicFile), 0};
        t["SpriteWithoutGraphicAttribute"] = {list(&EngineSettings::spriteWithoutGraphicAttribute), 0};
        t["SkipScrollSpeed"] = {[](EngineState& s, const Values& v) {
            if (int32_t speed = settingsNumber(v[0]); speed > 0) s.settings.skipScrollSpeed = speed;
        }};
        t["LineHeadManageCharacter"] = {[](EngineState& s, const Values& v) { s.settings.lineHeadCharacters = v[0]; }};
        t["ModeExclusive"] = {boolean(&EngineSettings::modeExclusive)};
        t["SelectIsCenterIndicateOn"] = {boolean(&EngineSettings::selectIsCenterIndicateOn)};
        t["WindowSizeVariable"] = {[](EngineState& s, const Values& v) {
            s.windowSizeVariable = settingsNumber(v[0]) != 0;
        }};
        t["SoundGroupNumberToSkipSilent"] = {integer(&EngineSettings::soundGroupNumberToSkipSilent)};
        return t;
    }();
    return table;
}

}  // namespace

std::optional<SettingsLine> splitSettingsLine(std::string_view line) {
    std::vector<std::string> beforeEquals, afterEquals;
    bool equalsSeen = false;
    std::string token;
    auto finish = [&] {
        if (token.empty()) return;
        (equalsSeen ? afterEquals : beforeEquals).push_back(std::move(token));
        token.clear();
    };
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (isLead(c) && i + 1 < line.size()) {
            token.append(line.substr(i, 2));
            ++i;
        } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
            break;
        } else if (isSeparator(c)) {
            finish();
        } else if (c == '=' && !equalsSeen) {
            finish();
            equalsSeen = true;
        } else {
            token += c;
        }
    }
    finish();
    if (beforeEquals.size() != 1) return std::nullopt;
    if (afterEquals.size() > kMaxValues) afterEquals.resize(kMaxValues);
    return SettingsLine{std::move(beforeEquals[0]), std::move(afterEquals)};
}

int32_t settingsNumber(std::string_view text) {
    std::string copy(text);
    long long value = std::strtoll(copy.c_str(), nullptr, 0);
    // A long of the original's compiler is 32 bits: values beyond it stop at its limits.
    return static_cast<int32_t>(std::clamp<long long>(value, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}

void applySettingsText(std::string_view text, EngineState& state) {
    for (const std::string& raw : settingsLines(text)) {
        auto line = splitSettingsLine(raw);
        if (!line) continue;
        auto it = keys().find(line->key);
        if (it == keys().end()) continue;
        const Key& key = it->second;
        if (line->values.size() >= key.valuesNeeded) key.apply(state, line->values);
        else if (line->values.empty() && key.clearWhenEmpty) key.clearWhenEmpty(state);
    }
}

}  // namespace qeli::app
