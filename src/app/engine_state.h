// The engine state record: one process-wide record of settings, sizes and the engine flags that every
// wait loop polls. Other subsystems add their fields here as they are built.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/engine_settings.h"
#include "platform/clock.h"

namespace qeli::app {

// How a run ended, as the dump reports it.
enum class EndReason { Finished, Exit, Quit, TimeLimit };

struct EngineState {
    // Sizes (set from default.ini and System.dat).
    int32_t baseWidth = 640;
    int32_t baseHeight = 480;
    int32_t windowWidth = 640;
    int32_t windowHeight = 480;
    int32_t displayWidth = 0;
    int32_t displayHeight = 0;
    int32_t displaySizeMode = 0;
    int32_t chosenDisplayWidth = 0;
    int32_t chosenDisplayHeight = 0;
    int32_t desktopBitsPerPixel = 32;
    int32_t desktopWidth = 0;
    int32_t desktopHeight = 0;

    // Kept in System.dat.
    int32_t textSpeed = 30;
    int32_t effectLevel = 2;
    int32_t spareIntegers[2] = {0, 0};
    uint8_t choiceFlags[2] = {0, 0};
    uint8_t keyInSoundStopDefault = 0;
    int32_t playTimeSeconds = 0;
    // The clock value from which unsaved play time counts (engine start or PlayTimeReset).
    uint32_t playTimeReferenceMs = 0;
    // The play time so far and the whole seconds played since the reference, in unsigned clock
    // arithmetic so that the clock's wrap does not matter.
    int32_t playTimeNow() const {
        return playTimeSeconds + static_cast<int32_t>((platform::nowMs() - playTimeReferenceMs) / 1000);
    }

    int32_t rendererModeStored = 0;
    int32_t rendererModeActive = 0;
    uint8_t rendererOptions[2] = {0, 0};
    uint8_t fullScreen = 0;
    uint8_t windowSizeVariable = 0;
    uint8_t continueWithoutWriting = 0;
    uint8_t configOnly = 0;
    // Prefix of System.dat, Already.dat and the save files (ending in a backslash); empty means the
    // game folder.
    std::string saveFolder;
    EngineSettings settings;

    // Engine flags: written by one thread, polled by the others between commands and in every wait.
    std::atomic<uint8_t> quit{0};
    std::atomic<uint8_t> restart{0};
    std::atomic<uint8_t> scriptExit{0};
    std::atomic<int32_t> loadRequest{0};
    std::atomic<int32_t> loadSlot{0};
    // Set by Restart on the game thread, taken by the game main at its next cycle.
    std::optional<std::string> restartScriptName;

    // Headless runs only (with a window the player can always close the game): after this many
    // checks of a million commands each without virtual time moving, the run ends (0: never).
    int runawayChecks = 0;

    // Reading modes and what the game allows, as the game window's menu shows and changes them.
    std::atomic<uint8_t> skipMode{0};
    std::atomic<uint8_t> alreadySkipMode{0};
    std::atomic<uint8_t> autoMode{0};
    std::atomic<uint8_t> saveEnable{0};
    std::atomic<uint8_t> loadEnable{0};
    std::atomic<uint8_t> transitionSkip{0};
    // The cursor hides this long after the mouse stopped; 0 never.
    std::atomic<int32_t> cursorAutoHideMs{0};
    // System key tables (Windows virtual-key codes) the game window counts presses of.
    std::vector<int32_t> decideKeys{13};
    std::vector<int32_t> windowEraseKeys{32};
    std::vector<int32_t> skipKeys;
    // The face the player chose in the Font menu (Shift-JIS); empty while none was chosen.
    std::string chosenFontFace;

    // How the run ended; the first reason recorded wins.
    std::atomic<int> endReason{-1};
    void recordEnd(EndReason reason) {
        int expected = -1;
        endReason.compare_exchange_strong(expected, static_cast<int>(reason));
    }
    EndReason ended() const {
        int r = endReason.load();
        return r < 0 ? EndReason::Finished : static_cast<EndReason>(r);
    }

    // True when a wait must end: the run is being stopped, restarted or a game is being loaded.
    bool interrupted() const {
        return quit.load(std::memory_order_relaxed) || restart.load(std::memory_order_relaxed) ||
               scriptExit.load(std::memory_order_relaxed) || loadRequest.load(std::memory_order_relaxed);
    }
};

}  // namespace qeli::app
