#pragma once

#include "report/components/TRpControl.h"

namespace qv::report {

// An area of a page in which bands are stacked from top to bottom, in one or more columns.
class TRpRegion : public TRpControl {
    QV_RP_CLASS(TRpRegion)

public:
    TRpRegion() { m_width = 3.0; m_height = 3.0; }
    bool acceptsChild(const TRpReportComponent& child) const override;

    QV_RP_VALUE(int, columns, setColumns)
    QV_RP_VALUE(double, columnSpacing, setColumnSpacing)

protected:
    int m_columns = 1;
    double m_columnSpacing = 0.0;
};

} // namespace qv::report
