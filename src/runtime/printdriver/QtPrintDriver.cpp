// The print module: the toolkit's printers, print dialog and page layouts. Built apart
// from the program and loaded when a printer is first wanted, so that a start which never
// prints does not load and link the printing support.

#include "runtime/printdriver/PrintDriver.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <array>
#include <utility>

namespace qv::printdriver {

namespace {

// Bin codes of the printer settings record and the toolkit's paper sources.
constexpr std::array<std::pair<int, QPrinter::PaperSource>, 13> binSources = {{
    {1, QPrinter::Upper},
    {2, QPrinter::Lower},
    {3, QPrinter::Middle},
    {4, QPrinter::Manual},
    {5, QPrinter::Envelope},
    {6, QPrinter::EnvelopeManual},
    {7, QPrinter::Auto},
    {8, QPrinter::Tractor},
    {9, QPrinter::SmallFormat},
    {10, QPrinter::LargeFormat},
    {11, QPrinter::LargeCapacity},
    {14, QPrinter::Cassette},
    {15, QPrinter::FormSource},
}};

int binCode(QPrinter::PaperSource source)
{
    for (auto [code, known] : binSources) {
        if (known == source)
            return code;
    }
    return 0;
}

int qualityDpi(int quality)
{
    switch (quality) {
    case PrinterSettings::draft: return 150;
    case PrinterSettings::low: return 300;
    case PrinterSettings::medium: return 600;
    case PrinterSettings::high: return 1200;
    default: return quality > 0 ? quality : 0;
    }
}

QPageSize pageSizeFor(const PrinterSettings& settings, const QPageSize& current)
{
    if (settings.paperSize == PrinterSettings::customPaper) {
        if (settings.customWidth <= 0 || settings.customLength <= 0)
            return current;
        QSizeF mm(settings.customWidth / 10.0, settings.customLength / 10.0);
        return QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }
    if (settings.paperSize <= 0)
        return current;
    QPageSize::PageSizeId id = QPageSize::id(settings.paperSize);
    if (id == QPageSize::Custom)
        return current;
    return QPageSize(id);
}

void applyPageLayout(QPrinter& printer, const PrinterSettings& settings, const QPageSize& defaultSize)
{
    QPageSize size = pageSizeFor(settings, defaultSize);
    QPageLayout::Orientation orientation
        = settings.orientation == PrinterSettings::landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    QPageLayout layout = printer.pageLayout();
    if (layout.pageSize().isEquivalentTo(size) && layout.orientation() == orientation)
        return;
    printer.setPageLayout(QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0)));
}

void applyJobSettings(QPrinter& printer, const PrinterSettings& settings)
{
    printer.setCopyCount(std::max(1, settings.copies));
    printer.setCollateCopies(settings.collate);
    switch (settings.duplex) {
    case PrinterSettings::longEdge: printer.setDuplex(QPrinter::DuplexLongSide); break;
    case PrinterSettings::shortEdge: printer.setDuplex(QPrinter::DuplexShortSide); break;
    default: printer.setDuplex(QPrinter::DuplexNone); break;
    }
    for (auto [code, source] : binSources) {
        if (code == settings.bin)
            printer.setPaperSource(source);
    }
    if (int dpi = qualityDpi(settings.quality))
        printer.setResolution(dpi);
}

PrinterSettings settingsOf(QPrinter& printer, PrinterSettings settings)
{
    settings.copies = printer.copyCount();
    settings.collate = printer.collateCopies();
    QPageLayout layout = printer.pageLayout();
    int code = layout.pageSize().windowsId();
    if (layout.pageSize().id() == QPageSize::Custom || code <= 0) {
        QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
        settings.paperSize = PrinterSettings::customPaper;
        settings.customWidth = int(mm.width() * 10 + 0.5);
        settings.customLength = int(mm.height() * 10 + 0.5);
    } else {
        settings.paperSize = code;
    }
    settings.orientation
        = layout.orientation() == QPageLayout::Landscape ? PrinterSettings::landscape : PrinterSettings::portrait;
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide: settings.duplex = PrinterSettings::longEdge; break;
    case QPrinter::DuplexShortSide: settings.duplex = PrinterSettings::shortEdge; break;
    default: settings.duplex = PrinterSettings::simplex; break;
    }
    if (int bin = binCode(printer.paperSource()))
        settings.bin = bin;
    return settings;
}

