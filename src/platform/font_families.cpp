#include "platform/font_families.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

namespace qeli::platform {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

std::unique_ptr<FcPattern, PatternDeleter> japanesePattern() {
    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    FcLangSet* languages = FcLangSetCreate();
    FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddLangSet(pattern.get(), FC_LANG, languages);
    FcLangSetDestroy(languages);
    return pattern;
}

}  // namespace

std::vector<std::string> japaneseFontFamilies() {
    if (!FcInit()) return {};
    auto pattern = japanesePattern();
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    std::vector<std::string> families;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        // A family may carry several names (English and Japanese); the first is the one to show.
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch || !family) continue;
        std::string name(reinterpret_cast<const char*>(family));
        if (!name.empty() && name[0] != '@') families.push_back(std::move(name));
    }
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

std::optional<std::string> japaneseFontFile() {
    if (!FcInit()) return std::nullopt;
    auto pattern = japanesePattern();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("IPAGothic"));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, PatternDeleter> match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match) return std::nullopt;
    FcLangSet* languages = nullptr;
    // fontconfig always returns some face; only one that covers Japanese is of use.
    if (FcPatternGetLangSet(match.get(), FC_LANG, 0, &languages) != FcResultMatch ||
        FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ja")) == FcLangDifferentLang)
        return std::nullopt;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(file));
}

}  // namespace qeli::platform
