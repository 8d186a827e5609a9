#pragma once

#include "report/components/DataObjects.h"

namespace qv::report {

// The data view and field a control prints or a calculation reads: a part of several
// components, not a component itself.
class TRpDataBinding {
public:
    QV_RP_REFERENCE(TRpBaseDataView, dataView, setDataView)
    QV_RP_MOVED(std::string, dataField, setDataField)

    // DataView, then DataField.
    static void declareProperties(PropertyBuilder& builder);

protected:
    ~TRpDataBinding() = default;

    RpRef<TRpBaseDataView> m_dataView;
    std::string m_dataField;
};

} // namespace qv::report
