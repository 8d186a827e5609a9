#pragma once

#include "loan/ScheduleGrid.h"
#include "runtime/core/DateTime.h"

#include <string>

namespace qv {

enum class ResultLabel { MonthlyPayment, TotalInterest, TotalPayment, InterestSaved };

// The parts of the main window that Calculate, Open and a re-amortization write to.
class LoanView {
public:
    virtual ~LoanView() = default;
    virtual ScheduleGrid& grid() = 0;
    virtual void setResultLabel(ResultLabel label, const std::string& text) = 0;
    virtual void setAmountText(const std::string& text) = 0;
    virtual void setRateText(const std::string& text) = 0;
    virtual void setTermText(const std::string& text) = 0;
    virtual void setLoanDate(TDateTime date) = 0;
    // Clear both chart series and run the chart's Draw command over the schedule table.
    virtual void redrawChart() = 0;
    // A plain task-modal message box with the information icon and this caption.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};

} // namespace qv
