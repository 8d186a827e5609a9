#include "report/components/TRpRegion.h"

#include "report/components/Bands.h"
#include "report/components/DataFields.h"

namespace qv::report {

const PropertyTable& TRpRegion::classProperties()
{
    return derivedTable(TRpControl::classProperties(), [](PropertyBuilder& b) {
        b.floating("Width", &TRpRegion::m_width)
            .floating("Height", &TRpRegion::m_height)
            .integer("Columns", &TRpRegion::m_columns, 1)
            .floating("ColumnSpacing", &TRpRegion::m_columnSpacing);
    });
}

bool TRpRegion::acceptsChild(const TRpReportComponent& child) const
{
    if (dynamic_cast<const TRpBand*>(&child))
        return true;
    // Besides bands, only components that print nothing themselves (calculations and the like).
    return !dynamic_cast<const TRpControl*>(&child) && !dynamic_cast<const TRpDataField*>(&child) && !child.isProjectItem();
}

} // namespace qv::report
