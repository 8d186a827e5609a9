#pragma once

#include "report/components/DataObjects.h"
#include "report/components/TRpControl.h"

namespace qv::report {

// Restarts page numbering where it prints.
class TRpPageNumInit : public TRpReportComponent {
    QV_RP_CLASS(TRpPageNumInit)

public:
    int initValue() const { return m_initValue; }
    void setInitValue(int value) { m_initValue = value; }
    TRpBaseDataView* initDataView() const { return m_initDataView.get(); }
    void setInitDataView(TRpBaseDataView* value) { m_initDataView = value; }
    const std::string& initDataField() const { return m_initDataField; }
    void setInitDataField(std::string value) { m_initDataField = std::move(value); }

protected:
    int m_initValue = 1;
    RpRef<TRpBaseDataView> m_initDataView;
    std::string m_initDataField;
};

// A rectangle that groups controls.
class TRpSection : public TRpControl {
    QV_RP_CLASS(TRpSection)

public:
    bool acceptsChild(const TRpReportComponent& child) const override;
};

// A section that mirrors another according to a data field.
class TRpDataMirrorSection : public TRpSection {
    QV_RP_CLASS(TRpDataMirrorSection)

public:
    TRpBaseDataView* dataView() const { return m_dataView.get(); }
    void setDataView(TRpBaseDataView* value) { m_dataView = value; }
    const std::string& dataField() const { return m_dataField; }
    void setDataField(std::string value) { m_dataField = std::move(value); }

protected:
    RpRef<TRpBaseDataView> m_dataView;
    std::string m_dataField;
};

} // namespace qv::report
