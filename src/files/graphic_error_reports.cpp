#include "files/graphic_error_reports.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace qeli::files {


void logGraphicAccessError(std::string_view name, GraphicKind kind) {
    std::FILE* log = std::fopen("error.log", "a+");
    if (!log) return;
    // The name is written as the game spelled it (Shift-JIS), like every other line of the log.
    std::string line = kind == GraphicKind::AlphaMask ? "AlphaGraphic Access Error[" : "Graphic Access Error[";
    line.append(name);
    line += "]\n";
    std::fwrite(line.data(), 1, line.size(), log);
    std::fclose(log);
}

bool askRetryAfterDecodeFailure(std::string_view name, GraphicKind kind) {
    const char* code = kind == GraphicKind::AlphaMask ? "3ea" : "3e9";  // 1002, 1001
    std::string text = "filename:" + platform::cp932ToUtf8(name) + "\nerrorcode:" + code +
                       "\n\nerrorcomment: graphic format decode error(data broken or file read error)";
    auto answer = platform::showMessageBox("File Access Error", text, platform::BoxButtons::AbortRetryIgnore,
                                           platform::BoxIcon::Error);
    if (answer == platform::BoxAnswer::Abort) std::_Exit(3);
    return answer == platform::BoxAnswer::Retry;
}

}  // namespace qeli::files
