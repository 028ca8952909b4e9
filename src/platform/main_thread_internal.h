// What backends need of the main thread's queue beyond the public interface.
#pragma once

namespace qeli::platform {

bool mainThreadHasWork();
// Blocks until work is queued or the loop is asked to quit (backends without events of their own).
void waitForMainThreadWork();

}  // namespace qeli::platform
