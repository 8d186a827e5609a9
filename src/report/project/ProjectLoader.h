#pragma once

#include "report/components/ComponentClasses.h"
#include "report/components/RpRef.h"
#include "report/project/ProjectStream.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace qv::report {

class TRpProjectManager;
struct PublishedProperty;

// Reads a project file into a project manager.
class ProjectLoader {
public:
    explicit ProjectLoader(TRpProjectManager& project);

    // Replaces the project's items; on failure the project keeps none and the error passes on.
    void load(std::span<const std::uint8_t> data);

private:
    struct PendingReference {
        ComponentHandle holder;
        RpPersistent* object;
        const PublishedProperty* property;
        std::string name;
        int index;
        RpRef<TRpReport> report;
    };

    void readModules(ProjectReader& reader);
    void readProjectRecord(ProjectReader& reader);
    void chooseActiveReport(const std::string& lastActive);
    void loadItems(ProjectReader& reader);
    void loadItem(ProjectReader& reader);
    void loadReport(ProjectReader& reader, TRpReport& report);
    void readItemRecord(ProjectReader& reader, TRpProjectItem& item);
    void readChildren(ProjectReader& reader, TRpReportComponent& parent, int depth);
    void readRecord(ProjectReader& reader, TRpReportComponent& parent, int depth);
    void readPropertyList(ProjectReader& reader, RpPersistent& object, TRpReportComponent& holder, int depth);
    void readValue(ProjectReader& reader, RpPersistent& object, const PublishedProperty& property, TRpReportComponent& holder, int depth);
    void readReference(RpPersistent& object, const PublishedProperty& property, TRpReportComponent& holder, const std::string& name);
    void readReferenceList(ProjectReader& reader, RpPersistent& object, const PublishedProperty& property, TRpReportComponent& holder);

    void skipRecordBody(ProjectReader& reader, int depth);
    void skipPropertyList(ProjectReader& reader, int depth);
    void skipValue(ProjectReader& reader, std::uint8_t tag, int depth);

    // Name lookups while loading go through indexes, so a file with very many components
    // still loads in time proportional to its size.
    using NameIndex = std::unordered_map<std::string, TRpReportComponent*>;
    void remember(NameIndex& index, TRpReportComponent& component);
    void forget(TRpProjectItem& item);
    TRpReportComponent* lookUp(const NameIndex& index, std::string_view name) const;
    TRpProjectItem* findItem(std::string_view name) const;
    TRpReportComponent* findIn(const TRpProjectItem& item, std::string_view name) const;
    TRpReportComponent* resolve(std::string_view name, const TRpProjectItem* context, const TRpReport* report) const;

    ProjectReader blockReader(ProjectReader& reader, Bytes& storage);
    void resolvePending();
    void finishReferenceLists();
    void notifyLoaded();

    TRpProjectManager& m_project;
    std::int32_t m_version = 0;
    TRpProjectItem* m_item = nullptr;
    TRpReport* m_report = nullptr;
    std::size_t m_budget = 0;
    std::vector<PendingReference> m_pending;
    std::unordered_map<const TRpProjectItem*, NameIndex> m_components;
    NameIndex m_reports;
    NameIndex m_globalPages;
    NameIndex m_dataObjects;
    std::vector<std::pair<ComponentHandle, std::pair<RpPersistent*, const PublishedProperty*>>> m_lists;
};

} // namespace qv::report
