#pragma once

#include "report/data/TDataConnectManager.h"
#include "report/data/TRpDataSystem.h"

namespace qv {

// The report data exchange of one program: the registry of its custom connections and
// the engine side that connects report views to them. Its owner (the main window, a
// command-line run, a test) declares it before the projects and connections it hands it
// to, so that every connection and its listener thread ends before it does.
class DataCommunication {
public:
    DataCommunication() = default;
    DataCommunication(const DataCommunication&) = delete;
    DataCommunication& operator=(const DataCommunication&) = delete;

    TDataConnectManager& connections() { return m_connections; }
    TRpDataSystem& system() { return m_system; }

private:
    TDataConnectManager m_connections;
    TRpDataSystem m_system {m_connections};
};

} // namespace qv
