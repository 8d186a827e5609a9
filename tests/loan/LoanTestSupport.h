#pragma once

#include "loan/LoanEngine.h"
#include "runtime/core/Exception.h"
#include "runtime/core/RegionalSettings.h"

#include <map>
#include <string>
#include <vector>

namespace qv::test {

// Records everything the engine does to the window.
class RecordingView : public LoanView {
public:
    ScheduleGrid& grid() override { return m_grid; }
    void setResultLabel(ResultLabel label, const std::string& text) override { labels[label] = text; }
    void setAmountText(const std::string& text) override { amountText = text; }
    void setRateText(const std::string& text) override { rateText = text; }
    void setTermText(const std::string& text) override { termText = text; }
    void setLoanDate(TDateTime date) override { loanDate = date; }
    void redrawChart() override { ++chartRedraws; }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.push_back(caption + ": " + text);
    }

    std::string cell(int col, int row) const { return m_grid.cellText(col, row); }
    int rowCount() const { return m_grid.rowCount(); }

    std::map<ResultLabel, std::string> labels;
    std::string amountText;
    std::string rateText;
    std::string termText;
    TDateTime loanDate = 0;
    int chartRedraws = 0;
    std::vector<std::string> messages;

private:
    MemoryGrid m_grid;
};

inline CalculateInput input(const std::string& amount, const std::string& rate, const std::string& term,
    TDateTime date)
{
    CalculateInput in;
    in.amountText = amount;
    in.rateText = rate;
    in.termText = term;
    in.loanDate = date;
    return in;
}

// Select the Extra Payment cell, type, and press Enter as the window does.
inline void typeExtra(LoanEngine& engine, RecordingView& view, int month, const std::string& text)
{
    engine.selectCell(LoanEngine::extraColumn, month, view);
    view.grid().setCellText(LoanEngine::extraColumn, month, text);
    engine.selectCell(LoanEngine::extraColumn + 1, month, view);
}

template<typename Fn>
std::string errorText(Fn fn)
{
    try {
        fn();
    } catch (const Exception& e) {
        return e.message();
    }
    return "(no error)";
}

} // namespace qv::test
