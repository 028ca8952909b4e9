#include "platform/message_box.h"

#include <deque>
#include <mutex>

#include "platform/backend.h"
#include "platform/main_thread.h"
#include "platform/message_box_internal.h"

namespace qeli::platform {

namespace {

struct BoxState {
    std::mutex mutex;
    std::vector<ShownMessageBox> shown;
    std::deque<BoxAnswer> queued;
};

BoxState& boxes() {
    static BoxState s;
    return s;
}

}  // namespace

BoxAnswer showMessageBox(const MessageBoxRequest& request) {
    auto answer = static_cast<BoxAnswer>(
        runOnMainThread([&] { return static_cast<intptr_t>(backend().presentMessageBox(request)); }));
    if (!answerFits(request.buttons, answer)) answer = givingUpAnswer(request.buttons);
    std::lock_guard lock(boxes().mutex);
    boxes().shown.push_back({request, answer});
    return answer;
}

BoxAnswer showMessageBox(std::string caption, std::string text, BoxButtons buttons, BoxIcon icon) {
    return showMessageBox(MessageBoxRequest{std::move(caption), std::move(text), buttons, icon, false});
}

BoxAnswer givingUpAnswer(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok: return BoxAnswer::Ok;
    case BoxButtons::OkCancel: return BoxAnswer::Cancel;
    case BoxButtons::YesNo: return BoxAnswer::No;
    case BoxButtons::RetryCancel: return BoxAnswer::Cancel;
    case BoxButtons::AbortRetryIgnore: return BoxAnswer::Ignore;
    }
    return BoxAnswer::Ok;
}

bool answerFits(BoxButtons buttons, BoxAnswer answer) {
    switch (buttons) {
    case BoxButtons::Ok: return answer == BoxAnswer::Ok;
    case BoxButtons::OkCancel: return answer == BoxAnswer::Ok || answer == BoxAnswer::Cancel;
    case BoxButtons::YesNo: return answer == BoxAnswer::Yes || answer == BoxAnswer::No;
    case BoxButtons::RetryCancel: return answer == BoxAnswer::Retry || answer == BoxAnswer::Cancel;
    case BoxButtons::AbortRetryIgnore:
        return answer == BoxAnswer::Abort || answer == BoxAnswer::Retry || answer == BoxAnswer::Ignore;
    }
    return false;
}

void queueMessageBoxAnswer(BoxAnswer answer) {
    std::lock_guard lock(boxes().mutex);
    boxes().queued.push_back(answer);
}

std::optional<BoxAnswer> takeQueuedMessageBoxAnswer() {
    std::lock_guard lock(boxes().mutex);
    if (boxes().queued.empty()) return std::nullopt;
    BoxAnswer answer = boxes().queued.front();
    boxes().queued.pop_front();
    return answer;
}

std::vector<ShownMessageBox> shownMessageBoxes() {
    std::lock_guard lock(boxes().mutex);
    return boxes().shown;
}

void clearShownMessageBoxes() {
    std::lock_guard lock(boxes().mutex);
    boxes().shown.clear();
    boxes().queued.clear();
}

std::string_view buttonsName(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok: return "OK";
    case BoxButtons::OkCancel: return "OKCANCEL";
    case BoxButtons::YesNo: return "YESNO";
    case BoxButtons::RetryCancel: return "RETRYCANCEL";
    case BoxButtons::AbortRetryIgnore: return "ABORTRETRYIGNORE";
    }
    return "OK";
}

namespace {
constexpr std::pair<BoxAnswer, std::string_view> kAnswerNames[] = {
    {BoxAnswer::Ok, "OK"},       {BoxAnswer::Cancel, "CANCEL"}, {BoxAnswer::Yes, "YES"},
    {BoxAnswer::No, "NO"},       {BoxAnswer::Retry, "RETRY"},   {BoxAnswer::Abort, "ABORT"},
    {BoxAnswer::Ignore, "IGNORE"},
};
}

std::string_view answerName(BoxAnswer answer) {
    for (auto [a, name] : kAnswerNames)
        if (a == answer) return name;
    return "OK";
}

std::optional<BoxAnswer> parseAnswerName(std::string_view name) {
    for (auto [a, n] : kAnswerNames)
        if (n == name) return a;
    return std::nullopt;
}

}  // namespace qeli::platform
