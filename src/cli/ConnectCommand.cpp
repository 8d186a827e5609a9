#include "views/report/ScheduleReport.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "report/data/DataCommunication.h"
#include "cli/LoanReport.h"
#include "report/data/TRpDataViewLink.h"
#include "report/project/ReportErrors.h"
#include "runtime/core/ExePath.h"

#ifdef QV_REPORT_PDF
#include "report/device/TRvRenderPDF.h"
#include "runtime/core/Text.h"
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

constexpr const char* kScheduleConnection = "RvCustomConnection1";
constexpr auto kControlWait = std::chrono::milliseconds(5000);

// Messages of the report engine, kept so the command can say what went wrong in one place.
class MessageLog {
public:
    MessageLog() = default;
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    report::MessageSink sink()
    {
        return [this](const std::string& text) { m_messages.push_back(text); };
    }
    void printAll() const
    {
        for (const std::string& text : m_messages)
            std::fprintf(stderr, "%s\n", text.c_str());
    }
    bool mentions(const std::string& part) const
    {
        return std::any_of(m_messages.begin(), m_messages.end(),
            [&](const std::string& text) { return text.find(part) != std::string::npos; });
    }

private:
    std::vector<std::string> m_messages;
};

// The parameter texts as the window shows them now. False (with a message) when
// no window answers.
bool readWindowParameters(TRpDataSystem& data, ReportFieldTexts& texts, const report::MessageSink& messages)
{
    if (!data.GainControl(kControlWait))
        throw Exception("Unable to gain control of Report Data Communication System.");
    struct Release {
        TRpDataSystem& data;
        ~Release() { data.ReleaseControl(); }
    } release {data};

    TRpDataViewLink view(data);
    view.ConnectionName = kParametersConnectionName;
    view.Messages = messages;
    for (const ReportParameter& parameter : reportParameters)
        view.Fields.push_back({parameter.name, TRPDataType::dtString, "", -1});
    if (!view.Open())
        return false;
    view.First();
    if (!view.Eof()) {
        for (size_t i = 0; i < std::size(reportParameters); ++i)
            texts.*reportParameters[i].text = view.FieldText(view.Fields[i]);
    }
    view.Close();
    return true;
}

void setUpFileOutput(TRvSystem& system, const std::string& output, const std::string& partFile)
{
    setUpForDestination(system, TReportDest::rdFile);
    system.OutputFileName = partFile;
    if (endsWithText(output, ".ndr")) {
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

int runConnectedReport(const std::vector<std::string>& args, DataCommunication& data)
{
    std::vector<std::string> rest;
    std::copy_if(args.begin(), args.end(), std::back_inserter(rest), [](const std::string& a) { return a != "--connect"; });
    Options const options(rest, {"-o", "--connection"});
    if (!options.positional().empty())
        throw UsageError("report --connect takes no loan file");
    std::string const output = options.value("-o");
    if (!endsWithText(output, ".ndr") && !endsWithText(output, ".pdf"))
        throw UsageError("report writes a .ndr or .pdf file, not '" + output + "'");
    std::string const connection = options.has("--connection") ? options.value("--connection") : kScheduleConnection;

    TRpDataSystem& dataSystem = data.system();
    // The window offers its connections to report developers, which this command is one of.
    dataSystem.DeveloperMode = true;
    dataSystem.RemoteName = [connection](const std::string& name) {
        return name == kScheduleConnection ? connection : name;
    };

    MessageLog messages;
    ReportFieldTexts texts;
    if (!readWindowParameters(dataSystem, texts, messages.sink())) {
        if (messages.mentions("Duplicate"))
            messages.printAll();
        else
            std::fputs("No Quorvane window is running: no program offers its report data.\n", stderr);
        return 1;
    }

    std::string const partFile = output + ".part";
    TRvSystem system;
    setUpFileOutput(system, output, partFile);
    bool busy = false;
    ReportServices services;
    services.message = messages.sink();
    services.retryPrompt = [&busy](const std::string& message) {
        std::fprintf(stderr, "%s\n", message.c_str());
        busy = true;
        return false;
    };
    TRvProject project(data, services);
    project.Engine = &system;
    project.SetProjectFile(executableDirectory(nullptr) + "rptQVR1.rav");

    try {
        project.Open();
        for (const ReportParameter& parameter : reportParameters)
            project.SetParameter(parameter.name, texts.*parameter.text);
        project.Execute();
        project.Close();
    } catch (...) {
        std::remove(partFile.c_str());
        messages.printAll();
        throw;
    }
    messages.printAll();
    if (busy || system.Aborted) {
        std::remove(partFile.c_str());
        if (!busy)
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
