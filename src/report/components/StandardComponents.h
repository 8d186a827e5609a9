#pragma once

#include "report/components/DataBinding.h"
#include "report/components/DataObjects.h"
#include "report/components/TRpControl.h"

namespace qv::report {

// Restarts page numbering where it prints.
class TRpPageNumInit : public TRpReportComponent {
    QV_RP_CLASS(TRpPageNumInit)

public:
    QV_RP_VALUE(int, initValue, setInitValue)
    QV_RP_REFERENCE(TRpBaseDataView, initDataView, setInitDataView)
    QV_RP_MOVED(std::string, initDataField, setInitDataField)

protected:
    int m_initValue = 1;
    RpRef<TRpBaseDataView> m_initDataView;
    std::string m_initDataField;
};

// A rectangle that groups controls.
class TRpSection : public TRpControl {
    QV_RP_CLASS_INHERITING(TRpSection, TRpControl)

public:
    bool acceptsChild(const TRpReportComponent& child) const override;
};

// A section that mirrors another according to a data field.
class TRpDataMirrorSection : public TRpSection, public TRpDataBinding {
    QV_RP_CLASS(TRpDataMirrorSection)
};

} // namespace qv::report
