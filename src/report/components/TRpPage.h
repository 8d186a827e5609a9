#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/TRpProjectItem.h"

namespace qv::report {

// A page of a report, or a global page that reports share.
class TRpPage : public TRpProjectItem, public TRpRunInputs {
    QV_RP_CLASS(TRpPage)

public:
    bool acceptsChild(const TRpReportComponent& child) const override;

    double pageWidth() const { return m_pageWidth; }
    void setPageWidth(double value) { m_pageWidth = value; }
    double pageHeight() const { return m_pageHeight; }
    void setPageHeight(double value) { m_pageHeight = value; }
    int paperSize() const { return m_paperSize; }
    void setPaperSize(int value) { m_paperSize = value; }
    TRpOrientation orientation() const { return m_orientation; }
    void setOrientation(TRpOrientation value) { m_orientation = value; }
    int bin() const { return m_bin; }
    void setBin(int value) { m_bin = value; }
    const std::string& binCustom() const { return m_binCustom; }
    void setBinCustom(std::string value) { m_binCustom = std::move(value); }
    bool wasteFit() const { return m_wasteFit; }
    void setWasteFit(bool value) { m_wasteFit = value; }
    TRpGotoMode gotoMode() const { return m_gotoMode; }
    void setGotoMode(TRpGotoMode value) { m_gotoMode = value; }
    TRpPage* gotoPage() const { return m_gotoPage.get(); }
    void setGotoPage(TRpPage* value) { m_gotoPage = value; }
    int gridLines() const { return m_gridLines; }
    void setGridLines(int value) { m_gridLines = value; }
    double gridSpacing() const { return m_gridSpacing; }
    void setGridSpacing(double value) { m_gridSpacing = value; }

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
