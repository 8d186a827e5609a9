#pragma once

#include "report/components/TRpControl.h"

namespace qv::report {

// An area of a page in which bands are stacked from top to bottom, in one or more columns.
class TRpRegion : public TRpControl {
    QV_RP_CLASS(TRpRegion)

public:
    TRpRegion() { m_width = 3.0; m_height = 3.0; }
    bool acceptsChild(const TRpReportComponent& child) const override;

    int columns() const { return m_columns; }
    void setColumns(int value) { m_columns = value; }
    double columnSpacing() const { return m_columnSpacing; }
    void setColumnSpacing(double value) { m_columnSpacing = value; }

protected:
    int m_columns = 1;
    double m_columnSpacing = 0.0;
};

} // namespace qv::report
