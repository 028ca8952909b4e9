// The main thread's call queue. It stands for the original's synchronous window messages: another
// thread queues a call and blocks until the main thread has run it. The main thread never waits for
// another thread's work.
#pragma once

#include <cstdint>
#include <functional>

namespace qeli::platform {

// Marks the calling thread as the main thread; done once at start-up.
void setMainThread();
bool onMainThread();

// Runs fn on the main thread and returns its result; runs it at once when called on the main thread.
intptr_t runOnMainThread(const std::function<intptr_t()>& fn);
// Queues fn for the main thread and returns at once.
void postToMainThread(std::function<void()> fn);

// The main thread's loop: runs queued calls and backend events until quitMainLoop(); returns its code.
int runMainLoop();
void quitMainLoop(int exitCode);
// Runs what is queued without waiting (start-up and shutdown use it).
void runQueuedMainThreadCalls();

}  // namespace qeli::platform
