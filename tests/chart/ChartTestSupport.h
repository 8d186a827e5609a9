#pragma once

#include "loan/LoanEngine.h"
#include "loan/LoanView.h"
#include "runtime/core/DateTime.h"
#include "runtime/graphics/Bitmap.h"
#include "views/chart/ChartPage.h"

#include <string>

namespace qv::test {

// The window parts a Calculate writes to, kept in memory.
class QuietView : public LoanView {
public:
    ScheduleGrid& grid() override { return m_grid; }
    void setResultLabel(ResultLabel, const std::string&) override {}
    void setAmountText(const std::string&) override {}
    void setRateText(const std::string&) override {}
    void setTermText(const std::string&) override {}
    void setLoanDate(TDateTime) override {}
    void redrawChart() override {}
    void showMessage(const std::string&, const std::string&) override {}

private:
    MemoryGrid m_grid;
};

inline LoanEngine calculatedLoan(const std::string& amount, const std::string& rate, const std::string& term)
{
    LoanEngine engine;
    QuietView view;
    engine.calculate(CalculateInput{term, amount, rate, encodeDate(2024, 3, 15)}, view);
    return engine;
}

inline int countColor(const Bitmap& b, TColor color, const TRect& area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += b.pixel(x, y) == color;
    return n;
}

inline bool samePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace qv::test
