#pragma once

#include "report/data/DataCommunication.h"
#include "report/execution/TRvSystem.h"
#include "report/project/TRpProjectManager.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace qv {

// Owns a report project loaded from a project file and runs its active report through
// its engine: Open, SetParameter, Execute, Close.
class TRvProject {
public:
    using TNotifyEvent = std::function<void(TRvProject&)>;

    // A run reads its rows through data, which must outlive the project. The services
    // reach the temporary system of a run without Engine; an Engine brings its own
    // windows and printer. Without services the runs show no windows and do not retry a
    // busy data system.
    explicit TRvProject(DataCommunication& data, ReportServices services = {});
    ~TRvProject();
    TRvProject(const TRvProject&) = delete;
    TRvProject& operator=(const TRvProject&) = delete;

    const std::string& ProjectFile() const { return m_projectFile; }
    // A name without "." gets ".rav".
    void SetProjectFile(const std::string& fileName);
    // The system that executes reports; none means a temporary one per run. It reads
    // empty again once that system is destroyed.
    TRvSystemRef Engine;
    // How long a run waits for another run to release the report data system.
    std::chrono::milliseconds DataControlTimeout {5000};

    TNotifyEvent OnCreate;
    TNotifyEvent OnBeforeOpen;
    TNotifyEvent OnAfterOpen;
    TNotifyEvent OnBeforeClose;
    TNotifyEvent OnAfterClose;
    TNotifyEvent OnDestroy;

    // The form holding the project has been read: fires OnCreate.
    void Loaded();
    // Raises ERpException when the file does not exist; no effect when active.
    void Open();
    void SetParameter(const std::string& name, const std::string& value);
    // Opens when needed and runs the active report on an execution copy. An engine
    // error leaving Open or Execute comes out in the services' translation.
    void Execute();
    void Close();

    bool Active() const { return m_active; }
    report::TRpProjectManager& ProjectManager() { return *m_project; }
    const ReportServices& Services() const { return m_services; }

private:
    void runReport(report::TRpProjectManager& copy, report::TRpReport& report, TRvSystem& system);

    DataCommunication& m_data;
    ReportServices m_services;
    std::string m_projectFile;
    std::unique_ptr<report::TRpProjectManager> m_project;
    bool m_active = false;
    bool m_running = false;
};

// The full path of a file name, as the project's missing-file message shows it.
std::string expandFileName(const std::string& fileName);

} // namespace qv
