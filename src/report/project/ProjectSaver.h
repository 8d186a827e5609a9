#pragma once

#include "report/components/ComponentClasses.h"
#include "report/project/ProjectStream.h"

#include <set>
#include <vector>

namespace qv::report {

class TRpProjectManager;

// Writes a project, or one report with what it depends on, in project-file form.
class ProjectSaver {
public:
    ProjectSaver(const TRpProjectManager& project, BlockMethod method);

    Bytes saveProject();
    // Compression as given; references to objects the copy takes from its master are
    // written with a leading "*" and the objects themselves left out.
    Bytes saveReport(const TRpReport& report);

private:
    void writeHeader(ProjectWriter& writer, const std::string& lastActiveReport);
    void writeItems(ProjectWriter& writer, const std::set<const TRpProjectItem*>* only);
    void writeReport(ProjectWriter& writer, const TRpReport& report);
    void writeRecord(ProjectWriter& writer, const TRpReportComponent& component, bool withChildren);
    void writePropertyList(ProjectWriter& writer, const RpPersistent& object);
    std::string referenceName(const TRpReportComponent& target) const;
    const TRpProjectItem* topItem(const TRpReportComponent& component) const;
    bool takenFromMaster(const TRpReportComponent& target) const;

    std::vector<std::string> globalPagesUsedBy(const TRpReport& report) const;
    std::set<const TRpProjectItem*> dependenciesOf(const TRpReport& report) const;
    void collectReferences(const RpPersistent& object, std::vector<const TRpReportComponent*>& targets) const;

    const TRpProjectManager& m_project;
    BlockMethod m_method;
    bool m_executionCopy = false;
    const TRpProjectItem* m_item = nullptr;
};

} // namespace qv::report
