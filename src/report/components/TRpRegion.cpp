#include "report/components/TRpRegion.h"

#include "report/components/Bands.h"

namespace qv::report {

const PropertyTable& TRpRegion::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpControl::classProperties());
        PropertyBuilder(t)
            .floating("Width", &TRpRegion::m_width)
            .floating("Height", &TRpRegion::m_height)
            .integer("Columns", &TRpRegion::m_columns, 1)
            .floating("ColumnSpacing", &TRpRegion::m_columnSpacing);
        return t;
    }();
    return table;
}

bool TRpRegion::acceptsChild(const TRpReportComponent& child) const
{
    return dynamic_cast<const TRpBand*>(&child) || !dynamic_cast<const TRpControl*>(&child);
}

} // namespace qv::report
