#pragma once

#include "report/components/DataObjects.h"

namespace qv::report {

// The data view and field a control prints or a calculation reads: a part of several
// components, not a component itself.
class TRpDataBinding {
public:
    TRpBaseDataView* dataView() const { return m_dataView.get(); }
    void setDataView(TRpBaseDataView* value) { m_dataView = value; }
    const std::string& dataField() const { return m_dataField; }
    void setDataField(std::string value) { m_dataField = std::move(value); }

    // DataView, then DataField.
    static void declareProperties(PropertyBuilder& builder);

protected:
    ~TRpDataBinding() = default;

    RpRef<TRpBaseDataView> m_dataView;
    std::string m_dataField;
};

} // namespace qv::report
