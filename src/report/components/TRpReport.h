#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/TRpPage.h"

#include <memory>

namespace qv::report {

// A report: its own pages, printed from FirstPage or in PageList order.
class TRpReport : public TRpProjectItem, public TRpRunInputs {
    QV_RP_CLASS(TRpReport)

public:
    const std::vector<std::unique_ptr<TRpPage>>& pages() const { return m_pages; }
    TRpPage* addPage(std::unique_ptr<TRpPage> page);
    TRpPage* findPage(std::string_view name) const;
    // Its pages belong to the report; nothing else does.
    TRpReportComponent* findComponent(std::string_view name) const override;

    const std::string& lastActivePage() const { return m_lastActivePage; }
    void setLastActivePage(std::string name) { m_lastActivePage = std::move(name); }
    // Names of the global pages the report used when it was stored.
    const std::vector<std::string>& loadedGlobalPages() const { return m_loadedGlobalPages; }
    void setLoadedGlobalPages(std::vector<std::string> names) { m_loadedGlobalPages = std::move(names); }

    TRpPage* firstPage() const { return m_firstPage.get(); }
    void setFirstPage(TRpPage* value) { m_firstPage = value; }
    const std::vector<RpRef<TRpPage>>& pageList() const { return m_pageList; }
    void setPageList(std::vector<RpRef<TRpPage>> value) { m_pageList = std::move(value); }
    int maxPages() const { return m_maxPages; }
    void setMaxPages(int value) { m_maxPages = value; }
    int copies() const { return m_copies; }
    void setCopies(int value) { m_copies = value; }
    TRpCollate collate() const { return m_collate; }
    void setCollate(TRpCollate value) { m_collate = value; }
    TRpDuplex duplex() const { return m_duplex; }
    void setDuplex(TRpDuplex value) { m_duplex = value; }
    TRpResolution resolution() const { return m_resolution; }
    void setResolution(TRpResolution value) { m_resolution = value; }
    const std::string& printer() const { return m_printer; }
    void setPrinter(std::string value) { m_printer = std::move(value); }
    bool alwaysGenerate() const { return m_alwaysGenerate; }
    void setAlwaysGenerate(bool value) { m_alwaysGenerate = value; }
    const std::string& category() const { return m_category; }
    void setCategory(std::string value) { m_category = std::move(value); }
    TRpReportComponent* securityControl() const { return m_securityControl.get(); }
    void setSecurityControl(TRpReportComponent* value) { m_securityControl = value; }

protected:
    RpRef<TRpPage> m_firstPage;
    std::vector<RpRef<TRpPage>> m_pageList;
    int m_maxPages = 0;
    int m_copies = 0;
    TRpCollate m_collate = pcDefault;
    TRpDuplex m_duplex = pdDefault;
    TRpResolution m_resolution = prDefault;
    std::string m_printer;
    bool m_alwaysGenerate = false;
    std::string m_category;
    RpRef<TRpReportComponent> m_securityControl;

private:
    std::vector<std::unique_ptr<TRpPage>> m_pages;
    std::string m_lastActivePage;
    std::vector<std::string> m_loadedGlobalPages;
};

} // namespace qv::report
