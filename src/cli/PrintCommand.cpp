#include "views/report/ScheduleReport.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LoanReport.h"
#include "report/device/TRPPrinterDevice.h"
#include "runtime/core/Exception.h"
#include "runtime/core/ExePath.h"
#include "runtime/core/Numbers.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace qv::cli {

namespace {

void requirePrinters(TRPPrinterDevice& device)
{
    if (device.Printers().empty())
        throw Exception(noPrinterText(device).shown());
}

int copiesOption(const Options& options)
{
    if (!options.has("--copies"))
        return 1;
    std::string const text = options.value("--copies");
    int copies = 0;
    try {
        copies = parseInteger(text);
    } catch (const EConvertError&) {
        throw UsageError("--copies takes a number of copies, not '" + text + "'");
    }
    if (copies < 1 || copies > 9999)
        throw UsageError("--copies takes a number from 1 to 9999, not '" + text + "'");
    return copies;
}

} // namespace

int runPrinters(const std::vector<std::string>& args)
{
    if (!args.empty())
        throw UsageError("printers takes no arguments");
    TRPPrinterDevice device(platformPrintSystem());
    requirePrinters(device);
    const auto& printers = device.Printers();
    for (size_t i = 0; i < printers.size(); ++i) {
        const TPrinterListEntry& entry = printers[i];
        std::string line = (entry.isDefault ? "* " : "  ") + entry.displayName;
        if (!entry.driver.empty())
            line += "  (" + entry.driver + ")";
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

bool wantsPrint(const std::vector<std::string>& args)
{
    return std::find(args.begin(), args.end(), "--print") != args.end();
}

int runReportPrint(const std::vector<std::string>& args, DataCommunication& data)
{
    std::vector<std::string> rest;
    std::copy_if(args.begin(), args.end(), std::back_inserter(rest), [](const std::string& a) { return a != "--print"; });
    Options const options(rest, {"--printer", "--copies"});
    if (options.positional().size() != 1)
        throw UsageError("report takes one loan file");
    int const copies = copiesOption(options);

    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(options.positional().front(), engine, view);

    TRPPrinterDevice device(platformPrintSystem());
    requirePrinters(device);
    if (options.has("--printer") && !device.SelectPrinter(options.value("--printer")))
        throw Exception("There is no printer \"" + options.value("--printer") + "\".");

    // RvSystem1 without its windows, its destination the printer.
    ReportServices services;
    addPrinterOutput(services, device);
    TRvSystem system(services);
    setUpForDestination(system, TReportDest::rdPrinter);
    system.SystemPrinter.Copies = copies;
    runLoanReport(system, data, engine, view, {});
    if (system.Aborted) {
        std::fputs("report aborted\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace qv::cli
