#include "cli/LoanReport.h"

#include "cli/CliSupport.h"
#include "loan/BankRounding.h"
#include "runtime/core/Exception.h"
#include "runtime/core/ExePath.h"
#include "views/report/ScheduleReport.h"

#include <string>

namespace qv::cli {

void runLoanReport(TRvSystem& system, LoanEngine& engine, const MemoryLoanView& view)
{
    TRvProject project;
    project.Engine = &system;
    std::string const projectFile = executableDirectory(nullptr) + "rptQVR1.rav";
    project.SetProjectFile(projectFile);

    ScheduleReport schedule(engine);
    // Only a window offers its schedule to other processes.
    schedule.RvCustomConnection1().SetRuntimeVisibility(TRuntimeVisibility::rtNone);
    ReportFieldTexts texts {view.amountText, view.rateText, view.termText, view.label(ResultLabel::MonthlyPayment),
        view.label(ResultLabel::TotalInterest), view.label(ResultLabel::TotalPayment), view.label(ResultLabel::InterestSaved),
        roundingName(engine.record.rounding)};
    try {
        schedule.runReport(project, texts);
    } catch (const Exception& error) {
        throw Exception(concerning(projectFile, error.message()));
    }
}

} // namespace qv::cli