class QtPrinter final : public Printer {
public:
    explicit QtPrinter(const QPrinterInfo& info) : m_info(info) { reset(); }

    std::string name() const override { return m_info.printerName().toStdString(); }

    PrinterCapabilities capabilities(const PrinterSettings& settings) override
    {
        if (!m_printer->paintingActive()) {
            applyJobSettings(*m_printer, settings);
            applyPageLayout(*m_printer, settings, m_defaultSize);
        }
        PrinterCapabilities caps;
        caps.maxCopies = m_printer->supportsMultipleCopies() ? 9999 : 1;
        for (QPrinter::DuplexMode mode : m_info.supportedDuplexModes()) {
            if (mode == QPrinter::DuplexLongSide || mode == QPrinter::DuplexShortSide)
                caps.duplex = true;
        }
        for (const QPageSize& size : m_info.supportedPageSizes()) {
            if (size.windowsId() > 0)
                caps.paperSizes.push_back(size.windowsId());
        }
        // The toolkit lists a printer's bins only on Windows; elsewhere the list stays empty.
        caps.dpiX = m_printer->logicalDpiX();
        caps.dpiY = m_printer->logicalDpiY();
        QPageLayout layout = m_printer->pageLayout();
        caps.paperSize = layout.pageSize().windowsId();
        QRectF full = layout.fullRect(QPageLayout::Inch);
        caps.paperWidth = full.width();
        caps.paperHeight = full.height();
        // The printer's unprintable edges.
        QPageLayout inches = layout;
        inches.setUnits(QPageLayout::Inch);
        QMarginsF margins = inches.minimumMargins();
        caps.leftWaste = margins.left();
        caps.topWaste = margins.top();
        caps.rightWaste = margins.right();
        caps.bottomWaste = margins.bottom();
        return caps;
    }

    bool setupDialog(PrinterSettings& settings) override
    {
        // The dialog is a window: without a windowed application there is nothing to show.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || m_printer->paintingActive())
            return false;
        applyJobSettings(*m_printer, settings);
        applyPageLayout(*m_printer, settings, m_defaultSize);
        QPrintDialog dialog(m_printer.get());
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        settings = settingsOf(*m_printer, settings);
        return true;
    }

    void prepare(const std::string& documentName, const std::string& outputFile,
                 const PrinterSettings& settings) override
    {
        reset();
        m_printer->setDocName(QString::fromStdString(documentName));
        m_printer->setOutputFileName(QString::fromStdString(outputFile));
        applyJobSettings(*m_printer, settings);
        applyPageLayout(*m_printer, settings, m_defaultSize);
    }

    void applyLayout(const PrinterSettings& settings) override { applyPageLayout(*m_printer, settings, m_defaultSize); }
    QPaintDevice& device() override { return *m_printer; }
    bool newPage() override { return m_printer->newPage(); }
    bool failed() const override { return m_printer->printerState() == QPrinter::Error; }
    void abort() override { m_printer->abort(); }
    int copyCount() const override { return m_printer->copyCount(); }
    bool collateCopies() const override { return m_printer->collateCopies(); }

private:
    // A fresh device for every document, so nothing of an earlier job carries over.
    void reset()
    {
        m_printer = std::make_unique<QPrinter>(m_info, QPrinter::HighResolution);
        m_printer->setFullPage(true);
        m_defaultSize = m_printer->pageLayout().pageSize();
    }

    QPrinterInfo m_info;
    std::unique_ptr<QPrinter> m_printer;
    QPageSize m_defaultSize;
};

class QtDriver final : public Driver {
public:
    std::vector<PrinterEntry> printers() override
    {
        std::vector<PrinterEntry> entries;
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
            entries.push_back(
                {info.printerName().toStdString(), info.makeAndModel().toStdString(), "", info.isDefault()});
        return entries;
    }

    std::unique_ptr<Printer> open(const std::string& name) override
    {
        QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
        if (info.isNull())
            return nullptr;
        return std::make_unique<QtPrinter>(info);
    }
};

} // namespace

} // namespace qv::printdriver

extern "C" __attribute__((visibility("default"))) qv::printdriver::Driver* qv_print_driver(int version)
{
    if (version != qv::printdriver::interfaceVersion)
        return nullptr;
    static qv::printdriver::QtDriver driver;
    return &driver;
}
