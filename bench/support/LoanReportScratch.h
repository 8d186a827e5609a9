#pragma once

#include "AmortizationReport.h"
#include "loan/MemoryLoanView.h"
#include "views/report/ScheduleReport.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace qv::bench {

// A calculated 30-year loan and, in a scratch folder of its own, the report project the
// program ships: what a benchmark of the Report command's sequence starts from.
struct LoanReportScratch {
    explicit LoanReportScratch(const std::string& name)
    {
        dir = std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        tools::writeAmortizationProject((dir / "rptQVR1.rav").string());
        engine.calculate({"30", "200000", "6.5", encodeDate(2024, 1, 15)}, view);
        texts = {"200000", "6.5", "30", view.label(ResultLabel::MonthlyPayment), view.label(ResultLabel::TotalInterest),
            view.label(ResultLabel::TotalPayment), view.label(ResultLabel::InterestSaved)};
    }
    ~LoanReportScratch() { std::filesystem::remove_all(dir); }
    LoanReportScratch(const LoanReportScratch&) = delete;
    LoanReportScratch& operator=(const LoanReportScratch&) = delete;

    // The project reads the scratch layout and reports through system.
    void attach(TRvProject& project, TRvSystem& system) const
    {
        project.SetProjectFile((dir / "rptQVR1.rav").string());
        project.Engine = &system;
    }

    std::filesystem::path dir;
    LoanEngine engine;
    MemoryLoanView view;
    ReportFieldTexts texts;
};

} // namespace qv::bench
