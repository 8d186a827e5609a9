#include "report/data/TDataConnectManager.h"

#include "report/data/TRvCustomConnection.h"

#include <algorithm>
#include <cctype>

namespace qv {

bool sameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

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
        if (sameTextIgnoringCase(connection->Name(), name))
            return connection;
    }
    return nullptr;
}

} // namespace qv
