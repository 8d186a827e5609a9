#include "report/components/TRpReport.h"

namespace qv::report {

const PropertyTable& TRpReport::classProperties()
{
    return derivedTable(TRpProjectItem::classProperties(), [](PropertyBuilder& b) {
        b.reference("FirstPage", &TRpReport::m_firstPage)
            .referenceList("PageList", &TRpReport::m_pageList)
            .integer("MaxPages", &TRpReport::m_maxPages, 0)
            .integer("Copies", &TRpReport::m_copies, 0)
            .enumeration("Collate", &TRpReport::m_collate, CollateType, pcDefault)
            .enumeration("Duplex", &TRpReport::m_duplex, DuplexType, pdDefault)
            .enumeration("Resolution", &TRpReport::m_resolution, ResolutionType, prDefault)
            .string("Printer", &TRpReport::m_printer)
            .boolean("AlwaysGenerate", &TRpReport::m_alwaysGenerate, false)
            .string("Category", &TRpReport::m_category)
            .part(TRpRunInputs::declareProperties)
            .reference("SecurityControl", &TRpReport::m_securityControl);
    });
}

TRpPage* TRpReport::addPage(std::unique_ptr<TRpPage> page)
{
    page->setOwnerItem(this);
    m_pages.push_back(std::move(page));
    return m_pages.back().get();
}

TRpPage* TRpReport::findPage(std::string_view name) const
{
    for (auto& page : m_pages) {
        if (sameText(page->name(), name))
            return page.get();
    }
    return nullptr;
}

TRpReportComponent* TRpReport::findComponent(std::string_view name) const
{
    return findPage(name);
}

} // namespace qv::report
