#pragma once

#include "loan/LoanView.h"
#include "loan/ScheduleGrid.h"

#include <map>
#include <string>

namespace qv {

// The main window's state kept in memory: an in-memory grid, the input texts,
// the result captions and the last message shown (command line, benchmarks, fuzzing).
class MemoryLoanView : public LoanView {
public:
    ScheduleGrid& grid() override { return m_grid; }
    void setResultLabel(ResultLabel label, const std::string& text) override { m_labels[label] = text; }
    void setAmountText(const std::string& text) override { amountText = text; }
    void setRateText(const std::string& text) override { rateText = text; }
    void setTermText(const std::string& text) override { termText = text; }
    void setLoanDate(TDateTime date) override { loanDate = date; }
    void redrawChart() override { }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        message = text;
        messageCaption = caption;
    }

    std::string label(ResultLabel which) const
    {
        auto const it = m_labels.find(which);
        return it == m_labels.end() ? std::string() : it->second;
    }
    const MemoryGrid& memoryGrid() const { return m_grid; }

    std::string amountText;
    std::string rateText;
    std::string termText;
    TDateTime loanDate = 0;
    std::string message;
    std::string messageCaption;

private:
    MemoryGrid m_grid;
    std::map<ResultLabel, std::string> m_labels;
};

} // namespace qv
