#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "runtime/core/ExePath.h"
#include "views/report/ScheduleReport.h"

#ifdef QV_REPORT_PDF
#include "report/device/TRvRenderPDF.h"
#endif

#include <cstdio>
#include <filesystem>
#include <string>

namespace qv::cli {
namespace {

bool endsWith(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) != suffix[i])
            return false;
    }
    return true;
}

// RvSystem1 as the main window sets it up, but without windows: the output goes to a
// file, as a snapshot or through the PDF export renderer.
void setUpHeadlessSystem(TRvSystem& system, const std::string& output, const std::string& partFile)
{
    system.TitleSetup = "Output Options";
    system.TitleStatus = "Report Status";
    system.TitlePreview = "Report Preview";
    system.SystemSetups &= ~std::uint32_t(ssAllowSetup);
    system.DefaultDest = TReportDest::rdFile;
    system.OutputFileName = partFile;
    if (endsWith(output, ".ndr")) {
        system.NativeOutput = false;
        return;
    }
#ifdef QV_REPORT_PDF
    registerPdfExportRenderer();
    system.ExportRenderer = TRvRenderPDF::displayName;
#else
    throw UsageError("this build has no PDF output");
#endif
}

} // namespace

int runReport(const std::vector<std::string>& args)
{
    Options const options(args, {"-o"});
    if (options.positional().size() != 1)
        throw UsageError("report takes one loan file");
    std::string const output = options.value("-o");
    if (!endsWith(output, ".ndr") && !endsWith(output, ".pdf"))
        throw UsageError("report writes a .ndr or .pdf file, not '" + output + "'");

    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(options.positional().front(), engine, view);

    std::string const partFile = output + ".part";
    TRvSystem system;
    setUpHeadlessSystem(system, output, partFile);
    TRvProject project;
    project.Engine = &system;
    project.SetProjectFile(executableDirectory(nullptr) + "rptQVR1.rav");

    ScheduleReport schedule(engine);
    ReportFieldTexts texts {view.amountText, view.rateText, view.termText, view.label(ResultLabel::MonthlyPayment),
        view.label(ResultLabel::TotalInterest), view.label(ResultLabel::TotalPayment), view.label(ResultLabel::InterestSaved)};
    try {
        schedule.runReport(project, texts);
    } catch (...) {
        std::remove(partFile.c_str());
        throw;
    }
    if (system.Aborted) {
        std::remove(partFile.c_str());
        std::fputs("report aborted\n", stderr);
        return 1;
    }
    std::error_code error;
    std::filesystem::rename(partFile, output, error);
    if (error) {
        std::remove(partFile.c_str());
        std::fprintf(stderr, "Cannot write file \"%s\"\n", output.c_str());
        return 1;
    }
    return 0;
}

} // namespace qv::cli
