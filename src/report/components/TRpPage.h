#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/TRpProjectItem.h"

namespace qv::report {

// A page of a report, or a global page that reports share.
class TRpPage : public TRpProjectItem, public TRpRunInputs {
    QV_RP_CLASS(TRpPage)

public:
    bool acceptsChild(const TRpReportComponent& child) const override;

    QV_RP_VALUE(double, pageWidth, setPageWidth)
    QV_RP_VALUE(double, pageHeight, setPageHeight)
    QV_RP_VALUE(int, paperSize, setPaperSize)
    QV_RP_VALUE(TRpOrientation, orientation, setOrientation)
    QV_RP_VALUE(int, bin, setBin)
    QV_RP_MOVED(std::string, binCustom, setBinCustom)
    QV_RP_VALUE(bool, wasteFit, setWasteFit)
    QV_RP_VALUE(TRpGotoMode, gotoMode, setGotoMode)
    QV_RP_REFERENCE(TRpPage, gotoPage, setGotoPage)
    QV_RP_VALUE(int, gridLines, setGridLines)
    QV_RP_VALUE(double, gridSpacing, setGridSpacing)

protected:
    double m_pageWidth = 8.5;
    double m_pageHeight = 11.0;
    int m_paperSize = -1;
    TRpOrientation m_orientation = poDefault;
    int m_bin = -1;
    std::string m_binCustom;
    bool m_wasteFit = false;
    TRpGotoMode m_gotoMode = gmGotoDone;
    RpRef<TRpPage> m_gotoPage;
    int m_gridLines = 5;
    double m_gridSpacing = 0.1;
};

} // namespace qv::report
