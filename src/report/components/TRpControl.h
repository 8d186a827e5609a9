#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/TRpReportComponent.h"

namespace qv::report {

// A printable control: a rectangle in inches measured from its parent's top-left.
class TRpControl : public TRpReportComponent {
    QV_RP_CLASS(TRpControl)

public:
    QV_RP_VALUE(double, left, setLeft)
    QV_RP_VALUE(double, top, setTop)
    QV_RP_VALUE(double, width, setWidth)
    QV_RP_VALUE(double, height, setHeight)
    QV_RP_VALUE(int, anchor, setAnchor)
    QV_RP_REFERENCE(TRpControl, mirror, setMirror)
    QV_RP_VALUE(TRpDisplayOn, displayOn, setDisplayOn)

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
