#include "report/components/TRpPage.h"

#include "report/components/Bands.h"
#include "report/components/DataFields.h"

namespace qv::report {

const PropertyTable& TRpPage::classProperties()
{
    return derivedTable(TRpProjectItem::classProperties(), [](PropertyBuilder& b) {
        b.floating("PageWidth", &TRpPage::m_pageWidth)
            .floating("PageHeight", &TRpPage::m_pageHeight)
            .integer("PaperSize", &TRpPage::m_paperSize, -1)
            .enumeration("Orientation", &TRpPage::m_orientation, OrientationType, poDefault)
            .integer("Bin", &TRpPage::m_bin, -1)
            .string("BinCustom", &TRpPage::m_binCustom)
            .boolean("WasteFit", &TRpPage::m_wasteFit, false)
            .enumeration("GotoMode", &TRpPage::m_gotoMode, GotoModeType, gmGotoDone)
            .reference("GotoPage", &TRpPage::m_gotoPage)
            .integer("GridLines", &TRpPage::m_gridLines, 5)
            .floating("GridSpacing", &TRpPage::m_gridSpacing)
            .part(TRpRunInputs::declareProperties);
    });
}

bool TRpPage::acceptsChild(const TRpReportComponent& child) const
{
    return !child.isProjectItem() && !dynamic_cast<const TRpBand*>(&child) && !dynamic_cast<const TRpDataField*>(&child);
}

} // namespace qv::report
