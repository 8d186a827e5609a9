#include "SnapshotText.h"

#include "report/components/Bands.h"
#include "report/components/Calculations.h"
#include "report/components/TextControls.h"
#include "report/data/TRpDataSystem.h"
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
    MemoryRun()
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
    TRvProject project;
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
    TRvProject project;
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
    TRvProject project;
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
    TRvProject project;
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

TEST(TRvProject, ZeroByteProjectRunsAsOneEmptyPage)
{
    TempDir dir;
    std::ofstream(dir.file("empty.rav")).close();
    TRvProject project;
    MemoryRun run;
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("empty.rav"));
    project.Execute();
    auto texts = test::TextCollector::read(run.snapshot);
    ASSERT_EQ(texts.pages.size(), 1u);
    EXPECT_TRUE(texts.pages[0].empty());
}

TEST(TRvSystem, SetupCancelProducesNothing)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "'x'"); });
    TRvProject project;
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
    TRvProject project;
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
    TRvProject project;
    MemoryRun run;
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("p.rav"));
    project.Execute();
    EXPECT_TRUE(test::TextCollector::read(run.snapshot).has(0, "T 0")) << "the run itself sees its total";
    EXPECT_EQ(project.ProjectManager().param("Total"), "");
}

TEST(TRvProject, BusyDataSystemAsksAndCancelEndsTheRunSilently)
{
    TempDir dir;
    writeProject(dir.file("p.rav"), [](auto& project) { oneTextReport(project, "'x'"); });
    TRpDataSystem otherRun; // another engine of the process holds the lock
    ASSERT_TRUE(otherRun.GainControl(std::chrono::milliseconds(0)));
    std::vector<std::string> asked;
    TRvProject::RetryPrompt() = [&](const std::string& message) {
        asked.push_back(message);
        return false;
    };
    TRvProject project;
    MemoryRun run;
    project.Engine = &run.system;
    project.SetProjectFile(dir.file("p.rav"));
    EXPECT_NO_THROW(project.Execute());
    otherRun.ReleaseControl();
    TRvProject::RetryPrompt() = nullptr;
    EXPECT_EQ(asked, std::vector<std::string> {"Unable to gain control of Report Data Communication System."});
    EXPECT_EQ(run.snapshot.size(), 0);
    EXPECT_EQ(TRpDataSystem::Instance().ControlCount(), 0);
}

} // namespace
} // namespace qv
