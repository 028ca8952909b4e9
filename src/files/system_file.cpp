#include "files/system_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/loose_file_name.h"
#include "files/system_error.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace qeli::files {

namespace {

constexpr int kAttempts = 10;
constexpr uint32_t kAttemptPauseMs = 100;

std::string fileAccessErrorText(std::string_view name, uint32_t code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(code));
    return "filename:" + platform::cp932ToUtf8(name) + "\nerrorcode:" + hex + "\n\nerrorcomment:" +
           systemErrorText(code) + "\n";
}

// Runs `attempt` (which returns 0 or an error code) up to 10 times; the last error code, or 0.
template <typename Attempt>
uint32_t attemptSeries(bool continueWithoutWriting, Attempt attempt) {
    uint32_t error = 0;
    for (int i = 0; i < kAttempts; ++i) {
        if (i > 0) platform::sleepMs(kAttemptPauseMs);
        error = attempt();
        if (error == 0 || continueWithoutWriting) return error;
    }
    return error;
}

std::optional<std::vector<uint8_t>> readOnce(std::string_view fullName, uint32_t& error) {
    auto path = findLooseFile(fullName);
    if (!path) {
        error = kErrorFileNotFound;
        return std::nullopt;
    }
    errno = 0;
    auto bytes = platform::readWholeFile(path->string());
    error = bytes ? 0 : systemErrorCode(errno == 0 ? EACCES : errno);
    return bytes;
}

}  // namespace

std::optional<std::vector<uint8_t>> readSystemFile(std::string_view fullName, bool continueWithoutWriting) {
    for (;;) {
        std::optional<std::vector<uint8_t>> bytes;
        uint32_t error = attemptSeries(continueWithoutWriting, [&] {
            uint32_t e = 0;
            bytes = readOnce(fullName, e);
            return e;
        });
        if (bytes) return bytes;
        if (continueWithoutWriting) return std::nullopt;
        auto answer = platform::showMessageBox("File Access Error", fileAccessErrorText(fullName, error),
                                               platform::BoxButtons::AbortRetryIgnore, platform::BoxIcon::Warning);
        if (answer == platform::BoxAnswer::Abort) std::_Exit(3);
        if (answer != platform::BoxAnswer::Retry) return std::nullopt;
    }
}

bool writeSystemFile(std::string_view fullName, std::span<const uint8_t> bytes, bool continueWithoutWriting) {
    for (;;) {
        uint32_t error = attemptSeries(continueWithoutWriting, [&] {
            int e = platform::replaceFileContents(looseFilePathForWriting(fullName).string(), bytes);
            return e == 0 ? 0u : systemErrorCode(e);
        });
        if (error == 0) return true;
        if (continueWithoutWriting) return false;
        auto answer = platform::showMessageBox("File Access Error", fileAccessErrorText(fullName, error),
                                               platform::BoxButtons::RetryCancel, platform::BoxIcon::Warning);
        if (answer != platform::BoxAnswer::Retry) return false;
    }
}

}  // namespace qeli::files
