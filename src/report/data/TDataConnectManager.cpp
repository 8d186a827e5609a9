#include "report/data/TDataConnectManager.h"

#include "report/data/TRvCustomConnection.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cctype>

namespace qv {

TDataConnectManager& TDataConnectManager::Instance()
{
    static TDataConnectManager manager;
    return manager;
}

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

} // namespace qv
