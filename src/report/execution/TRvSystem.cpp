#include "report/execution/TRvSystem.h"

#include "report/execution/TReportPrinter.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/StatusFormat.h"

#include <cstdio>
#include <unistd.h>

namespace qv {

TRvSystem::TRvSystem() = default;
TRvSystem::TRvSystem(ReportServices services) : m_services(std::move(services)) {}
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
    if (m_services.setup)
        return m_services.setup(*this);
    return true;
}

// What one run holds between setup and delivery. Whichever way Execute leaves, the
// destructor closes the status window, removes a temporary snapshot file and drops
// the prepared stream; the normal path only releases earlier.
struct TRvSystem::Run {
    explicit Run(TRvSystem& system) : system(system) {}
    ~Run()
    {
        endGeneration();
        ownSnapshot.reset();
        prepared.reset();
        if (!tempFile.empty())
            std::remove(tempFile.c_str());
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // The writer has stopped, with or without error.
    void endGeneration()
    {
        if (!generating)
            return;
        system.m_writer = nullptr;
        system.StatusText = generating->StatusLine();
        if (generating->StreamMode == TStreamMode::smTempFile)
            tempFile = generating->FileName;
        generating = nullptr;
        if (!statusShown)
            return;
        statusShown = false;
        system.showStatus(false, statusWindow);
    }

    TRvSystem& system;
    const RegisteredExportRenderer* exporter = nullptr;
    TReportPrinter* printer = nullptr;
    bool validPrinter = false;
    bool snapshotFile = false;
    TRvNDRWriter* generating = nullptr;
    bool statusShown = false;
    void* statusWindow = nullptr;
    std::unique_ptr<TMemoryStream> prepared;
    std::unique_ptr<TStream> ownSnapshot;
    std::string tempFile;
    std::unique_ptr<ExitCleanup> tempFileCleanup;
};

void TRvSystem::Execute()
try {
    ReportDest = DefaultDest;
    Aborted = false;
    if (!runSetup()) {
        Aborted = true;
        return;
    }
    Run run(*this);
    checkDestination(run);
    run.snapshotFile = ReportDest == TReportDest::rdFile && !run.exporter && !NativeOutput;
    if (SystemFiler.StreamMode == TStreamMode::smMemory && !run.snapshotFile)
        run.prepared = std::make_unique<TMemoryStream>();
    TStream* snapshot = (SystemOptions & soNoGenerate) ? nullptr : generate(run);
    if (Aborted || !snapshot)
        return;
    if (run.exporter) {
        snapshot->seek(0);
        run.exporter->create()->PrintRender(*snapshot, OutputFileName);
        return;
    }
    deliver(*snapshot);
} catch (report::ETranslatable& error) {
    error.translateFor(m_services.translate);
    throw;
}

// Refuses a destination that cannot take the output before anything is generated.
void TRvSystem::checkDestination(Run& run)
{
    if (ReportDest == TReportDest::rdFile && !ExportRenderer.empty()) {
        run.exporter = findExportRenderer(ExportRenderer);
        if (!run.exporter)
            throw report::ERpException("Unknown export renderer %s", ExportRenderer);
    }
    if (ReportDest == TReportDest::rdFile && OutputFileName.empty() && SystemFiler.StreamMode != TStreamMode::smUser)
        throw report::ERpException("No output file name was given.");
    run.printer = m_services.printerDevice;
    bool printerOutput
        = ReportDest == TReportDest::rdPrinter || (ReportDest == TReportDest::rdFile && !run.exporter && NativeOutput);
    if (printerOutput && !m_services.printer)
        throw report::ERpException("Printer output is not available.");
    run.validPrinter = run.printer && !run.printer->InvalidPrinter();
    // Checked before generation: a run for a printer that is not there would be wasted.
    if (printerOutput && run.printer && !run.validPrinter)
        throw report::ERpException(noPrinterText(*run.printer));
    ForceMultiplePrint = run.validPrinter && SystemPrinter.Copies > 1 && run.printer->MaxCopies() <= 1;
}

// Where the page writer of this run puts the snapshot.
void TRvSystem::chooseWriterStream(Run& run, TRvNDRWriter& writer)
{
    if (SystemFiler.StreamMode == TStreamMode::smUser) {
        writer.StreamMode = TStreamMode::smUser;
        writer.Stream = SystemFiler.Stream;
    } else if (run.snapshotFile) {
        writer.StreamMode = TStreamMode::smFile;
        writer.FileName = OutputFileName;
    } else if (run.prepared) {
        writer.StreamMode = TStreamMode::smUser;
        writer.Stream = run.prepared.get();
    } else {
        writer.StreamMode = SystemFiler.StreamMode;
        writer.FileName = SystemFiler.FileName;
        writer.Stream = SystemFiler.Stream;
    }
}

// Lays the pages out into the snapshot; returns the snapshot to deliver, or none.
TStream* TRvSystem::generate(Run& run)
{
    TRvNDRWriter writer;
    configureWriter(writer);
    if (run.printer) {
        writer.SetMeasurer(&run.printer->Measurer());
        if (run.validPrinter) {
            writer.Paper = run.printer->PaperInfo();
            writer.Paper.copies = static_cast<int16_t>(SystemPrinter.Copies);
            writer.Paper.collate = SystemPrinter.Collate;
        }
    }
    chooseWriterStream(run, writer);

    Aborted = true;
    run.statusShown = SystemOptions & soShowStatus;
    if (run.statusShown)
        showStatus(true, run.statusWindow);
    m_writer = &writer;
    run.generating = &writer;
    // A writer that throws is gone before the run's own cleanup: end its generation here.
    struct EndGeneration {
        Run& run;
        ~EndGeneration() { run.endGeneration(); }
    } const endGeneration{run};
    writer.Execute();
    run.endGeneration();
    Aborted = writer.Aborted();
    if (writer.StreamMode == TStreamMode::smTempFile)
        run.tempFileCleanup = std::make_unique<ExitCleanup>([path = run.tempFile] { ::unlink(path.c_str()); });
    if (run.prepared)
        return run.prepared.get();
    if (writer.StreamMode == TStreamMode::smUser)
        return SystemFiler.Stream;
    if (run.snapshotFile || writer.FileName.empty())
        return nullptr;
    run.ownSnapshot = std::make_unique<TFileStream>(writer.FileName, TFileStream::Mode::OpenRead);
    return run.ownSnapshot.get();
}

// Printer settings, then the filer's, as the page writer of this run takes them.
void TRvSystem::configureWriter(TRvNDRWriter& writer)
{
    static_cast<TPageSettings&>(writer) = SystemPrinter;
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
        if (m_services.statusText)
            m_services.statusText(*this, status);
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
    if (m_services.status)
        m_services.status(*this, open);
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
        if (!m_services.preview)
            throw report::ERpException("Report preview is not available.");
        m_services.preview(*this, snapshot);
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
    snapshot.seek(0);
    switch (ReportDest) {
    case TReportDest::rdPreview:
        runPreview(snapshot);
        break;
    case TReportDest::rdPrinter:
        if (!m_services.printer)
            throw report::ERpException("Printer output is not available.");
        m_services.printer(*this, snapshot);
        break;
    case TReportDest::rdFile:
        if (NativeOutput && m_services.printer)
            m_services.printer(*this, snapshot);
        break;
    }
}

} // namespace qv
