#include <gtest/gtest.h>

#include "app/engine_state.h"
#include "app/settings_text.h"

namespace qeli::app {
namespace {

struct Size {
    int32_t width, height;
};

Size windowSizeAfter(std::string_view text) {
    EngineState state;
    applySettingsText(text, state);
    EXPECT_EQ(state.baseWidth, state.windowWidth) << text;
    EXPECT_EQ(state.baseHeight, state.windowHeight) << text;
    return {state.baseWidth, state.baseHeight};
}

TEST(SettingsText, LineSplittingRules) {
    struct Case {
        const char* text;
        int32_t width, height;
    };
    const Case cases[] = {
        {"WindowSize=800,600", 800, 600},
        {"WindowSize = 800 600", 800, 600},
        {"WindowSize\t=\t800,\t600\r\n", 800, 600},
        {"WindowSize=0x320,0x258", 800, 600},
        {"WindowSize=01440,01130", 800, 600},  // octal
        {"WindowSize=800px,600", 800, 600},      // reading stops at the first character that does not fit
        {"WindowSize 800 600 =", 640, 480},      // a second token before "=": ignored
        {"windowsize=800,600", 640, 480},        // letter case matters
        {"WindowSize=800", 640, 480},            // two values needed
        {"// WindowSize=800,600", 640, 480},
        {"WindowSize=800,600 // a comment", 800, 600},
        {"WindowSize=800,600\nWindowSize=1024,768", 1024, 768},
        {"WindowSize=800,600\0WindowSize=1024,768", 800, 600},  // the text ends at a zero byte
    };
    for (const Case& c : cases) {
        Size s = windowSizeAfter(c.text);
        EXPECT_EQ(s.width, c.width) << c.text;
        EXPECT_EQ(s.height, c.height) << c.text;
    }
}

TEST(SettingsText, NumbersReadLikeTheCLibrary) {
    const std::pair<const char*, int32_t> cases[] = {
        {"12", 12}, {"-7", -7}, {"+3", 3}, {"0x1F", 31}, {"010", 8}, {"09", 0},
        {"abc", 0}, {"", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
    };
    for (auto [text, value] : cases) EXPECT_EQ(settingsNumber(text), value) << text;
}

TEST(SettingsText, KeysWithoutValuesClearOnlyTheListedSwitches) {
    EngineState state;
    applySettingsText("FileWriteFalseContinue=1 // keep going\nModeExclusive=1\nSaveDataIntoHistoryData=0", state);
    EXPECT_EQ(state.continueWithoutWriting, 1);
    EXPECT_TRUE(state.settings.modeExclusive);
    EXPECT_FALSE(state.settings.saveDataIntoHistoryData);
    applySettingsText("FileWriteFalseContinue\r\nModeExclusive\r\nSaveDataIntoHistoryData=1\nSkipDrawSmooth=1\n"
                      "SkipDrawSmooth\nHistoryRowsMargin",
                      state);
    EXPECT_EQ(state.continueWithoutWriting, 0);
    EXPECT_TRUE(state.settings.modeExclusive);
    EXPECT_TRUE(state.settings.saveDataIntoHistoryData);
    EXPECT_FALSE(state.settings.skipDrawSmooth);
    EXPECT_EQ(state.settings.historyRowsMargin, 30);
}

TEST(SettingsText, ListsAppendAndOtherKeysOverride) {
    EngineState state;
    applySettingsText("SaveDataWithoutGraphicLayer=1,2\nSaveDataWithoutGraphicLayer=5\nSkipScrollSpeed=4\n"
                      "SkipScrollSpeed=0\nSkipScrollSpeed=-2\nSoundVolumeType=1\nSaveDataIntoSelectPointData=1",
                      state);
    EXPECT_EQ(state.settings.saveDataWithoutGraphicLayer, (std::vector<int32_t>{1, 2, 5}));
    EXPECT_EQ(state.settings.skipScrollSpeed, 4);
    EXPECT_TRUE(state.settings.soundVolumeType);
    EXPECT_TRUE(state.settings.movieVolumeType);
    EXPECT_TRUE(state.settings.selectPointSaveDataEnable);
}

TEST(SettingsText, StringsKeepDoubleByteCharactersWhole) {
    EngineState state;
    // 0x95 0x5C is one character whose second byte is a backslash; a line ending in a double-byte
    // character ends at the CR.
    applySettingsText("SaveDataDirectory=save\nLineHeadManageCharacter=\x81\x41\x81\x42\r\nNomalCursor=a,b\n"
                      "SelectCursor=\x95\x5C\r\n",
                      state);
    EXPECT_EQ(state.saveFolder, "save\\");
    EXPECT_EQ(state.settings.lineHeadCharacters, "\x81\x41\x81\x42");
    EXPECT_EQ(state.settings.normalCursorDefaultName, "a");
    EXPECT_EQ(state.settings.selectCursorDefaultName, "\x95\x5C");
    applySettingsText("SaveDataDirectory=C:\\saves\\", state);
    EXPECT_EQ(state.saveFolder, "C:\\saves\\");
}

TEST(SettingsText, LongLinesKeep1023Bytes) {
    std::string line = "WindowSize=5" + std::string(1011, ' ');  // 1023 bytes
    EXPECT_EQ(windowSizeAfter(line + "6").width, 640);            // the 1024th byte is lost: one value
    EXPECT_EQ(windowSizeAfter(line.substr(1) + "6").width, 640);  // "indowSize" is no key
    EXPECT_EQ(windowSizeAfter(line.substr(0, 1022) + "6").width, 5);
    EXPECT_FALSE(splitSettingsLine("a b"));
    EXPECT_FALSE(splitSettingsLine(""));
    auto values = splitSettingsLine("Key=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18");
    ASSERT_TRUE(values);
    EXPECT_EQ(values->values.size(), 16u);
    auto equalsInValue = splitSettingsLine("Key = a=b");
    EXPECT_EQ(equalsInValue->values, std::vector<std::string>{"a=b"});
}

}  // namespace
}  // namespace qeli::app
