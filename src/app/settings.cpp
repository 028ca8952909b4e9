#include "app/settings.h"

#include "app/engine_state.h"
#include "app/settings_text.h"
#include "files/cursor_file.h"
#include "files/file_utilities.h"
#include "files/program_data.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace qeli::app {

namespace {

void loadSettingsCursor(const std::string& defaultName, std::string& currentName,
                        std::shared_ptr<platform::Cursor>& cursor) {
    if (defaultName.empty()) return;
    if (auto loaded = files::loadCursorFile(defaultName)) {
        cursor = std::move(loaded);
        currentName = defaultName;
    }
}

// A save folder that does not exist is created when the player agrees.
void prepareSaveFolder(const std::string& folder) {
    if (folder.empty() || files::directoryExists(folder)) return;
    std::string shown = platform::cp932ToUtf8(folder);
    if (platform::showMessageBox("確認", shown + "が存在しません。フォルダを作成しますか？", platform::BoxButtons::OkCancel,
                                 platform::BoxIcon::Information) != platform::BoxAnswer::Ok)
        return;
    if (!files::createDirectoryPath(folder))
        platform::showMessageBox("Error", "Directory Create Error [" + shown + "]", platform::BoxButtons::Ok,
                                 platform::BoxIcon::Error);
}

}  // namespace

bool readSettingsFile(EngineState& state) {
    auto text = files::readProgramData("default.ini");
    if (!text) return false;
    applySettingsText(text->text(), state);
    loadSettingsCursor(state.settings.normalCursorDefaultName, state.settings.normalCursorName,
                       state.settings.normalCursor);
    loadSettingsCursor(state.settings.selectCursorDefaultName, state.settings.selectCursorName,
                       state.settings.selectCursor);
    prepareSaveFolder(state.saveFolder);
    return true;
}

}  // namespace qeli::app
