#include "SnapshotText.h"

#include "report/components/Bands.h"
#include "report/components/Calculations.h"
#include "report/components/Images.h"
#include "report/components/TextControls.h"
#include "report/data/DataCommunication.h"
#include "report/execution/TRvProject.h"
#include "report/project/ClassRegistry.h"
#include "report/project/ReportErrors.h"
#include "support/ScratchDir.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace qv {
namespace {

namespace fs = std::filesystem;

using TempDir = test::ScratchDir;

// Points the temporary folder somewhere else for one scope.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const fs::path& path)
    {
        if (const char* old = std::getenv("TMPDIR"))
            m_old = old;
        ::setenv("TMPDIR", path.c_str(), 1);
    }
    ~TemporaryFolder()
    {
        if (m_old)
            ::setenv("TMPDIR", m_old->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> m_old;
};

// A headless system that keeps the snapshot in the caller's memory stream.
struct MemoryRun {
    TRvSystem system;
    TMemoryStream snapshot;
    explicit MemoryRun(ReportServices services = {}) : system(std::move(services))
    {
        system.SystemSetups &= ~std::uint32_t(ssAllowSetup);
        system.DefaultDest = TReportDest::rdFile;
        system.NativeOutput = false;
        system.SystemFiler.StreamMode = TStreamMode::smUser;
        system.SystemFiler.Stream = &snapshot;
    }
};

// Temporary snapshot files ("RV" prefix) in the temporary folder.
std::vector<std::string> snapshotFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
        std::string name = entry.path().filename().string();
        if (name.rfind("RV", 0) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void writeProject(const std::string& path, const std::function<void(report::TRpProjectManager&)>& build)
{
    report::registerReportClasses();
    report::TRpProjectManager project;
    project.setName("RpProject");
    build(project);
    auto bytes = project.saveToStream();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void oneTextReport(report::TRpProjectManager& project, const std::string& expression)
{
    auto report = std::make_unique<report::TRpReport>();
    report->setName("Report1");
    auto page = std::make_unique<report::TRpPage>();
    page->setName("Page1");
    auto text = std::make_unique<report::TRpDataText>();
    text->setName("Shown");
    text->setDataField(expression);
    text->setWidth(4.0);
    page->addChild(std::move(text));
    report->setFirstPage(report->addPage(std::move(page)));
    project.activateReport(project.addReport(std::move(report)));
}

TEST(TRvProject, ProjectFileGetsTheExtensionOnlyWithoutAnyDot)
{
    DataCommunication data;
    TRvProject project(data);
    project.SetProjectFile("rptQVR1");
    EXPECT_EQ(project.ProjectFile(), "rptQVR1.rav");
    project.SetProjectFile("/opt/app.d/report");
    EXPECT_EQ(project.ProjectFile(), "/opt/app.d/report");
    project.SetProjectFile("");
    EXPECT_EQ(project.ProjectFile(), "");
}

TEST(TRvProject, OpeningAMissingFileNamesItsFullPathAndStaysInactive)
{
    TempDir dir;
    DataCommunication data;
    TRvProject project(data);
    project.SetProjectFile(dir.file("missing.rav"));
    try {
        project.Open();
        FAIL() << "no error";
    } catch (const report::ERpException& error) {
        EXPECT_EQ(std::string(error.what()), "The following reporting project does not exist:\r\"" + dir.file("missing.rav") + "\"");
    }
    EXPECT_FALSE(project.Active());
    EXPECT_THROW(project.Execute(), report::ERpException);
}

TEST(TRvProject, OpenTwiceLoadsOnceAndCloseKeepsParameters)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "PARAM.Amount"); });
    DataCommunication data;
    TRvProject project(data);
    int opens = 0;
    int closes = 0;
    project.OnBeforeOpen = [&](TRvProject&) { ++opens; };
    project.OnAfterClose = [&](TRvProject&) { ++closes; };
    project.SetProjectFile(dir.file("p.rav"));
    project.Open();
    project.Open();
    EXPECT_EQ(opens, 1);
    project.SetParameter("Amount", "1");
    project.SetParameter("amount", "2");
    EXPECT_EQ(project.ProjectManager().param("Amount"), "2");
    project.Close();
    project.Close();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(project.ProjectManager().param("Amount"), "2");
    project.SetParameter("Amount", "");
    EXPECT_TRUE(project.ProjectManager().params().empty());
}

