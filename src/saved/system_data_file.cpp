#include "saved/system_data_file.h"

#include <cstdio>
#include <string>

#include "app/engine_state.h"
#include "files/file_utilities.h"
#include "files/system_file.h"
#include "platform/clock.h"
#include "saved/already_data_format.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "saved/system_data_format.h"

namespace qeli::saved {

namespace {

std::string systemDataName(const app::EngineState& state) { return state.saveFolder + "System.dat"; }
std::string alreadyDataName(const app::EngineState& state) { return state.saveFolder + "Already.dat"; }

// The play time so far and the whole seconds played since it was last taken as the reference.
int32_t playTimeToWrite(const app::EngineState& state) {
    uint32_t elapsed = platform::nowMs() - state.playTimeReferenceMs;
    return state.playTimeSeconds + static_cast<int32_t>(elapsed / 1000);
}

}  // namespace

bool readSystemData(app::EngineState& state, SystemData& data) {
    std::lock_guard lock(data.lock);
    data.globalFlags.fill(0);
    if (!files::fileExists(systemDataName(state))) {
        data.read = true;
        return false;
    }
    auto bytes = files::readSystemFile(systemDataName(state), state.continueWithoutWriting);
    // A file that is there but cannot be read stays as it is: this run does not write it.
    if (!bytes) {
        std::fprintf(stderr, "qeli: System.dat cannot be read; it is left untouched and not written\n");
        return false;
    }
    decodeSystemData(*bytes, state, data);
    data.read = true;
    return true;
}

bool writeSystemData(const app::EngineState& state, SystemData& data) {
    std::lock_guard lock(data.lock);
    if (!data.read) return true;
    // The backup keeps the previous file until the new one is complete; the write itself replaces the
    // file only once it is whole on disk.
    const std::string name = systemDataName(state), backup = name + ".bak";
    files::copyFile(name, backup);
    if (!files::writeSystemFile(name, encodeSystemData(state, data, playTimeToWrite(state)),
                                state.continueWithoutWriting))
        return false;
    files::deleteFile(backup);
    return true;
}

bool readAlreadyData(const app::EngineState& state, ReadTextRecord& record) {
    if (!record.empty() || !files::fileExists(alreadyDataName(state))) return false;
    auto bytes = files::readSystemFile(alreadyDataName(state), state.continueWithoutWriting);
    if (bytes && decodeAlreadyData(*bytes, record)) return true;
    // Unreadable, or not ours: the player's file is kept rather than replaced by this run's record.
    std::fprintf(stderr, "qeli: Already.dat cannot be read; it is left untouched and not written\n");
    record.writesRefused = true;
    return false;
}

bool writeAlreadyData(const app::EngineState& state, ReadTextRecord& record) {
    if (record.empty() || record.writesRefused) return true;
    return files::writeSystemFile(alreadyDataName(state), encodeAlreadyData(record), state.continueWithoutWriting);
}

}  // namespace qeli::saved
