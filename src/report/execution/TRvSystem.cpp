#include "report/execution/TRvSystem.h"

#include "report/execution/TReportPrinter.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/StatusFormat.h"

#include <cstdio>
#include <unistd.h>

namespace qv {

TRvSystemHooks& reportSystemHooks()
{
    static TRvSystemHooks hooks;
    return hooks;
}

TRvSystem::TRvSystem() = default;
TRvSystem::~TRvSystem() = default;

bool TRvSystem::runSetup()
{
    if (!(SystemSetups & ssAllowSetup))
        return true;
    if (OverrideSetup) {
        void* window = nullptr;
        for (int action = 0; action < 3 && !Aborted; ++action)
            OverrideSetup(*this, action, window);
        OverrideSetup(*this, 3, window);
        return !Aborted;
    }
    if (reportSystemHooks().setup)
        return reportSystemHooks().setup(*this);
    return true;
}

void TRvSystem::Execute()
{
    ReportDest = DefaultDest;
    Aborted = false;
    if (!runSetup()) {
        Aborted = true;
        return;
    }

    const RegisteredExportRenderer* exporter = nullptr;
    if (ReportDest == TReportDest::rdFile && !ExportRenderer.empty()) {
        exporter = findExportRenderer(ExportRenderer);
        if (!exporter)
            throw report::ERpException("Unknown export renderer %s", ExportRenderer);
    }
    if (ReportDest == TReportDest::rdFile && OutputFileName.empty() && SystemFiler.StreamMode != TStreamMode::smUser)
        throw report::ERpException("No output file name was given.");
    TReportPrinter* printer = reportSystemHooks().printerDevice;
    bool printerOutput = ReportDest == TReportDest::rdPrinter || (ReportDest == TReportDest::rdFile && !exporter && NativeOutput);
    if (printerOutput && !reportSystemHooks().printer)
        throw report::ERpException("Printer output is not available.");
    bool validPrinter = printer && !printer->InvalidPrinter();
    // Checked before generation: a run for a printer that is not there would be wasted.
    if (printerOutput && printer && !validPrinter)
        throw report::ERpException("No printers installed!");
    ForceMultiplePrint = validPrinter && SystemPrinter.Copies > 1 && printer->MaxCopies() <= 1;

    m_prepared.reset();
    bool snapshotFile = ReportDest == TReportDest::rdFile && !exporter && !NativeOutput;
    if (SystemFiler.StreamMode == TStreamMode::smMemory && !snapshotFile)
        m_prepared = std::make_unique<TMemoryStream>();

    TStream* snapshot = nullptr;
    std::unique_ptr<TStream> ownSnapshot;
    std::string tempFile;
    std::unique_ptr<ExitCleanup> tempFileCleanup;
    if (!(SystemOptions & soNoGenerate)) {
        TRvNDRWriter writer;
        configureWriter(writer);
        if (printer) {
            writer.SetMeasurer(&printer->Measurer());
            if (validPrinter) {
                writer.Paper = printer->PaperInfo();
                writer.Paper.copies = static_cast<int16_t>(SystemPrinter.Copies);
                writer.Paper.collate = SystemPrinter.Collate;
            }
        }
        if (SystemFiler.StreamMode == TStreamMode::smUser) {
            writer.StreamMode = TStreamMode::smUser;
            writer.Stream = SystemFiler.Stream;
        } else if (snapshotFile) {
            writer.StreamMode = TStreamMode::smFile;
            writer.FileName = OutputFileName;
        } else if (m_prepared) {
            writer.StreamMode = TStreamMode::smUser;
            writer.Stream = m_prepared.get();
        } else {
            writer.StreamMode = SystemFiler.StreamMode;
            writer.FileName = SystemFiler.FileName;
            writer.Stream = SystemFiler.Stream;
        }

        Aborted = true;
        void* statusWindow = nullptr;
        bool statusShown = SystemOptions & soShowStatus;
        if (statusShown)
            showStatus(true, statusWindow);
        m_writer = &writer;
        try {
            writer.Execute();
        } catch (...) {
            m_writer = nullptr;
            StatusText = writer.StatusLine();
            if (statusShown)
                showStatus(false, statusWindow);
            if (writer.StreamMode == TStreamMode::smTempFile && !writer.FileName.empty())
                std::remove(writer.FileName.c_str());
            throw;
        }
        m_writer = nullptr;
        StatusText = writer.StatusLine();
        if (statusShown)
            showStatus(false, statusWindow);
        Aborted = writer.Aborted();
        if (writer.StreamMode == TStreamMode::smTempFile) {
            tempFile = writer.FileName;
            tempFileCleanup = std::make_unique<ExitCleanup>([path = tempFile] { ::unlink(path.c_str()); });
        }
        if (m_prepared) {
            snapshot = m_prepared.get();
        } else if (writer.StreamMode == TStreamMode::smUser) {
            snapshot = SystemFiler.Stream;
        } else if (!snapshotFile && !writer.FileName.empty()) {
            ownSnapshot = std::make_unique<TFileStream>(writer.FileName, TFileStream::Mode::OpenRead);
            snapshot = ownSnapshot.get();
        }
    }

    // The prepared stream and a temporary snapshot file go whatever delivery does.
    struct Cleanup {
        TRvSystem& system;
        std::unique_ptr<TStream>& ownSnapshot;
        const std::string& tempFile;
        ~Cleanup()
        {
            ownSnapshot.reset();
            system.m_prepared.reset();
            if (!tempFile.empty())
                std::remove(tempFile.c_str());
        }
    } cleanup {*this, ownSnapshot, tempFile};
    if (Aborted || !snapshot)
        return;
    if (exporter) {
        snapshot->seek(0);
        exporter->create()->PrintRender(*snapshot, OutputFileName);
        return;
    }
    deliver(*snapshot);
}

// Printer settings, then the filer's, as the page writer of this run takes them.
void TRvSystem::configureWriter(TRvNDRWriter& writer)
{
    writer.Title = SystemPrinter.Title;
    writer.FirstPage = SystemPrinter.FirstPage;
    writer.LastPage = SystemPrinter.LastPage;
    writer.Copies = SystemPrinter.Copies;
    writer.Orientation = SystemPrinter.Orientation;
    writer.LineHeightMethod = SystemPrinter.LineHeightMethod;
    writer.LinesPerInch = SystemPrinter.LinesPerInch;
    writer.MarginLeft = SystemPrinter.MarginLeft;
    writer.MarginRight = SystemPrinter.MarginRight;
    writer.MarginTop = SystemPrinter.MarginTop;
    writer.MarginBottom = SystemPrinter.MarginBottom;
    writer.SetScaleX(SystemPrinter.ScaleX);
    writer.SetScaleY(SystemPrinter.ScaleY);
    writer.TabShade = SystemPrinter.TabShade();
    writer.SetTextBKMode(SystemPrinter.TextBKMode);
    writer.Units = SystemPrinter.Units();
    if (writer.Units == TPrintUnits::unUser)
        writer.UnitsFactor = SystemPrinter.UnitsFactor();
    writer.StatusFormat = SystemPrinter.StatusFormat;
    writer.StatusText = SystemPrinter.StatusText;

    writer.AccuracyMethod = SystemFiler.AccuracyMethod;
    writer.StatusFormat = SystemFiler.StatusFormat;
    writer.StatusText = SystemFiler.StatusText;

    writer.OnBeforePrint = OnBeforePrint;
    writer.OnPrint = OnPrint;
    writer.OnPrintPage = OnPrintPage;
    writer.OnAfterPrint = OnAfterPrint;
    writer.OnNewPage = OnNewPage;
    writer.OnNewColumn = OnNewColumn;
    writer.OnPrintHeader = OnPrintHeader;
    writer.OnPrintFooter = OnPrintFooter;
    writer.OnEndOfSection = OnEndOfSection;
    writer.OnStatus = [this](TBaseReport&, const std::string& status) {
        StatusText = status;
        if (reportSystemHooks().statusText)
            reportSystemHooks().statusText(*this, status);
    };
}

// An OverrideStatus handler stands in for the built-in status window.
void TRvSystem::showStatus(bool open, void*& window)
{
    if (OverrideStatus) {
        if (open) {
            OverrideStatus(*this, oaCreate, window);
            OverrideStatus(*this, oaShow, window);
        } else {
            OverrideStatus(*this, oaFree, window);
        }
        return;
    }
    if (reportSystemHooks().status)
        reportSystemHooks().status(*this, open);
}

bool TRvSystem::DecodeImage(const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& bitmap)
{
    return OnDecodeImage && OnDecodeImage(*this, data, bitmap);
}

// An OverridePreview handler stands in for the built-in preview window; it reads the
// snapshot from Snapshot() while it is shown.
void TRvSystem::runPreview(TStream& snapshot)
{
    if (!OverridePreview) {
        if (!reportSystemHooks().preview)
            throw report::ERpException("Report preview is not available.");
        reportSystemHooks().preview(*this, snapshot);
        return;
    }
    void* window = nullptr;
    m_delivering = &snapshot;
    struct Free {
        TRvSystem& system;
        void*& window;
        ~Free()
        {
            system.OverridePreview(system, oaFree, window);
            system.m_delivering = nullptr;
        }
    } free {*this, window};
    for (int action : {oaCreate, oaShow, oaAfterShow})
        OverridePreview(*this, action, window);
}

void TRvSystem::deliver(TStream& snapshot)
{
    auto& hooks = reportSystemHooks();
    snapshot.seek(0);
    switch (ReportDest) {
    case TReportDest::rdPreview:
        runPreview(snapshot);
        break;
    case TReportDest::rdPrinter:
        if (!hooks.printer)
            throw report::ERpException("Printer output is not available.");
        hooks.printer(*this, snapshot);
        break;
    case TReportDest::rdFile:
        if (NativeOutput && hooks.printer)
            hooks.printer(*this, snapshot);
        break;
    }
}

} // namespace qv
