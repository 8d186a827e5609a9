#pragma once

#include "report/components/DataObjects.h"
#include "report/components/ReportEnums.h"
#include "report/components/TRpReport.h"
#include "report/project/ProjectStream.h"
#include "report/project/ReportErrors.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv::report {

struct ProjectModule {
    std::string name;
    Bytes bytes;
};

constexpr std::int32_t ProjectVersion = 40005;

// A loaded report project: its reports, global pages and data objects in file order, the
// active report, and the run-time parameter values.
class TRpProjectManager : public TRpProjectItem, public TRpRunInputs {
    QV_RP_CLASS(TRpProjectManager)

public:
    TRpProjectManager();
    ~TRpProjectManager() override;

    const std::vector<std::unique_ptr<TRpReport>>& reports() const { return m_reports; }
    const std::vector<std::unique_ptr<TRpPage>>& globalPages() const { return m_globalPages; }
    const std::vector<std::unique_ptr<TRpDataObject>>& dataObjects() const { return m_dataObjects; }
    TRpReport* addReport(std::unique_ptr<TRpReport> report);
    TRpPage* addGlobalPage(std::unique_ptr<TRpPage> page);
    TRpDataObject* addDataObject(std::unique_ptr<TRpDataObject> object);
    // Frees a report, global page or data object of the project.
    void removeItem(TRpProjectItem* item);
    // Frees every report, global page and data object; the project's own settings and
    // Params stay.
    void clear();

    // Returns the stored settings to those of a new project before another file loads;
    // Params and the loaded modules stay.
    void resetSettings();

    TRpProjectItem* findItem(std::string_view name) const;
    TRpReportComponent* findComponent(std::string_view name) const override;
    TRpReport* findReport(std::string_view name) const;

    TRpReport* activeReport() const { return m_activeReport.get(); }
    void activateReport(TRpReport* report);
    const std::string& lastActiveReport() const { return m_lastActiveReport; }

    // Finds the component a stored reference names: a bare name among the components of
    // context and then of the project; "owner.name" among the components of a page of
    // report or of a project item; "*name" in the master project.
    TRpReportComponent* resolveReference(std::string_view name, const TRpProjectItem* context, const TRpReport* report) const;

    const std::string& fileName() const { return m_fileName; }
    void setFileName(std::string name) { m_fileName = std::move(name); }
    std::int32_t version() const { return m_version; }
    void setVersion(std::int32_t version) { m_version = version; }
    void setLastActiveReport(std::string name) { m_lastActiveReport = std::move(name); }

    // Name=value parameters; names compare case-insensitively and an empty value removes one.
    const std::vector<std::pair<std::string, std::string>>& params() const { return m_params; }
    std::string param(std::string_view name) const;
    void setParam(const std::string& name, const std::string& value);
    void setParams(std::vector<std::pair<std::string, std::string>> params) { m_params = std::move(params); }

    std::vector<ProjectModule>& modules() { return m_modules; }
    const std::vector<ProjectModule>& modules() const { return m_modules; }

    // The project an execution copy was made from.
    TRpProjectManager* master() const { return m_master; }
    void setMaster(TRpProjectManager* master) { m_master = master; }

    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    bool saved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }

    // Loading replaces every item; on failure the project is left without items.
    void load() { loadFromFile(m_fileName); }
    void loadFromFile(const std::string& path);
    void loadFromStream(std::span<const std::uint8_t> data);
    Bytes saveToStream(BlockMethod method = BlockMethod::Compressed) const;
    // The report, the global pages it uses and the data objects it references.
    Bytes saveReportToStream(const TRpReport& report, BlockMethod method = BlockMethod::Stored) const;
    // One report "Report1" with one page "Page1", as a zero-byte project file loads.
    void newProject();

    QV_RP_MOVED(std::vector<std::string>, categories, setCategories)
    QV_RP_REFERENCE(TRpReportComponent, securityControl, setSecurityControl)
    QV_RP_MOVED(std::string, adminPassword, setAdminPassword)
    QV_RP_VALUE(TRpUnits, units, setUnits)
    QV_RP_VALUE(double, unitsFactor, setUnitsFactor)

    bool definesProperty(std::string_view name) const override;
    void readDefinedProperty(std::string_view name, std::vector<std::uint8_t> payload) override;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> definedPropertyValues() const override;

    // Where messages that do not stop loading go (an unknown class).
    const MessageSink& messages() const { return m_messages; }
    void setMessages(MessageSink sink) { m_messages = std::move(sink); }

protected:
    std::vector<std::string> m_categories;
    RpRef<TRpReportComponent> m_securityControl;
    std::string m_adminPassword;
    TRpUnits m_units = unInch;
    double m_unitsFactor = 1.0;

private:
    MessageSink m_messages;
    std::vector<std::unique_ptr<TRpReport>> m_reports;
    std::vector<std::unique_ptr<TRpPage>> m_globalPages;
    std::vector<std::unique_ptr<TRpDataObject>> m_dataObjects;
    RpRef<TRpReport> m_activeReport;
    std::string m_lastActiveReport;
    std::string m_fileName;
    std::int32_t m_version = ProjectVersion;
    std::vector<std::pair<std::string, std::string>> m_params;
    std::vector<ProjectModule> m_modules;
    TRpProjectManager* m_master = nullptr;
    bool m_modified = false;
    bool m_saved = false;
};

// The "Params" value: the parameters as "name","value"; in the form framework's encoding
// of one string.
Bytes encodeParams(const std::vector<std::pair<std::string, std::string>>& params);
std::vector<std::pair<std::string, std::string>> decodeParams(std::span<const std::uint8_t> payload);

} // namespace qv::report
