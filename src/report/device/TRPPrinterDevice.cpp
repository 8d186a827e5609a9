#include "report/device/TRPPrinterDevice.h"

#include "report/device/TRvRenderPrinter.h"
#include "report/execution/TRvSystem.h"
#include "report/snapshot/EReportPrinter.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cctype>

namespace qv {

TRPPrinterDevice::TRPPrinterDevice(PrintSystem& system)
    : m_system(system)
{
}

TRPPrinterDevice::~TRPPrinterDevice()
{
    if (Printing())
        Abort();
}

void TRPPrinterDevice::loadPrinters()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_printers.clear();
    int defaultIndex = -1;
    for (const PrinterEntry& entry : m_system.printers()) {
        // Printers listed per port show "printer on port"; listed by name, just the name.
        std::string display = entry.port.empty() ? entry.name : entry.name + " on " + entry.port;
        if (entry.isDefault && defaultIndex < 0)
            defaultIndex = int(m_printers.size());
        m_printers.push_back({display, entry.name, entry.driver, entry.port, entry.isDefault});
    }
    // Without a system default the first printer is the one a user would expect.
    m_index = defaultIndex >= 0 ? defaultIndex : (m_printers.empty() ? -1 : 0);
}

const std::vector<TPrinterListEntry>& TRPPrinterDevice::Printers()
{
    loadPrinters();
    return m_printers;
}

int TRPPrinterDevice::PrinterIndex()
{
    loadPrinters();
    return m_index;
}

void TRPPrinterDevice::SetPrinterIndex(int index)
{
    loadPrinters();
    if (index < 0 || index >= int(m_printers.size()) || index == m_index)
        return;
    if (Printing())
        throw EReportPrinter("Invalid method call.  Device already printing.");
    closeContext();
    m_index = index;
    m_settings = PrinterSettings {};
    m_settingsChanged = false;
}

bool TRPPrinterDevice::SelectPrinter(const std::string& name)
{
    const auto& printers = Printers();
    for (size_t i = 0; i < printers.size(); ++i) {
        if (sameText(printers[i].displayName, name) || sameText(printers[i].device, name)) {
            SetPrinterIndex(int(i));
            return true;
        }
    }
    return false;
}

std::string TRPPrinterDevice::Device() { return PrinterIndex() < 0 ? "" : m_printers[m_index].device; }
std::string TRPPrinterDevice::Driver() { return PrinterIndex() < 0 ? "" : m_printers[m_index].driver; }

std::string TRPPrinterDevice::Port()
{
    if (Printing() && !m_outputFile.empty())
        return m_outputFile;
    return PrinterIndex() < 0 ? "" : m_printers[m_index].port;
}

void TRPPrinterDevice::Refresh()
{
    if (Printing())
        throw EReportPrinter("Invalid method call.  Device already printing.");
    std::string selected = Device();
    closeContext();
    m_loaded = false;
    loadPrinters();
    if (!selected.empty()) {
        for (size_t i = 0; i < m_printers.size(); ++i) {
            if (m_printers[i].device == selected)
                m_index = int(i);
        }
    }
}

bool TRPPrinterDevice::InvalidPrinter() { return PrinterIndex() < 0; }

void TRPPrinterDevice::closeContext()
{
    m_context.reset();
    m_capabilities.reset();
    m_printerMeasurer.reset();
    m_canvas = nullptr;
    m_state = TPrinterState::psNone;
}

void TRPPrinterDevice::invalidPrinter()
{
    throw EReportPrinter("Invalid Printer - " + Device() + " on " + Port() + " (" + Driver() + ")");
}

PrinterContext& TRPPrinterDevice::information()
{
    if (m_context)
        return *m_context;
    if (InvalidPrinter())
        throw EReportPrinter(noPrinterText(*this));
    m_context = m_system.open(Device());
    if (!m_context)
        invalidPrinter();
    m_state = TPrinterState::psInformation;
    return *m_context;
}

void TRPPrinterDevice::SetSettings(const PrinterSettings& settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    m_settingsChanged = true;
    m_capabilities.reset();
}

PrinterCapabilities TRPPrinterDevice::Capabilities()
{
    if (!m_capabilities)
        m_capabilities = information().capabilities(m_settings);
    return *m_capabilities;
}

