#include "report/execution/TRvProject.h"

#include "report/components/RpPersistent.h"
#include "report/execution/ConnectionRowSource.h"
#include "report/execution/TReportPrinter.h"
#include "report/layout/ReportLayout.h"
#include "report/project/ReportErrors.h"

#include <chrono>
#include <filesystem>

namespace qv {

namespace {

using namespace report;

const ReportText busyDataSystem{"Unable to gain control of Report Data Communication System.", std::nullopt};

class ProjectParameters : public ParameterStore {
public:
    explicit ProjectParameters(TRpProjectManager& project) : m_project(project) { }
    std::string get(std::string_view name) const override { return m_project.param(name); }
    void set(const std::string& name, const std::string& value) override { m_project.setParam(name, value); }

private:
    TRpProjectManager& m_project;
};

std::unique_ptr<RowSource> connectionRows(const TRpBaseDataView& view, TRpDataSystem& system, const MessageSink& messages)
{
    auto* dataView = dynamic_cast<const TRpDataView*>(&view);
    if (!dataView)
        return nullptr;
    return std::make_unique<ConnectionRowSource>(const_cast<TRpDataView&>(*dataView), system, messages);
}

const TRpPage* firstPageOf(const TRpReport& report)
{
    if (!report.pageList().empty() && report.pageList().front())
        return report.pageList().front().get();
    if (report.firstPage())
        return report.firstPage();
    return report.pages().empty() ? nullptr : report.pages().front().get();
}

// The report's printer, collate, duplex, resolution and copies, and its first page's
// paper, orientation and bin reach the printer device's settings record.
void applyDeviceSettings(TReportPrinter* printer, const TRpReport& report, const TRpPage* page, TBaseReport& writer)
{
    if (!printer)
        return;
    if (!report.printer().empty())
        printer->SelectPrinter(report.printer());
    if (printer->InvalidPrinter())
        return;
    PrinterSettings settings = printer->Settings();
    if (report.collate() != pcDefault)
        settings.collate = report.collate() == pcTrue;
    if (report.duplex() != pdDefault) {
        settings.duplex = report.duplex() == pdSimplex ? PrinterSettings::simplex
            : report.duplex() == pdVertical              ? PrinterSettings::longEdge
                                                         : PrinterSettings::shortEdge;
    }
    if (report.resolution() != prDefault)
        settings.quality = -1 - int(report.resolution());
    if (report.copies() > 0)
        settings.copies = report.copies();
    if (page) {
        if (page->paperSize() == PrinterSettings::customPaper) {
            settings.paperSize = PrinterSettings::customPaper;
            settings.customWidth = int(page->pageWidth() * 254.0 + 0.5);
            settings.customLength = int(page->pageHeight() * 254.0 + 0.5);
        } else if (page->paperSize() != -1) {
            settings.paperSize = page->paperSize();
        }
        if (page->orientation() != poDefault)
            settings.orientation = page->orientation() == poLandScape ? PrinterSettings::landscape : PrinterSettings::portrait;
        if (page->bin() > 0)
            settings.bin = page->bin();
    }
    printer->SetSettings(settings);
    if (auto* ndr = dynamic_cast<TRvNDRWriter*>(&writer)) {
        TRvPaperInfo paper = printer->PaperInfo();
        paper.copies = ndr->Paper.copies;
        paper.collate = settings.collate;
        ndr->Paper = paper;
    }
}

// The report's own printer settings, applied before generation starts.
void applyPrinterSettings(TReportPrinter* printer, const TRpReport& report, TBaseReport& writer)
{
    applyDeviceSettings(printer, report, firstPageOf(report), writer);
    if (report.copies() > 0)
        writer.Copies = report.copies();
    const TRpPage* page = firstPageOf(report);
    if (!page)
        return;
    if (page->orientation() != poDefault)
        writer.Orientation = page->orientation() == poPortrait ? TOrientation::poPortrait : TOrientation::poLandScape;
    if (auto* ndr = dynamic_cast<TRvNDRWriter*>(&writer)) {
        ndr->Paper.paperWidth = page->pageWidth();
        ndr->Paper.paperHeight = page->pageHeight();
    }
}

std::vector<const TRpBaseDataView*> dataViewsOf(const TRpProjectManager& project)
{
    std::vector<const TRpBaseDataView*> views;
    for (const auto& object : project.dataObjects()) {
        if (auto* view = dynamic_cast<const TRpBaseDataView*>(object.get()))
            views.push_back(view);
    }
    return views;
}

// A run whose every data view is served by a connection of this process needs nothing
// another process can reach; any other view may talk to another process.
databuffer::Reach dataReachOf(const TRpProjectManager& project, const TDataConnectManager& connections)
{
    for (const TRpBaseDataView* view : dataViewsOf(project)) {
        auto* dataView = dynamic_cast<const TRpDataView*>(view);
        if (dataView && !connections.Find(dataView->connectionName()))
            return databuffer::Reach::Machine;
    }
    return databuffer::Reach::Process;
}

std::vector<const TRpPage*> globalPagesOf(const TRpProjectManager& project)
{
    std::vector<const TRpPage*> pages;
    for (const auto& page : project.globalPages())
        pages.push_back(page.get());
    return pages;
}

TRpReport* findRunCopy(const TRpProjectManager& copy, const TRpReport& original)
{
    for (const auto& report : copy.reports()) {
        if (!original.fullName().empty() && sameText(report->fullName(), original.fullName()))
            return report.get();
    }
    for (const auto& report : copy.reports()) {
        if (sameText(report->name(), original.name()))
            return report.get();
    }
    return nullptr;
}

} // namespace

std::string expandFileName(const std::string& fileName)
{
    std::error_code error;
    auto absolute = std::filesystem::absolute(fileName, error);
    if (error)
        return fileName;
    return absolute.lexically_normal().string();
}

TRvProject::TRvProject(DataCommunication& data, ReportServices services)
    : m_data(data), m_services(std::move(services)), m_project(std::make_unique<TRpProjectManager>())
{
    m_project->setName("RpProject");
    m_project->setMessages(m_services.message);
}

TRvProject::~TRvProject()
{
    try {
        Close();
    } catch (...) {
        // Destruction must not throw; a failing close handler has nothing left to close.
    }
    if (OnDestroy)
        OnDestroy(*this);
}

void TRvProject::Loaded()
{
    if (OnCreate)
        OnCreate(*this);
}

void TRvProject::SetProjectFile(const std::string& fileName)
{
    if (!fileName.empty() && fileName.find('.') == std::string::npos)
        m_projectFile = fileName + ".rav";
    else
        m_projectFile = fileName;
}

void TRvProject::Open()
try {
    if (m_active)
        return;
    if (OnBeforeOpen)
        OnBeforeOpen(*this);
    std::string fullPath = expandFileName(m_projectFile);
    std::error_code error;
    if (!m_projectFile.empty() && std::filesystem::is_directory(fullPath, error))
        throw ERpException("The following reporting project is a folder, not a file:\r\"%s\"", fullPath);
    if (m_projectFile.empty() || !std::filesystem::is_regular_file(fullPath, error))
        throw ERpException("The following reporting project does not exist:\r\"%s\"", fullPath);
    // An emptied project file is damage, not a new project: running it would deliver
    // blank pages as if the report had worked.
    if (std::filesystem::file_size(fullPath, error) == 0 && !error)
        throw ERpException("Invalid Project Format");
    m_project->setFileName(fullPath);
    m_project->loadFromFile(fullPath);
    m_active = true;
    if (OnAfterOpen)
        OnAfterOpen(*this);
} catch (ETranslatable& error) {
    error.translateFor(m_services.translate);
    throw;
}

void TRvProject::SetParameter(const std::string& name, const std::string& value)
{
    m_project->setParam(name, value);
}

void TRvProject::Execute()
try {
    Open();
    TRpReport* report = m_project->activeReport();
    if (!report)
        throw ERpException("The report project holds no report to run.");
    m_running = true;
    struct RunningMark {
        bool& flag;
        ~RunningMark() { flag = false; }
    } mark {m_running};

    TRpProjectManager copy;
    copy.setName(m_project->name());
    copy.setMessages(m_services.message);
    copy.setMaster(m_project.get());
    copy.loadFromStream(m_project->saveReportToStream(*report, BlockMethod::Stored));
    copy.setParams(m_project->params());
    TRpReport* runCopy = findRunCopy(copy, *report);
    if (!runCopy)
        throw ERpException("The report project holds no report to run.");

    if (Engine) {
        runReport(copy, *runCopy, *Engine);
        return;
    }
    TRvSystem temporary(m_services);
    temporary.TitleSetup = "Output Options";
    temporary.TitleStatus = "Report Status";
    temporary.TitlePreview = "Report Preview";
    temporary.SystemFiler.StreamMode = TStreamMode::smTempFile;
    temporary.SystemFiler.AccuracyMethod = TAccuracyMethod::amAppearance;
    runReport(copy, *runCopy, temporary);
} catch (ETranslatable& error) {
    error.translateFor(m_services.translate);
    throw;
}

void TRvProject::runReport(TRpProjectManager& copy, TRpReport& report, TRvSystem& system)
{
    TRpDataSystem& data = m_data.system();
    databuffer::Reach const reach = dataReachOf(copy, m_data.connections());
    while (!data.GainControl(DataControlTimeout, reach)) {
        auto& prompt = m_services.retryPrompt;
        if (!prompt || !prompt(busyDataSystem.shown(m_services.translate))) {
            // Nothing was generated: callers must not take the run for a finished one.
            system.Aborted = true;
            return;
        }
    }

    double unitsFactor = system.SystemPrinter.UnitsFactor();
    TPrintUnits units = system.SystemPrinter.Units();
    auto savedPrint = system.OnPrint;
    auto savedBefore = system.OnBeforePrint;
    auto savedAfter = system.OnAfterPrint;
    struct Restore {
        TRvSystem& system;
        TRpDataSystem& data;
        double unitsFactor;
        TPrintUnits units;
        TRvSystem::TPrintEvent print, before, after;
        ~Restore()
        {
            system.OnPrint = print;
            system.OnBeforePrint = before;
            system.OnAfterPrint = after;
            system.SystemPrinter.SetUnits(units);
            system.SystemPrinter.SetUnitsFactor(unitsFactor);
            data.ReleaseControl();
        }
    } restore {system, data, unitsFactor, units, savedPrint, savedBefore, savedAfter};
    system.SystemPrinter.SetUnitsFactor(1.0);

    ProjectParameters params(copy);
    std::unique_ptr<ReportLayout> layout;
    auto makeLayout = [&](TBaseReport& writer) {
        auto rows = [this](const TRpBaseDataView& view) { return connectionRows(view, m_data.system(), m_services.message); };
        layout = std::make_unique<ReportLayout>(report, writer, params, rows);
        layout->setDataViews(dataViewsOf(copy));
        layout->setGlobalPages(globalPagesOf(copy));
        if (writer.LineHeightMethod == TLineHeightMethod::lhmLinesPerInch)
            layout->setLinesPerInch(writer.LinesPerInch);
        // Only the preview is the screen; printer output and every file are paper.
        layout->setDisplayTarget(system.ReportDest == TReportDest::rdPreview ? DisplayTarget::Preview : DisplayTarget::Printer);
        layout->setImageDecoder([&system](const std::vector<std::uint8_t>& picture, std::vector<std::uint8_t>& bitmap) {
            return system.DecodeImage(picture, bitmap);
        });
    };
    system.OnBeforePrint
        = [&](TBaseReport& writer) { applyPrinterSettings(system.Services().printerDevice, report, writer); };
    system.OnPrint = [&](TBaseReport& writer) {
        makeLayout(writer);
        layout->print();
    };
    system.OnAfterPrint = [&](TBaseReport&) { layout.reset(); };
    if (report.alwaysGenerate())
        system.SystemOptions |= soUseFiler;
    if (system.Writer()) {
        // Already generating: the pages go straight into that writer.
        makeLayout(*system.Writer());
        layout->print();
        return;
    }
    system.Execute();
}

void TRvProject::Close()
{
    if (!m_active)
        return;
    if (OnBeforeClose)
        OnBeforeClose(*this);
    m_project->clear();
    m_active = false;
    if (OnAfterClose)
        OnAfterClose(*this);
}

} // namespace qv
