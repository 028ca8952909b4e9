#include "script/variables.h"

#include <cstdio>
#include <cstring>

#include "platform/message_box.h"
#include "saved/system_data.h"
#include "script/parameter_binding.h"
#include "script/script_context.h"

namespace qeli::script {

namespace {

struct OutOfAreaText {
    const char* message;  // printf form with the index
    const char* caption;
};

// Texts as the original wrote them, misspellings included; games and players quote them.
constexpr OutOfAreaText kBinding[4] = {
    {"GlobalFlag Out Of Area\n\n  GlobalFlag[%d]", "GlobalFlag Out Of Area Error"},
    {"NomalFlag Out Of Area\n\n  Flag[%d]", "NomalFlag Out Of Area Error"},
    {"GlobalString Out Of Area\n\n  GlobalString[%d]", "GlobalString Out Of Area Error"},
    {"NomalString Out Of Area\n\n  String[%d]", "NomalFlag Out Of Area Error"},
};
constexpr OutOfAreaText kResolving[4] = {
    {"GlobalFlagTable Out Of Area\n\n  GlobalFlag[%d]", "GlobalFlag Out Of Area Error"},
    {"FlagTable Out Of Area\n\n  Flag[%d]", "Flag Out Of Area Error"},
    {"GlobalStringTable Out Of Area\n\n  GlobalStringFlag[%d]", "GlobalFlag Out Of Area Error"},
    {"StringTable Out Of Area\n\n  StringFlag[%d]", "NomalFlag Out Of Area Error"},
};

enum Element { GlobalFlag = 0, Flag = 1, GlobalString = 2, String = 3 };

void reportOutOfArea(Element element, int32_t index, IndexCheck texts) {
    const OutOfAreaText& t = (texts == IndexCheck::Binding ? kBinding : kResolving)[element];
    char message[128];
    std::snprintf(message, sizeof message, t.message, index);
    platform::showMessageBox(t.caption, message, platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

}  // namespace

int32_t* flagElement(ScriptContext& context, const ScriptRecord& record, const Token& token, IndexCheck texts) {
    int32_t index = record.cell(token.aux);
    const char* name = record.text(token.nameOffset);
    // Most elements are Flag: the first letter settles it without comparing the whole name.
    bool global = name[0] == 'G' && std::strcmp(name, "GlobalFlag") == 0;
    int32_t count = global ? saved::kGlobalFlagCount : kFlagCount;
    if (index < 0 || index >= count) {
        reportOutOfArea(global ? GlobalFlag : Flag, index, texts);
        return nullptr;
    }
    return global ? &context.system.globalFlags[static_cast<size_t>(index)] : &context.flags[static_cast<size_t>(index)];
}

std::optional<std::string>* stringElement(ScriptContext& context, const ScriptRecord& record, const Token& token,
                                          IndexCheck texts, bool report) {
    int32_t index = record.cell(token.aux);
    const char* name = record.text(token.nameOffset);
    bool global = name[0] == 'G' && std::strcmp(name, "GlobalString") == 0;
    int32_t count = global ? saved::kGlobalStringCount : kStringCount;
    if (index < 0 || index >= count) {
        if (report) reportOutOfArea(global ? GlobalString : String, index, texts);
        return nullptr;
    }
    auto& table = global ? context.system.globalStrings : context.strings;
    return &table[static_cast<size_t>(index)];
}

Param resolveToken(ScriptContext& context, ScriptRecord& record, int32_t tokenIndex) {
    Param param;
    bindReference(context, record, tokenIndex, param, IndexCheck::Resolving, false);
    return param;
}

std::optional<std::string>* specialString(ScriptContext& context, const char* name) {
    if (std::strcmp(name, kProtagonistName) == 0) return &context.system.protagonist;
    if (std::strcmp(name, kTempGlobalStringName) == 0) return &context.tempGlobalString;
    if (std::strcmp(name, kGeneralStringName) == 0) return &context.generalString;
    return nullptr;
}

}  // namespace qeli::script
