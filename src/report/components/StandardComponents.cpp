#include "report/components/StandardComponents.h"

#include "report/components/Bands.h"

namespace qv::report {

const PropertyTable& TRpPageNumInit::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.integer("InitValue", &TRpPageNumInit::m_initValue, 1)
            .reference("InitDataView", &TRpPageNumInit::m_initDataView)
            .string("InitDataField", &TRpPageNumInit::m_initDataField);
    });
}

bool TRpSection::acceptsChild(const TRpReportComponent& child) const
{
    return !child.isProjectItem() && !dynamic_cast<const TRpBand*>(&child) && !dynamic_cast<const TRpDataField*>(&child);
}

const PropertyTable& TRpDataMirrorSection::classProperties()
{
    return derivedTable(TRpSection::classProperties(), [](PropertyBuilder& b) {
        b.part(TRpDataBinding::declareProperties);
    });
}

} // namespace qv::report
