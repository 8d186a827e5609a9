#include "report/data/TDataConnectManager.h"

#include "report/data/TRvCustomConnection.h"
#include "runtime/core/Text.h"

#include <algorithm>

namespace qv {

void TDataConnectManager::Add(TRvCustomConnection* connection)
{
    std::lock_guard guard(m_lock);
    m_connections.push_back(connection);
}

void TDataConnectManager::Remove(TRvCustomConnection* connection)
{
    std::lock_guard guard(m_lock);
    std::erase(m_connections, connection);
}

TRvCustomConnection* TDataConnectManager::Find(const std::string& name) const
{
    std::lock_guard guard(m_lock);
    for (TRvCustomConnection* connection : m_connections) {
        if (sameText(connection->Name(), name))
            return connection;
    }
    return nullptr;
}

bool TDataConnectManager::lockRun(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_lock);
    if (!m_runReleased.wait_for(lock, timeout, [this] { return !m_runHeld; }))
        return false;
    m_runHeld = true;
    return true;
}

void TDataConnectManager::unlockRun()
{
    {
        std::lock_guard guard(m_lock);
        m_runHeld = false;
    }
    m_runReleased.notify_one();
}

bool TDataConnectManager::runHeld() const
{
    std::lock_guard guard(m_lock);
    return m_runHeld;
}

} // namespace qv
