#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace qv {

class TRvCustomConnection;

// Every custom connection of the process, found by component name.
class TDataConnectManager {
public:
    static TDataConnectManager& Instance();

    void Add(TRvCustomConnection* connection);
    void Remove(TRvCustomConnection* connection);
    // Case-insensitive; the first one added wins.
    TRvCustomConnection* Find(const std::string& name) const;

private:
    mutable std::mutex m_lock;
    std::vector<TRvCustomConnection*> m_connections;
};

} // namespace qv
