#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/HelpAndVersion.h"

#include "report/data/DataCommunication.h"
#include "runtime/core/EndSignals.h"
#include "runtime/core/Exception.h"
#include "runtime/core/RegionalSettings.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* usage =
    "usage:\n"
    "  quorvane-cli --help | --version | COMMAND --help\n"
    "  quorvane-cli schedule --amount TEXT --rate TEXT --term TEXT --date YYYY-MM-DD [--extra MONTH=TEXT]... [--extra-every MONTH=TEXT]... [--rounding classic|bank] [-o FILE]\n"
    "  quorvane-cli show FILE.qvl\n"
    "  quorvane-cli csv FILE.qvl\n"
    "  quorvane-cli chart FILE.qvl -o FILE.png [--size WxH]\n"
    "  quorvane-cli report FILE.qvl -o FILE.ndr|FILE.pdf\n"
    "  quorvane-cli report FILE.qvl --print [--printer NAME] [--copies N]\n"
    "  quorvane-cli report FILE.qvl --preview\n"
    "  quorvane-cli report --connect [--connection NAME] -o FILE.ndr|FILE.pdf\n"
    "  quorvane-cli printers\n"
    "  quorvane-cli skin export DIR\n"
    "  quorvane-cli skin pack DIR -o FILE\n"
    "\n"
    "extra payments of schedule:\n"
    "  --extra MONTH=TEXT        TEXT typed into that month's Extra Payment cell, in the order given\n"
    "  --extra-every MONTH=TEXT  TEXT in every month from MONTH to the end of the loan, as one\n"
    "                            re-amortization; a later one replaces the amounts from its month on,\n"
    "                            and --extra then overrides its one month. Pay 100 more every month\n"
    "                            from the second year on:\n"
    "    quorvane-cli schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 --extra-every 13=100 -o loan.qvl\n"
    "\n"
    "rounding models of schedule (show and csv say which one a loan file uses):\n"
    "  classic  the program's own arithmetic, as every earlier loan file holds it (the default)\n"
    "  bank     exact money, interest rounded half-up to the cent: the bank's payment\n"
    "           162000 at 3.875 % for 30 years: bank 761.78, classic 761.88\n"
    "           100000 at 4 % for 30 years:     bank 477.42, classic 477.18\n"
    "           200000 at 5 % for 30 years:     bank 1073.64, classic 1074.13\n";

int dispatch(const std::string& command, const std::vector<std::string>& args, qv::DataCommunication& data)
{
    if (command == "schedule")
        return qv::cli::runSchedule(args);
    if (command == "show")
        return qv::cli::runShow(args);
    if (command == "csv")
        return qv::cli::runCsv(args);
    if (command == "chart")
        return qv::cli::runChart(args);
    if (command == "report" && std::find(args.begin(), args.end(), "--connect") != args.end())
        return qv::cli::runConnectedReport(args, data);
    if (command == "report" && qv::cli::wantsPreview(args))
        return qv::cli::runReportPreview(args, data);
    if (command == "report" && qv::cli::wantsPrint(args) && std::find(args.begin(), args.end(), "-o") != args.end())
        throw qv::cli::UsageError("--print and -o exclude each other: a report is printed or written to a file");
    if (command == "report")
        return qv::cli::wantsPrint(args) ? qv::cli::runReportPrint(args, data) : qv::cli::runReport(args, data);
    if (command == "printers")
        return qv::cli::runPrinters(args);
    if (command == "skin")
        return qv::cli::runSkin(args);
    throw qv::cli::UsageError("unknown command '" + command + "'");
}

} // namespace

int main(int argc, char** argv)
{
    // A signal ends the program at once, its shared objects and temporary files removed.
    qv::watchEndSignals();
    // Regional settings come from the user's locale; the C library itself keeps
    // "." so that nothing else formats numbers the regional way by accident.
    std::setlocale(LC_ALL, "");
    qv::loadRegionalSettingsFromLocale();
    std::setlocale(LC_NUMERIC, "C");

    if (auto answered = qv::cli::answerHelpOrVersion(std::vector<std::string>(argv + 1, argv + argc), usage))
        return *answered;
    if (argc < 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    std::vector<std::string> const args(argv + 2, argv + argc);
    try {
        qv::DataCommunication data;
        return dispatch(argv[1], args, data);
    } catch (const qv::cli::UsageError& error) {
        std::fprintf(stderr, "quorvane-cli: %s\n%s", error.what(), usage);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
