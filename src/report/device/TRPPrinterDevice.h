#pragma once

#include "report/device/TRPRenderDevice.h"
#include "report/execution/TReportPrinter.h"
#include "runtime/printing/PrintSystem.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct ReportServices;

enum class TPrinterState { psNone, psInformation, psPrinting };

struct TPrinterListEntry {
    std::string displayName;
    std::string device;
    std::string driver;
    std::string port;
    bool isDefault = false;
};

// The platform printer as the report engine sees it: the printer list, the selection
// (the system's default until another is picked), its settings record and capabilities,
// and the document being printed. Its owner builds it over platformPrintSystem() and hands
// it to the report services; tests build their own over a print system of their making.
class TRPPrinterDevice final : public TReportPrinter {
public:
    explicit TRPPrinterDevice(PrintSystem& system);
    ~TRPPrinterDevice() override;
    TRPPrinterDevice(const TRPPrinterDevice&) = delete;
    TRPPrinterDevice& operator=(const TRPPrinterDevice&) = delete;

    const std::vector<TPrinterListEntry>& Printers();
    // -1 when there is no printer.
    int PrinterIndex();
    // Closes any open context; the new printer starts from its own default settings.
    void SetPrinterIndex(int index);
    bool SelectPrinter(const std::string& name) override;
    std::string Device();
    std::string Driver();
    // The port, or the output file while a document goes to a file.
    std::string Port();
    // Reads the printer list again, keeping the selection when it is still there.
    void Refresh();
    bool InvalidPrinter() override;

    const PrinterSettings& Settings() override { return m_settings; }
    void SetSettings(const PrinterSettings& settings) override;
    bool SettingsChanged() const { return m_settingsChanged; }
    PrinterCapabilities Capabilities();
    int MaxCopies() override;
    bool DuplexSupported();
    // The platform's setup dialog for the selection; true when the user confirmed.
    bool PrinterSetup();

    TPrinterState State() const { return m_state; }
    bool Printing() const { return m_state == TPrinterState::psPrinting; }
    bool Aborted() const { return m_aborted; }
    bool PageOpen() const { return m_canvas != nullptr; }

    // An empty output file prints; otherwise the printer's output goes to the file.
    void BeginDoc(const std::string& title, const std::string& outputFile = "");
    // Ends the open page, applies changed settings, starts the next page.
    void NewPage();
    void EndDoc();
    // Drops the document being printed.
    void Abort();
    Canvas& canvas();
    int XDPI();
    int YDPI();

    const snapshot::TextMeasurer& Measurer() override;
    TRvPaperInfo PaperInfo() override;
    std::string PrintingUnavailable() override { return m_system.unavailableReason(); }

private:
    void loadPrinters();
    PrinterContext& information();
    void closeContext();
    void requirePrinting() const;
    [[noreturn]] void invalidPrinter();

    PrintSystem& m_system;
    std::vector<TPrinterListEntry> m_printers;
    bool m_loaded = false;
    int m_index = -1;
    PrinterSettings m_settings;
    bool m_settingsChanged = false;
    std::unique_ptr<PrinterContext> m_context;
    std::optional<PrinterCapabilities> m_capabilities;
    TPrinterState m_state = TPrinterState::psNone;
    bool m_aborted = false;
    std::string m_outputFile;
    Canvas* m_canvas = nullptr;
    TRPRenderDevice m_screen;
    std::unique_ptr<TRPRenderDevice> m_printerMeasurer;
};

// Routes the printer destination and native printer output of the systems given these
// services to the device, which must outlive them.
void addPrinterOutput(ReportServices& services, TRPPrinterDevice& device);

} // namespace qv
