#pragma once

#include <atomic>
#include <chrono>
#include <functional>

namespace qv {

// Work handed from another thread to the user-interface thread. The windowing layer
// installs a poster that queues work into its message loop; without one, work waits
// until the main thread calls runMainThreadCalls.
using MainThreadPoster = std::function<void(std::function<void()>)>;
void setMainThreadPoster(MainThreadPoster poster);

// Runs fn on the main thread and blocks until it has run. Returns false, and fn never
// runs, when *stop becomes true before the main thread took it up. An error leaving fn
// is passed on to the caller.
bool callOnMainThread(const std::function<void()>& fn, const std::atomic<bool>& stop);

// Queues fn for the main thread without waiting for it.
void postToMainThread(std::function<void()> fn);

// Runs queued work (no poster installed), waiting up to timeout for some to arrive.
// Returns the number of calls run.
int runMainThreadCalls(std::chrono::milliseconds timeout);

// Lets the main thread handle its messages (or queued work) while it waits for another
// process; the windowing layer installs what its message loop needs.
void setMessagePump(std::function<void()> pump);
void pumpMessages();

} // namespace qv