TEST(TRvProject, ExecuteRunsACopyWithTheParametersAndLeavesTheProjectUntouched)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "'Amount' & PARAM.Amount"); });
    DataCommunication data;
    TRvProject project(data);
    MemoryRun run;
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("p.rav"));
    project.Open();
    project.SetParameter("Amount", "250000");
    project.Execute();
    auto texts = test::TextCollector::read(run.snapshot);
    ASSERT_EQ(texts.pages.size(), 1u);
    EXPECT_TRUE(texts.has(0, "Amount 250000"));
    EXPECT_EQ(texts.pageSizes[0].first, 8.5);
    EXPECT_TRUE(project.Active()) << "Execute leaves the project open";
    EXPECT_EQ(run.system.SystemPrinter.UnitsFactor(), 1.0);
    EXPECT_FALSE(run.system.OnPrint) << "the system's own handlers come back";
}

TEST(TRvProject, EmptyOrFolderProjectIsRefusedAndRunsNothing)
{
    TempDir dir;
    std::ofstream(dir.file("empty.rav")).close();
    std::filesystem::create_directory(dir.file("folder.rav"));
    auto openError = [](TRvProject& project) {
        try {
            project.Open();
        } catch (const report::ERpException& error) {
            return std::string(error.what());
        }
        return std::string("(no error)");
    };
    DataCommunication data;
    TRvProject project(data);
    MemoryRun run;
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("empty.rav"));
    EXPECT_EQ(openError(project), "Invalid Project Format");
    EXPECT_FALSE(project.Active());
    EXPECT_THROW(project.Execute(), report::ERpException);
    EXPECT_EQ(run.snapshot.size(), 0);

    project.SetProjectFile(dir.file("folder.rav"));
    EXPECT_EQ(openError(project), "The following reporting project is a folder, not a file:\r\"" + dir.file("folder.rav") + "\"");
    EXPECT_FALSE(project.Active());
}

TEST(TRvSystem, SetupCancelProducesNothing)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "'x'"); });
    DataCommunication data;
    TRvProject project(data);
    MemoryRun run;
    run.system.SystemSetups |= ssAllowSetup;
    int shown = 0;
    run.system.OverrideSetup = [&](TRvSystem& system, int action, void*&) {
        if (action == 1) {
            ++shown;
            EXPECT_EQ(system.ReportDest, TReportDest::rdFile);
            system.Aborted = true;
        }
    };
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("p.rav"));
    project.Execute();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(run.snapshot.size(), 0);
}

TEST(TRvSystem, SettingsKeepTheirBounds)
{
    TRvSystem system;
    EXPECT_EQ(system.SystemSetups, 511u);
    EXPECT_EQ(system.SystemOptions, 28u);
    system.SystemPreview.SetZoomFactor(5);
    EXPECT_EQ(system.SystemPreview.ZoomFactor(), 10.0);
    system.SystemPreview.SetZoomFactor(250);
    EXPECT_EQ(system.SystemPreview.ZoomFactor(), 200.0);
    system.SystemPrinter.SetUnitsFactor(25.4);
    EXPECT_EQ(system.SystemPrinter.Units(), TPrintUnits::unMM);
    system.SystemPrinter.SetUnitsFactor(3.0);
    EXPECT_EQ(system.SystemPrinter.Units(), TPrintUnits::unUser);
    system.SystemPrinter.SetUnitsFactor(0);
    system.SystemPrinter.SetUnitsFactor(-1);
    EXPECT_EQ(system.SystemPrinter.UnitsFactor(), 3.0);
    system.SystemPrinter.SetTabShade(150);
    EXPECT_EQ(system.SystemPrinter.TabShade(), 100);
    system.SystemPreview.SetShadowDepth(3);
    EXPECT_THROW(system.SystemPreview.SetMonochrome(true), report::ERpException);
}

TEST(TRvSystem, PreviewWithoutAWindowLayerFailsClearly)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "'x'"); });
    DataCommunication data;
    TRvProject project(data);
    TRvSystem system;
    system.SystemSetups = 0;
    project.Engine = &system;
    project.SetProjectFile(dir.file("p.rav"));
    EXPECT_THROW(project.Execute(), report::ERpException);

    // Without an engine a temporary system keeps its snapshot in a temporary file, which
    // goes even when delivery fails. A private temporary folder keeps other programs'
    // files out of the count.
    TempDir temporary("qv-exec-tmp");
    TemporaryFolder redirected(temporary.path());
    project.Engine = nullptr;
    EXPECT_THROW(project.Execute(), report::ERpException);
    EXPECT_TRUE(snapshotFiles().empty());
}

