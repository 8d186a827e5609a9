#include "cli/LoanReport.h"

#include "cli/CliSupport.h"
#include "loan/BankRounding.h"
#include "runtime/core/Exception.h"
#include "report/project/ReportErrors.h"
#include "runtime/core/ExePath.h"
#include "views/report/ScheduleReport.h"

#include <functional>
#include <string>

namespace qv::cli {

void setReportTitles(TRvSystem& system)
{
    system.TitleSetup = "Output Options";
    system.TitleStatus = "Report Status";
    system.TitlePreview = "Report Preview";
}

void setUpForDestination(TRvSystem& system, TReportDest destination)
{
    setReportTitles(system);
    system.SystemSetups &= ~std::uint32_t(ssAllowSetup);
    system.DefaultDest = destination;
}

void runLoanReport(TRvSystem& system, DataCommunication& data, LoanEngine& engine, const MemoryLoanView& view,
                   const report::MessageSink& messages)
{
    // Served inside this process, the run waits for no other; should it still not get
    // control, it says so and the caller keeps the old output.
    ReportServices services;
    services.message = messages;
    services.retryPrompt = [messages](const std::string& message) {
        report::showMessage(messages, message);
        return false;
    };
    TRvProject project(data, services);
    project.Engine = &system;
    std::string const projectFile = executableDirectory(nullptr) + "rptQVR1.rav";
    project.SetProjectFile(projectFile);

    // Only a window offers its schedule to other processes.
    ScheduleReport schedule(engine, data.connections(), TRuntimeVisibility::rtNone);
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
