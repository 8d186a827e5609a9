#pragma once

#include "report/execution/ReportServices.h"
#include "report/execution/SystemSettings.h"
#include "report/execution/TRvRenderExport.h"
#include "report/snapshot/TRvNDRWriter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

enum TSystemSetup : std::uint32_t {
    ssAllowSetup = 1u << 0,
    ssAllowCopies = 1u << 1,
    ssAllowCollate = 1u << 2,
    ssAllowDuplex = 1u << 3,
    ssAllowDestPreview = 1u << 4,
    ssAllowDestPrinter = 1u << 5,
    ssAllowDestFile = 1u << 6,
    ssAllowPrinterSetup = 1u << 7,
    ssAllowPreviewSetup = 1u << 8,
};

enum TSystemOption : std::uint32_t {
    soUseFiler = 1u << 0,
    soWaitForOK = 1u << 1,
    soShowStatus = 1u << 2,
    soAllowPrintFromPreview = 1u << 3,
    soPreviewModal = 1u << 4,
    soNoGenerate = 1u << 5,
};

enum class TReportDest { rdPreview, rdPrinter, rdFile };

class TRvSystem;
class TReportPrinter;
class TRvRenderPreview;

// Turns one report run into output: setup, generation of the snapshot, delivery.
class TRvSystem {
public:
    using TPrintEvent = std::function<void(TBaseReport&)>;
    using TPrintPageEvent = std::function<bool(TBaseReport&, int page)>;
    // Decodes a picture the renderers cannot read themselves into a bitmap.
    using TDecodeImageEvent = std::function<bool(TRvSystem&, const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& bitmap)>;
    // Actions of a window override: create, show, after show, free (always called).
    enum TOverrideAction { oaCreate = 0, oaShow = 1, oaAfterShow = 2, oaFree = 3 };
    using TOverrideEvent = std::function<void(TRvSystem&, int action, void*& window)>;

    // A headless system: no windows, no printer.
    TRvSystem();
    explicit TRvSystem(ReportServices services);
    ~TRvSystem();

    std::string TitleSetup;
    std::string TitleStatus;
    std::string TitlePreview;
    std::uint32_t SystemSetups = 511;
    std::uint32_t SystemOptions = soShowStatus | soAllowPrintFromPreview | soPreviewModal;
    TReportDest DefaultDest = TReportDest::rdPreview;
    TSystemFiler SystemFiler;
    TSystemPreview SystemPreview;
    TSystemPrinter SystemPrinter;

    TPrintEvent OnPrint;
    TPrintPageEvent OnPrintPage;
    TPrintEvent OnBeforePrint;
    TPrintEvent OnAfterPrint;
    TPrintEvent OnNewPage;
    TPrintEvent OnNewColumn;
    TPrintEvent OnPrintHeader;
    TPrintEvent OnPrintFooter;
    TPrintEvent OnEndOfSection;
    TDecodeImageEvent OnDecodeImage;
    // The preview's renderer once the settings reached it, and again once it shows.
    std::function<void(TRvRenderPreview&)> OnPreviewSetup;
    std::function<void(TRvRenderPreview&)> OnPreviewShow;
    TOverrideEvent OverrideSetup;
    TOverrideEvent OverrideStatus;
    TOverrideEvent OverridePreview;

    // Run-time state.
    TReportDest ReportDest = TReportDest::rdPreview;
    bool Aborted = false;
    std::string OutputFileName;
    // A file destination without an export renderer: true writes printer output, false
    // the snapshot itself.
    bool NativeOutput = true;
    // The export renderer a file destination uses (by display name); empty for none.
    std::string ExportRenderer;
    std::string StatusText;
    // Copies above 1 that the printer cannot make itself: the snapshot is replayed per copy.
    bool ForceMultiplePrint = false;

    // Setup, generation, delivery. An engine error leaving it comes out in the
    // services' translation.
    void Execute();
    // The page writer, while the snapshot is generated.
    TRvNDRWriter* Writer() const { return m_writer; }
    // The snapshot being delivered, for a preview override.
    TStream* Snapshot() const { return m_delivering; }
    // Turns a picture through OnDecodeImage; false when no handler decoded it.
    bool DecodeImage(const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& bitmap);
    const ReportServices& Services() const { return m_services; }
    // Expires with the system; references held elsewhere read it to drop theirs.
    std::weak_ptr<const void> Lifetime() const { return m_lifetime; }

private:
    struct Run;
    bool runSetup();
    void checkDestination(Run& run);
    void chooseWriterStream(Run& run, TRvNDRWriter& writer);
    TStream* generate(Run& run);
    void configureWriter(TRvNDRWriter& writer);
    void showStatus(bool open, void*& window);
    void deliver(TStream& snapshot);
    void runPreview(TStream& snapshot);

    ReportServices m_services;
    TRvNDRWriter* m_writer = nullptr;
    TStream* m_delivering = nullptr;
    std::shared_ptr<const void> m_lifetime = std::make_shared<int>(0);
};

// A reference to a system that reads empty once the system is gone.
class TRvSystemRef {
public:
    TRvSystemRef() = default;
    TRvSystemRef(TRvSystem* system) { *this = system; }
    TRvSystemRef& operator=(TRvSystem* system)
    {
        m_system = system;
        m_lifetime = system ? system->Lifetime() : std::weak_ptr<const void>();
        return *this;
    }
    TRvSystem* get() const { return m_lifetime.expired() ? nullptr : m_system; }
    operator TRvSystem*() const { return get(); }
    TRvSystem* operator->() const { return get(); }
    TRvSystem& operator*() const { return *get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    TRvSystem* m_system = nullptr;
    std::weak_ptr<const void> m_lifetime;
};

} // namespace qv
