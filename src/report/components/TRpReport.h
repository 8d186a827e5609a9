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

    QV_RP_REFERENCE(TRpPage, firstPage, setFirstPage)
    QV_RP_MOVED(std::vector<RpRef<TRpPage>>, pageList, setPageList)
    QV_RP_VALUE(int, maxPages, setMaxPages)
    QV_RP_VALUE(int, copies, setCopies)
    QV_RP_VALUE(TRpCollate, collate, setCollate)
    QV_RP_VALUE(TRpDuplex, duplex, setDuplex)
    QV_RP_VALUE(TRpResolution, resolution, setResolution)
    QV_RP_MOVED(std::string, printer, setPrinter)
    QV_RP_VALUE(bool, alwaysGenerate, setAlwaysGenerate)
    QV_RP_MOVED(std::string, category, setCategory)
    QV_RP_REFERENCE(TRpReportComponent, securityControl, setSecurityControl)

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
