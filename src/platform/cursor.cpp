#include "platform/cursor.h"

#include "platform/backend.h"
#include "platform/main_thread.h"

namespace qeli::platform {

std::shared_ptr<Cursor> makeColourCursor(const CursorAnimation& animation) {
    if (animation.frames.empty() || animation.steps.empty()) return nullptr;
    std::shared_ptr<Cursor> cursor;
    runOnMainThread([&] {
        cursor = backend().createCursor(animation);
        return intptr_t{0};
    });
    return cursor;
}

void setCursor(std::shared_ptr<Cursor> cursor) {
    runOnMainThread([&] {
        backend().setCursor(std::move(cursor));
        return intptr_t{0};
    });
}

}  // namespace qeli::platform