// The run lays its pages out for where they go: the preview gets its preview-only
// controls, a printer or file destination its printer-only ones.
TEST(TRvSystem, DisplayOnFollowsTheChosenDestination)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) {
        oneTextReport(project, "'always'");
        auto* page = project.reports().front()->pages().front().get();
        for (auto [name, where] : {std::pair {"ScreenOnly", report::doPreviewOnly}, std::pair {"PaperOnly", report::doPrinterOnly}}) {
            auto text = std::make_unique<report::TRpText>();
            text->setName(name);
            text->setText(name);
            text->setDisplayOn(where);
            page->addChild(std::move(text));
        }
    });
    DataCommunication data;
    TRvProject project(data);
    project.SetProjectFile(dir.file("p.rav"));

    MemoryRun toFile;
    project.Engine = &toFile.system;
    project.Execute();
    auto filed = test::TextCollector::read(toFile.snapshot);
    EXPECT_TRUE(filed.has(0, "PaperOnly"));
    EXPECT_FALSE(filed.has(0, "ScreenOnly"));

    std::optional<test::TextCollector> previewed;
    ReportServices services;
    services.preview = [&](TRvSystem&, TStream& snapshot) { previewed = test::TextCollector::read(snapshot); };
    TRvSystem previewing(services);
    previewing.SystemSetups = 0;
    project.Engine = &previewing;
    project.Execute();
    ASSERT_TRUE(previewed);
    EXPECT_TRUE(previewed->has(0, "ScreenOnly"));
    EXPECT_FALSE(previewed->has(0, "PaperOnly"));
    EXPECT_TRUE(previewed->has(0, "always"));
}

// Generation hands the printer's and filer's settings to the page writer, fires the
// page events, and leaves the writer's last status line on the system.
TEST(TRvSystem, WriterTakesTheSettingsAndFiresThePageEvents)
{
    std::vector<std::string> statuses;
    ReportServices services;
    services.statusText = [&](TRvSystem&, const std::string& status) { statuses.push_back(status); };
    MemoryRun run(services);
    TRvSystem& system = run.system;
    system.SystemPrinter.ScaleX = 50;
    system.SystemPrinter.ScaleY = 200;
    system.SystemPrinter.MarginLeft = 0.75;
    system.SystemPrinter.LineHeightMethod = TLineHeightMethod::lhmLinesPerInch;
    system.SystemPrinter.LinesPerInch = 4;
    system.SystemPrinter.TextBKMode = TBKMode::bkOpaque;
    system.SystemPrinter.SetTabShade(30);
    system.SystemPrinter.SetUnitsFactor(3.0);
    system.SystemFiler.StatusFormat = "%0: page %p of %l on %d%%";
    system.SystemFiler.StatusText = {"Schedule"};
    std::vector<std::string> events;
    auto record = [&](const char* name) { return [&events, name](TBaseReport&) { events.push_back(name); }; };
    system.OnNewPage = record("new page");
    system.OnPrintHeader = record("header");
    system.OnPrintFooter = record("footer");
    system.OnBeforePrint = [&](TBaseReport& writer) {
        EXPECT_DOUBLE_EQ(writer.MarginLeft, 0.75);
        EXPECT_EQ(writer.LineHeightMethod, TLineHeightMethod::lhmLinesPerInch);
        EXPECT_DOUBLE_EQ(writer.LinesPerInch, 4);
        EXPECT_EQ(writer.TabShade, 30);
        EXPECT_EQ(writer.Units, TPrintUnits::unUser);
        EXPECT_DOUBLE_EQ(writer.UnitsFactor, 3.0);
    };
    system.OnPrintPage = [&](TBaseReport& writer, int page) {
        writer.PrintLeft("Page" + std::to_string(page), 2.0, 1.0);
        return page < 2;
    };
    system.Execute();

    EXPECT_EQ(events, (std::vector<std::string> {"header", "footer", "new page", "header", "footer"}));
    EXPECT_EQ(statuses, (std::vector<std::string> {"Schedule: page 1 of 9999 on Render%", "Schedule: page 2 of 9999 on Render%"}));
    EXPECT_EQ(system.StatusText, "Schedule: page 2 of 9999 on Render%");
    auto texts = test::TextCollector::read(run.snapshot);
    ASSERT_EQ(texts.pages.size(), 2u);
    ASSERT_EQ(texts.pages[1].size(), 1u);
    EXPECT_NEAR(texts.pages[1][0].x, 1.0, 1e-4) << "scaled by ScaleX";
    EXPECT_NEAR(texts.pages[1][0].y, 2.0, 1e-4) << "scaled by ScaleY";
}

