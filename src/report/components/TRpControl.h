#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/TRpReportComponent.h"

namespace qv::report {

// A printable control: a rectangle in inches measured from its parent's top-left.
class TRpControl : public TRpReportComponent {
    QV_RP_CLASS(TRpControl)

public:
    double left() const { return m_left; }
    void setLeft(double value) { m_left = value; }
    double top() const { return m_top; }
    void setTop(double value) { m_top = value; }
    double width() const { return m_width; }
    void setWidth(double value) { m_width = value; }
    double height() const { return m_height; }
    void setHeight(double value) { m_height = value; }
    int anchor() const { return m_anchor; }
    void setAnchor(int value) { m_anchor = value; }
    TRpControl* mirror() const { return m_mirror.get(); }
    void setMirror(TRpControl* value) { m_mirror = value; }
    TRpDisplayOn displayOn() const { return m_displayOn; }
    void setDisplayOn(TRpDisplayOn value) { m_displayOn = value; }

protected:
    double m_left = 0.0;
    double m_top = 0.0;
    double m_width = 0.0;
    double m_height = 0.0;
    int m_anchor = 0;
    RpRef<TRpControl> m_mirror;
    TRpDisplayOn m_displayOn = doParent;
};

} // namespace qv::report
