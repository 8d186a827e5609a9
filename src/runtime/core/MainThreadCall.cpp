#include "runtime/core/MainThreadCall.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>

namespace qv {

namespace {

struct Queue {
    std::mutex lock;
    std::condition_variable arrived;
    std::deque<std::function<void()>> work;
    MainThreadPoster poster;
    std::function<void()> pump;
};

Queue& queue()
{
    static Queue instance;
    return instance;
}

enum class CallState { Pending, Running, Done, Cancelled };

struct Call {
    std::mutex lock;
    std::condition_variable changed;
    CallState state = CallState::Pending;
    std::exception_ptr error;
};

void post(std::function<void()> work)
{
    Queue& q = queue();
    std::unique_lock guard(q.lock);
    if (q.poster) {
        MainThreadPoster poster = q.poster;
        guard.unlock();
        poster(std::move(work));
        return;
    }
    q.work.push_back(std::move(work));
    q.arrived.notify_all();
}

} // namespace

void postToMainThread(std::function<void()> fn) { post(std::move(fn)); }

void setMainThreadPoster(MainThreadPoster poster)
{
    std::lock_guard guard(queue().lock);
    queue().poster = std::move(poster);
}

bool callOnMainThread(const std::function<void()>& fn, const std::atomic<bool>& stop)
{
    auto call = std::make_shared<Call>();
    post([call, fn] {
        {
            std::lock_guard guard(call->lock);
            if (call->state == CallState::Cancelled)
                return;
            call->state = CallState::Running;
        }
        std::exception_ptr error;
        try {
            fn();
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard guard(call->lock);
        call->error = error;
        call->state = CallState::Done;
        call->changed.notify_all();
    });
    std::unique_lock guard(call->lock);
    for (;;) {
        if (call->state == CallState::Done)
            break;
        if (call->state == CallState::Pending && stop.load()) {
            // The main thread may be waiting for this thread to end: give the work up.
            call->state = CallState::Cancelled;
            return false;
        }
        call->changed.wait_for(guard, std::chrono::milliseconds(20));
    }
    if (call->error)
        std::rethrow_exception(call->error);
    return true;
}

int runMainThreadCalls(std::chrono::milliseconds timeout)
{
    Queue& q = queue();
    std::deque<std::function<void()>> batch;
    {
        std::unique_lock guard(q.lock);
        q.arrived.wait_for(guard, timeout, [&] { return !q.work.empty(); });
        batch.swap(q.work);
    }
    for (auto& work : batch)
        work();
    return static_cast<int>(batch.size());
}

void setMessagePump(std::function<void()> pump)
{
    std::lock_guard guard(queue().lock);
    queue().pump = std::move(pump);
}

void pumpMessages()
{
    std::function<void()> pump;
    {
        std::lock_guard guard(queue().lock);
        pump = queue().pump;
    }
    if (pump)
        pump();
    else
        runMainThreadCalls(std::chrono::milliseconds(0));
}

} // namespace qv