TEST(TRvSystem, StatusFormatSequences)
{
    snapshot::TRvStatusValues values;
    values.lines = {"one", "%p"};
    values.page = 3;
    values.names = {"Preview", "Preview", "Screen"};
    EXPECT_EQ(snapshot::formatStatus("%P/%l %q %% %0|%1|%5 %D %R %T%n%C of %S %", values),
        "3/9999 <ERROR-%Q> % one|%p| Preview Preview Screen\r1 of 1 %");
}

// Window overrides stand in for the status and preview windows; pictures the snapshot
// cannot carry go to OnDecodeImage; a project drops its engine when that system goes;
// OnCreate fires once the form is read.
TEST(TRvSystem, OverridesEngineLifetimeAndOnCreate)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) {
        oneTextReport(project, "'shown'");
        auto picture = std::make_unique<report::TRpBitmap>();
        picture->setName("Logo");
        picture->image().setData({'G', 'I', 'F'});
        project.reports().front()->pages().front()->addChild(std::move(picture));
    });
    DataCommunication data;
    TRvProject project(data);
    int created = 0;
    project.OnCreate = [&](TRvProject&) { ++created; };
    project.Loaded();
    EXPECT_EQ(created, 1);
    project.SetProjectFile(dir.file("p.rav"));

    std::vector<int> statusActions;
    std::vector<int> previewActions;
    bool previewed = false;
    {
        TRvSystem system;
        system.SystemSetups = 0;
        system.OverrideStatus = [&](TRvSystem&, int action, void*& window) {
            statusActions.push_back(action);
            if (action == TRvSystem::oaCreate)
                window = &statusActions;
            EXPECT_EQ(window, &statusActions);
        };
        system.OverridePreview = [&](TRvSystem& shown, int action, void*&) {
            previewActions.push_back(action);
            if (action == TRvSystem::oaShow && shown.Snapshot())
                previewed = test::TextCollector::read(*shown.Snapshot()).has(0, "shown");
        };
        int decoded = 0;
        system.OnDecodeImage = [&](TRvSystem&, const std::vector<std::uint8_t>& picture, std::vector<std::uint8_t>&) {
            decoded += picture.size() == 3 ? 1 : 100;
            return false;
        };
        project.Engine = &system;
        project.Execute();
        EXPECT_EQ(project.Engine.get(), &system);
        EXPECT_EQ(decoded, 1) << "the picture the snapshot cannot carry is offered once";
    }
    EXPECT_EQ(statusActions, (std::vector<int> {0, 1, 3}));
    EXPECT_EQ(previewActions, (std::vector<int> {0, 1, 2, 3}));
    EXPECT_TRUE(previewed);
    EXPECT_FALSE(project.Engine) << "the destroyed system is no longer the engine";
    EXPECT_EQ(project.Engine.get(), nullptr);
}

TEST(TRvProject, ChangesDuringARunStayInTheExecutionCopy)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) {
        oneTextReport(project, "'x'");
        auto total = std::make_unique<report::TRpCalcTotal>();
        total->setName("Total1");
        total->setDestParam("Total");
        total->setCalcType(report::ctCount);
        auto* page = project.reports().front()->pages().front().get();
        ASSERT_NE(page->addChild(std::move(total)), nullptr);
        auto shown = std::make_unique<report::TRpDataText>();
        shown->setName("ShowTotal");
        shown->setDataField("'T' & PARAM.Total");
        shown->setTop(1.0);
        page->addChild(std::move(shown));
    });
    DataCommunication data;
    TRvProject project(data);
    MemoryRun run;
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("p.rav"));
    project.Execute();
    EXPECT_TRUE(test::TextCollector::read(run.snapshot).has(0, "T 0")) << "the run itself sees its total";
    EXPECT_EQ(project.ProjectManager().param("Total"), "");
}

