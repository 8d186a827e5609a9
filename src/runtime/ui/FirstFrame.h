#pragma once

#include <functional>
#include <memory>

namespace qv {

// Work the main window's first frame does not need (the window icons): it runs
// once that frame is painted, before the memory freed during start-up is handed back.
void afterFirstFrame(std::function<void()> work);

// The same for work of an object that may be gone before that frame (a window closed
// at once, a test's window that never reaches the message loop): it is dropped with
// its owner instead of running on what is left of it.
class FirstFrameWork {
public:
    explicit FirstFrameWork(std::function<void()> work);
    ~FirstFrameWork();
    FirstFrameWork(const FirstFrameWork&) = delete;
    FirstFrameWork& operator=(const FirstFrameWork&) = delete;

    // False once the work has run.
    bool pending() const { return m_work && *m_work; }

private:
    std::shared_ptr<std::function<void()>> m_work;
};

} // namespace qv
