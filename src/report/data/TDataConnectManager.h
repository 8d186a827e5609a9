#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

class TRvCustomConnection;

// The custom connections of one program, found by component name, and the control a
// report run served by them holds. A connection registers with the manager it is given
// and leaves it when destroyed, so every connection must be gone before its manager.
class TDataConnectManager {
public:
    TDataConnectManager() = default;
    TDataConnectManager(const TDataConnectManager&) = delete;
    TDataConnectManager& operator=(const TDataConnectManager&) = delete;

    void Add(TRvCustomConnection* connection);
    void Remove(TRvCustomConnection* connection);
    // Case-insensitive; the first one added wins.
    TRvCustomConnection* Find(const std::string& name) const;

    // Held while a run of this program uses the connections, so that no two engines
    // use their buffer at once. Not a std::timed_mutex: a second engine object of the
    // same thread asking again must time out, not deadlock.
    bool lockRun(std::chrono::milliseconds timeout);
    void unlockRun();
    // While a run holds it, the connections' handlers belong to that run.
    bool runHeld() const;

private:
    mutable std::mutex m_lock;
    std::vector<TRvCustomConnection*> m_connections;
    std::condition_variable m_runReleased;
    bool m_runHeld = false;
};

} // namespace qv
