#include "report/components/DataBinding.h"

namespace qv::report {

void TRpDataBinding::declareProperties(PropertyBuilder& builder)
{
    builder.reference("DataView", &TRpDataBinding::m_dataView).string("DataField", &TRpDataBinding::m_dataField);
}

} // namespace qv::report
