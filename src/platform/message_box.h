// The one message-box service: every box the engine shows goes through here with its exact caption,
// text, buttons and icon. Boxes are shown by the main thread; a headless run answers them by a policy.
// Every box is recorded so that a run's dump can list them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeli::platform {

enum class BoxButtons { Ok, OkCancel, YesNo, RetryCancel, AbortRetryIgnore };
enum class BoxIcon { None, Error, Warning, Information, Question };
enum class BoxAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// Caption and text are UTF-8; callers convert the engine's Shift-JIS strings before formatting.
struct MessageBoxRequest {
    std::string caption;
    std::string text;
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;
    bool topmost = false;
};

struct ShownMessageBox {
    MessageBoxRequest request;
    BoxAnswer answer = BoxAnswer::Ok;
};

// Shows the box on the main thread (from any thread) and waits for the answer.
BoxAnswer showMessageBox(const MessageBoxRequest& request);
BoxAnswer showMessageBox(std::string caption, std::string text, BoxButtons buttons, BoxIcon icon);

// The answer that gives up: Cancel, Ignore, No or OK. Also used when no box can be shown at all.
BoxAnswer givingUpAnswer(BoxButtons buttons);
bool answerFits(BoxButtons buttons, BoxAnswer answer);

// Headless runs: the next box gets this answer instead of the policy's (when it offers that button).
void queueMessageBoxAnswer(BoxAnswer answer);

std::vector<ShownMessageBox> shownMessageBoxes();
void clearShownMessageBoxes();

std::string_view buttonsName(BoxButtons buttons);
std::string_view answerName(BoxAnswer answer);
std::optional<BoxAnswer> parseAnswerName(std::string_view name);

}  // namespace qeli::platform