int TRPPrinterDevice::MaxCopies() { return InvalidPrinter() ? 1 : Capabilities().maxCopies; }
bool TRPPrinterDevice::DuplexSupported() { return !InvalidPrinter() && Capabilities().duplex; }

bool TRPPrinterDevice::PrinterSetup()
{
    if (InvalidPrinter() || Printing())
        return false;
    PrinterSettings settings = m_settings;
    if (!information().setupDialog(settings))
        return false;
    SetSettings(settings);
    return true;
}

void TRPPrinterDevice::requirePrinting() const
{
    if (!Printing())
        throw EReportPrinter("Invalid method call.  Device is not printing.");
}

void TRPPrinterDevice::BeginDoc(const std::string& title, const std::string& outputFile)
{
    if (Printing())
        throw EReportPrinter("Invalid method call.  Device already printing.");
    PrinterContext& context = information();
    try {
        context.startDocument(title, outputFile, m_settings);
    } catch (const EInOutError&) {
        invalidPrinter();
    }
    m_outputFile = outputFile;
    m_aborted = false;
    m_settingsChanged = false;
    m_state = TPrinterState::psPrinting;
}

void TRPPrinterDevice::NewPage()
{
    requirePrinting();
    m_canvas = nullptr;
    // Settings changed since the last page reach the device with this one.
    m_settingsChanged = false;
    m_canvas = &m_context->newPage(m_settings);
}

void TRPPrinterDevice::EndDoc()
{
    requirePrinting();
    m_canvas = nullptr;
    m_state = TPrinterState::psInformation;
    m_outputFile.clear();
    if (!m_aborted)
        m_context->endDocument();
}

void TRPPrinterDevice::Abort()
{
    requirePrinting();
    m_aborted = true;
    m_canvas = nullptr;
    m_context->abortDocument();
}

Canvas& TRPPrinterDevice::canvas()
{
    requirePrinting();
    if (!m_canvas)
        throw EReportPrinter("Invalid method call.  Device is not printing.");
    return *m_canvas;
}

int TRPPrinterDevice::XDPI() { return InvalidPrinter() ? m_screen.PixelsPerInch() : Capabilities().dpiX; }
int TRPPrinterDevice::YDPI() { return InvalidPrinter() ? m_screen.PixelsPerInch() : Capabilities().dpiY; }

const snapshot::TextMeasurer& TRPPrinterDevice::Measurer()
{
    if (InvalidPrinter())
        return m_screen;
    int dpi = XDPI();
    if (!m_printerMeasurer || m_printerMeasurer->PixelsPerInch() != dpi)
        m_printerMeasurer = std::make_unique<TRPRenderDevice>(dpi);
    return *m_printerMeasurer;
}

TRvPaperInfo TRPPrinterDevice::PaperInfo()
{
    TRvPaperInfo info;
    if (InvalidPrinter())
        return info;
    PrinterCapabilities caps = Capabilities();
    bool landscape = m_settings.orientation == PrinterSettings::landscape;
    // The record keeps the paper upright; the orientation turns it.
    info.paperWidth = landscape ? caps.paperHeight : caps.paperWidth;
    info.paperHeight = landscape ? caps.paperWidth : caps.paperHeight;
    info.leftWaste = caps.leftWaste;
    info.rightWaste = caps.rightWaste;
    info.topWaste = caps.topWaste;
    info.bottomWaste = caps.bottomWaste;
    info.bin = static_cast<int16_t>(m_settings.bin);
    info.collate = m_settings.collate;
    info.duplex = static_cast<uint8_t>(m_settings.duplex);
    info.copies = static_cast<int16_t>(m_settings.copies);
    info.paperSize = static_cast<int16_t>(caps.paperSize);
    info.customWidth = static_cast<int16_t>(m_settings.customWidth);
    info.customLength = static_cast<int16_t>(m_settings.customLength);
    info.outputName = Port();
    return info;
}

void addPrinterOutput(ReportServices& services, TRPPrinterDevice& device)
{
    services.printerDevice = &device;
    services.printer = [&device](TRvSystem& system, TStream& snapshot) {
        TRvRenderPrinter render(device);
        render.Copies = system.SystemPrinter.Copies;
        render.Collate = system.SystemPrinter.Collate;
        if (system.ReportDest == TReportDest::rdFile)
            render.OutputFile = system.OutputFileName;
        render.PrintRender(snapshot);
    };
}

} // namespace qv
