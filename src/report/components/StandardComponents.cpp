#include "report/components/StandardComponents.h"

#include "report/components/Bands.h"

namespace qv::report {

const PropertyTable& TRpPageNumInit::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpReportComponent::classProperties());
        PropertyBuilder(t)
            .integer("InitValue", &TRpPageNumInit::m_initValue, 1)
            .reference("InitDataView", &TRpPageNumInit::m_initDataView)
            .string("InitDataField", &TRpPageNumInit::m_initDataField);
        return t;
    }();
    return table;
}

const PropertyTable& TRpSection::classProperties()
{
    return TRpControl::classProperties();
}

bool TRpSection::acceptsChild(const TRpReportComponent& child) const
{
    return !child.isProjectItem() && !dynamic_cast<const TRpBand*>(&child) && !dynamic_cast<const TRpDataField*>(&child);
}

const PropertyTable& TRpDataMirrorSection::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpSection::classProperties());
        PropertyBuilder(t)
            .reference("DataView", &TRpDataMirrorSection::m_dataView)
            .string("DataField", &TRpDataMirrorSection::m_dataField);
        return t;
    }();
    return table;
}

} // namespace qv::report
