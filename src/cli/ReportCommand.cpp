#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LoanReport.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/Stream.h"
#include "runtime/core/ExePath.h"
#include "views/report/ScheduleReport.h"

#ifdef QV_REPORT_PDF
#include "report/device/TRvRenderPDF.h"
#include "runtime/core/Text.h"
#endif

#include <cstdio>
#include <string>

namespace qv::cli {
namespace {

// RvSystem1 as the main window sets it up, but without windows: the pages go to a
// snapshot in memory, and only a run that worked reaches the output file.
void setUpHeadlessSystem(TRvSystem& system, TMemoryStream& snapshot)
{
    setUpForDestination(system, TReportDest::rdFile);
    system.NativeOutput = false;
    system.SystemFiler.StreamMode = TStreamMode::smUser;
    system.SystemFiler.Stream = &snapshot;
}

// Messages the engine shows without stopping (an unknown class, a data connection it
// cannot open) go to standard error and make the run a failure.
class EngineMessages {
public:
    EngineMessages() = default;
    EngineMessages(const EngineMessages&) = delete;
    EngineMessages& operator=(const EngineMessages&) = delete;
    report::MessageSink sink()
    {
        return [this](const std::string& text) {
            std::fprintf(stderr, "%s\n", text.c_str());
            ++m_count;
        };
    }
    int count() const { return m_count; }

private:
    int m_count = 0;
};

void writeReport(const std::string& output, TMemoryStream& snapshot)
{
    if (endsWithText(output, ".ndr")) {
        auto const& bytes = snapshot.bytes();
        writeOutput(output, std::string(bytes.begin(), bytes.end()));
        return;
    }
#ifdef QV_REPORT_PDF
    try {
        TRvRenderPDF().PrintRender(snapshot, output);
    } catch (const Exception& error) {
        throw Exception(concerning(output, error.message()));
    }
#endif
}

} // namespace

int runReport(const std::vector<std::string>& args, DataCommunication& data)
{
    Options const options(args, {"-o"});
    if (options.positional().size() != 1)
        throw UsageError("report takes one loan file");
    std::string const output = options.value("-o");
    if (!endsWithText(output, ".ndr") && !endsWithText(output, ".pdf"))
        throw UsageError("report writes a .ndr or .pdf file, not '" + output + "'");
#ifndef QV_REPORT_PDF
    if (endsWithText(output, ".pdf"))
        throw UsageError("this build has no PDF output");
#endif

    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(options.positional().front(), engine, view);

    TMemoryStream snapshot;
    TRvSystem system;
    setUpHeadlessSystem(system, snapshot);
    EngineMessages messages;
    runLoanReport(system, data, engine, view, messages.sink());
    if (messages.count() > 0 || system.Aborted) {
        std::fputs("report aborted\n", stderr);
        return 1;
    }
    writeReport(output, snapshot);
    return 0;
}

} // namespace qv::cli