// Runs a one-text project into run while another engine of the process holds the data
// system, the services answering the retry question with Cancel; the questions asked.
std::vector<std::string> runWhileDataSystemBusy(DataCommunication& data, ReportServices services, MemoryRun& run)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "'x'"); });
    TRpDataSystem otherRun(data.connections()); // another engine of the program holds the lock
    EXPECT_TRUE(otherRun.GainControl(std::chrono::milliseconds(0), databuffer::Reach::Process));
    std::vector<std::string> asked;
    services.retryPrompt = [&](const std::string& message) {
        asked.push_back(message);
        return false;
    };
    TRvProject project(data, services);
    project.DataControlTimeout = std::chrono::milliseconds(20);
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("p.rav"));
    EXPECT_NO_THROW(project.Execute());
    otherRun.ReleaseControl();
    return asked;
}

TEST(TRvProject, BusyDataSystemAsksAndCancelEndsTheRunSilently)
{
    DataCommunication data;
    MemoryRun run;
    EXPECT_EQ(runWhileDataSystemBusy(data, {}, run),
        std::vector<std::string> {"Unable to gain control of Report Data Communication System."});
    EXPECT_EQ(run.snapshot.size(), 0);
    EXPECT_TRUE(run.system.Aborted) << "a run that produced nothing is not a finished one";
    EXPECT_EQ(data.system().ControlCount(), 0);
}

// What a run lets out to a user passes through the translator of the report system
// that ran it, the pattern before its value; a system without one says it as written.
TEST(TRvSystem, ErrorsItLetsOutPassThroughItsOwnTranslator)
{
    ReportServices brackets;
    brackets.translate = [](const std::string& text) { return "<" + text + ">"; };
    auto failure = [](TRvSystem& system) -> std::string {
        try {
            system.Execute();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "(no error)";
    };
    for (ReportServices services : {brackets, ReportServices {}}) {
        bool const translated = bool(services.translate);
        SCOPED_TRACE(translated ? "translated" : "as written");
        MemoryRun unbound(services);
        unbound.system.SystemFiler.Stream = nullptr;
        std::string const missing = "StreamMode is smUser but Stream is nil";
        EXPECT_EQ(failure(unbound.system), translated ? "<" + missing + ">" : missing);

        MemoryRun slot(services);
        slot.system.OnPrint = [](TBaseReport& writer) { writer.ReuseGraphic(0); };
        EXPECT_EQ(failure(slot.system), translated ? "<ReuseGraphic: Index must be between 1 and 10>"
                                                   : "ReuseGraphic: Index must be between 1 and 10");
    }
}

TEST(TRvProject, ErrorsAndTheRetryQuestionPassThroughItsOwnTranslator)
{
    TempDir dir;
    ReportServices services;
    services.translate = [](const std::string& text) { return "<" + text + ">"; };
    DataCommunication data;
    TRvProject project(data, services);
    project.SetProjectFile(dir.file("missing.rav"));
    try {
        project.Execute();
        FAIL() << "no error";
    } catch (const report::ERpException& error) {
        EXPECT_EQ(std::string(error.what()),
            "<The following reporting project does not exist:\r\"" + dir.file("missing.rav") + "\">");
    }

    MemoryRun run;
    EXPECT_EQ(runWhileDataSystemBusy(data, services, run),
        std::vector<std::string> {"<Unable to gain control of Report Data Communication System.>"});
}

TEST(TRvProject, RunServedInsideTheProcessNeverWaitsForOtherProcesses)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "'x'"); });
    DataCommunication otherProgram; // holds the user-wide lock, as another program's run would
    TRpDataSystem& otherProcess = otherProgram.system();
    ASSERT_TRUE(otherProcess.GainControl(std::chrono::milliseconds(0)));
    DataCommunication data;
    std::vector<std::string> asked;
    ReportServices services;
    services.retryPrompt = [&](const std::string& message) {
        asked.push_back(message);
        return false;
    };
    TRvProject project(data, services);
    project.DataControlTimeout = std::chrono::milliseconds(20);
    MemoryRun run;
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("p.rav"));
    project.Execute();
    otherProcess.ReleaseControl();
    EXPECT_EQ(asked, std::vector<std::string> {});
    EXPECT_FALSE(run.system.Aborted);
    EXPECT_TRUE(test::TextCollector::read(run.snapshot).has(0, "x"));
    EXPECT_EQ(data.system().ControlCount(), 0);
}

} // namespace
} // namespace qv
