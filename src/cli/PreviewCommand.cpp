#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LoanReport.h"
#include "report/device/TRPPrinterDevice.h"
#include "report/device/TRvRenderPDF.h"
#include "report/ui/ReportWindows.h"
#include "runtime/core/Exception.h"
#include "runtime/core/ExePath.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/UiServices.h"
#include "views/report/ScheduleReport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qv::cli {

bool wantsPreview(const std::vector<std::string>& args)
{
    return std::find(args.begin(), args.end(), "--preview") != args.end();
}

// The Report button's run for a loan file: Output Options, Report Status while the pages
// are generated, then the preview, the printer or a file, as chosen.
int runReportPreview(const std::vector<std::string>& args, DataCommunication& data)
{
    std::vector<std::string> rest;
    std::copy_if(args.begin(), args.end(), std::back_inserter(rest), [](const std::string& a) { return a != "--preview"; });
    Options const options(rest, {});
    if (options.positional().size() != 1)
        throw UsageError("report takes one loan file");
    // Without a display the windowing layer would end the process on its own terms.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    bool const display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || (platform && *platform);
    if (!display)
        throw Exception("report --preview shows windows and needs a display");

    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(options.positional().front(), engine, view);

    static int argc = 1;
    static std::string program = executableDirectory(nullptr) + "quorvane-cli";
    static char* argv[] = {program.data(), nullptr};
    UiServices const desktop = desktopUiServices();
    TApplication application(argc, argv, desktop);
    registerPdfExportRenderer();
    TRPPrinterDevice printer(platformPrintSystem());
    ReportServices services;
    addPrinterOutput(services, printer);
    addReportWindows(services, printer, desktop);

    TRvSystem system(services);
    setReportTitles(system);
    runLoanReport(system, data, engine, view, services.message);
    if (system.Aborted) {
        std::fputs("report aborted\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace qv::cli
