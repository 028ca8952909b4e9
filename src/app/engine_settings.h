// The settings a game gives the engine in default.ini, with their defaults. Read once at start-up;
// only the cursors, ModeExclusive and SkipScrollSpeed change afterwards, through their commands.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qeli::platform {
class Cursor;
}

namespace qeli::app {

struct EngineSettings {
    std::string normalCursorDefaultName;
    std::string normalCursorName;
    std::shared_ptr<platform::Cursor> normalCursor;  // null: the system arrow
    std::string selectCursorDefaultName;
    std::string selectCursorName;
    std::shared_ptr<platform::Cursor> selectCursor;
    int32_t saveDataIndexCommentStartLength = 0;
    int32_t transitionWaitType = 0;
    bool selectPointSaveDataEnable = false;
    bool saveDataIntoHistoryData = true;
    bool historyStringVisibleCompleteOnly = false;
    int32_t historyRowsMargin = 30;
    int32_t historyLineMargin = 0;
    int32_t historySoundIconPositionType = 9;
    int32_t historySoundIconX = 0;
    int32_t historySoundIconY = 0;
    int32_t historyFontEffect = -1;
    bool popmenuDisableViewMode = false;
    bool popmenuDisableHistoryMode = false;
    bool skipDrawSmooth = false;
    bool selectIdAutoSet = false;
    // The sound engine's and the movie player's volume scales; the one key sets both.
    bool soundVolumeType = false;
    bool movieVolumeType = false;
    int32_t fontShadowThickSize = 2;
    int32_t fontBorderThickSize = 2;
    bool saveDataIntoKeyWaitIconNumber = false;
    bool saveDataIntoMouseCursor = false;
    bool saveDataWithoutScriptData = false;
    std::vector<int32_t> saveDataWithoutGraphicTransmittance;
    std::vector<int32_t> saveDataWithoutGraphicLayer;
    std::vector<int32_t> saveDataWithoutGraphicFile;
    std::vector<int32_t> spriteWithoutGraphicAttribute;
    int32_t skipScrollSpeed = 1;
    // Shift-JIS: "、。」』］】）！？　っッァィゥェォ".
    std::string lineHeadCharacters =
        "\x81\x41\x81\x42\x81\x76\x81\x78\x81\x6E\x81\x7A\x81\x6A\x81\x49\x81\x48\x81\x40\x82\xC1\x83\x62\x83\x40"
        "\x83\x42\x83\x44\x83\x46\x83\x48";
    bool modeExclusive = false;
    bool selectIsCenterIndicateOn = true;
    int32_t soundGroupNumberToSkipSilent = -1;
};

}  // namespace qeli::app
