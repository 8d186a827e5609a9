#pragma once

#include <string>
#include <vector>

namespace qv {
class DataCommunication;
}

namespace qv::cli {

// Each subcommand takes the arguments after its name and returns the exit code.
// Errors go to standard error as the exact message text; nothing to standard output.
// The report commands run their reports through the program's data exchange.
int runSchedule(const std::vector<std::string>& args);
int runShow(const std::vector<std::string>& args);
int runCsv(const std::vector<std::string>& args);
int runChart(const std::vector<std::string>& args);
int runReport(const std::vector<std::string>& args, DataCommunication& data);
// Printer output: the printer list, and the report sent to a printer (report ... --print).
int runPrinters(const std::vector<std::string>& args);
bool wantsPrint(const std::vector<std::string>& args);
int runReportPrint(const std::vector<std::string>& args, DataCommunication& data);
// report ... --preview: the Report button's windows (output options, status, preview).
bool wantsPreview(const std::vector<std::string>& args);
int runReportPreview(const std::vector<std::string>& args, DataCommunication& data);
int runSkin(const std::vector<std::string>& args);
// report --connect: the shipped report over the rows of a running Quorvane window.
int runConnectedReport(const std::vector<std::string>& args, DataCommunication& data);

} // namespace qv::cli
