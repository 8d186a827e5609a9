#pragma once

#include <functional>
#include <memory>

namespace qv {

// Fires OnTimer on the user-interface thread every interval while enabled.
class TTimer {
public:
    TTimer();
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    int interval() const { return m_interval; }
    void setInterval(int milliseconds);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    std::function<void()> onTimer;

private:
    void restart();
    class Impl;
    std::unique_ptr<Impl> m_impl;
    int m_interval = 1000;
    bool m_enabled = false;
};

} // namespace qv
