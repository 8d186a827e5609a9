#include "runtime/printing/PrintSystem.h"

#include "runtime/core/Exception.h"
#include "runtime/graphics/QtGraphics.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <array>
#include <utility>

namespace qv {

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
    case PrinterSettings::draft:
        return 150;
    case PrinterSettings::low:
        return 300;
    case PrinterSettings::medium:
        return 600;
    case PrinterSettings::high:
        return 1200;
    default:
        return quality > 0 ? quality : 0;
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

// The layout parts of the settings; these may change from page to page.
void applyLayout(QPrinter& printer, const PrinterSettings& settings, const QPageSize& defaultSize)
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
    case PrinterSettings::longEdge:
        printer.setDuplex(QPrinter::DuplexLongSide);
        break;
    case PrinterSettings::shortEdge:
        printer.setDuplex(QPrinter::DuplexShortSide);
        break;
    default:
        printer.setDuplex(QPrinter::DuplexNone);
        break;
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
    settings.orientation = layout.orientation() == QPageLayout::Landscape ? PrinterSettings::landscape : PrinterSettings::portrait;
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        settings.duplex = PrinterSettings::longEdge;
        break;
    case QPrinter::DuplexShortSide:
        settings.duplex = PrinterSettings::shortEdge;
        break;
    default:
        settings.duplex = PrinterSettings::simplex;
        break;
    }
    if (int bin = binCode(printer.paperSource()))
        settings.bin = bin;
    return settings;
}

class QtPrinterContext final : public PrinterContext {
public:
    explicit QtPrinterContext(const QPrinterInfo& info)
        : m_info(info)
    {
        reset();
    }

    ~QtPrinterContext() override
    {
        if (m_painter.isActive())
            abortDocument();
    }

    PrinterCapabilities capabilities(const PrinterSettings& settings) override
    {
        if (!m_painter.isActive()) {
            applyJobSettings(*m_printer, settings);
            applyLayout(*m_printer, settings, m_defaultSize);
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
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || m_painter.isActive())
            return false;
        applyJobSettings(*m_printer, settings);
        applyLayout(*m_printer, settings, m_defaultSize);
        QPrintDialog dialog(m_printer.get());
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        settings = settingsOf(*m_printer, settings);
        return true;
    }

    void startDocument(const std::string& documentName, const std::string& outputFile, const PrinterSettings& settings) override
    {
        if (m_painter.isActive())
            abortDocument();
        reset();
        m_printer->setDocName(QString::fromStdString(documentName));
        m_outputFile = outputFile;
        // Printer output to a file: the document the print system takes is spooled beside
        // the target first, then run through the printer's driver into the file.
        m_spoolFile = outputFile.empty() ? QString() : QString::fromStdString(outputFile) + ".spool.pdf";
        m_printer->setOutputFileName(m_spoolFile);
        applyJobSettings(*m_printer, settings);
        applyLayout(*m_printer, settings, m_defaultSize);
        m_pages = 0;
    }

    Canvas& newPage(const PrinterSettings& settings) override
    {
        m_canvas.reset();
        applyLayout(*m_printer, settings, m_defaultSize);
        if (m_pages == 0) {
            if (!m_painter.begin(m_printer.get()))
                throw EInOutError(failureText("Cannot start printing on"), 5);
        } else if (!m_printer->newPage()) {
            throw EInOutError(failureText("Cannot start a new page on"), 5);
        }
        ++m_pages;
        m_canvas = makePainterCanvas(m_painter);
        return *m_canvas;
    }

    void endDocument() override
    {
        m_canvas.reset();
        if (!m_painter.isActive())
            return;
        bool ended = m_painter.end();
        if (!ended || m_printer->printerState() == QPrinter::Error) {
            dropSpoolFile();
            throw EInOutError(failureText("Printing failed on"), 5);
        }
        if (!m_spoolFile.isEmpty())
            writePrinterOutput();
    }

    void abortDocument() override
    {
        m_canvas.reset();
        if (m_painter.isActive()) {
            m_printer->abort();
            m_painter.end();
        }
        dropSpoolFile();
    }

private:
    void dropSpoolFile()
    {
        if (!m_spoolFile.isEmpty())
            QFile::remove(m_spoolFile);
    }

    // What the printer's driver would send: the print system's filters for this queue
    // (its PPD) turn the spooled document into the printer's own language. A queue
    // without a driver of its own takes the spooled document as it is.
    void writePrinterOutput()
    {
        QString target = QString::fromStdString(m_outputFile);
        QString partial = target + ".part";
        QString ppd = QDir("/etc/cups/ppd").filePath(m_info.printerName() + ".ppd");
        QString filter = QStandardPaths::findExecutable("cupsfilter", {"/usr/sbin", "/usr/bin", "/sbin"});
        QFile::remove(partial);
        bool converted = false;
        if (!filter.isEmpty() && QFileInfo(ppd).isReadable()) {
            QProcess process;
            process.setStandardOutputFile(partial);
            process.setStandardErrorFile(QProcess::nullDevice());
            QStringList arguments {"-p", ppd, "-m", "printer/foo", "-e", "-n", QString::number(m_printer->copyCount())};
            if (m_printer->collateCopies())
                arguments << "-o" << "collate=true";
            arguments << m_spoolFile;
            process.start(filter, arguments);
            converted = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
                && QFileInfo(partial).size() > 0;
            if (!converted) {
                QFile::remove(partial);
                dropSpoolFile();
                throw EInOutError(failureText("Printing failed on"), 5);
            }
        } else {
            converted = QFile::rename(m_spoolFile, partial);
        }
        dropSpoolFile();
        QFile::remove(target);
        if (!converted || !QFile::rename(partial, target)) {
            QFile::remove(partial);
            throw EInOutError("Cannot create file \"" + m_outputFile + "\"", 5);
        }
    }

    // A fresh device for every document, so nothing of an earlier job carries over.
    void reset()
    {
        m_printer = std::make_unique<QPrinter>(m_info, QPrinter::HighResolution);
        m_printer->setFullPage(true);
        m_defaultSize = m_printer->pageLayout().pageSize();
    }

    std::string failureText(const char* what) const
    {
        std::string target = m_outputFile.empty() ? m_info.printerName().toStdString() : m_outputFile;
        return std::string(what) + " \"" + target + "\"";
    }

    QPrinterInfo m_info;
    std::unique_ptr<QPrinter> m_printer;
    QPageSize m_defaultSize;
    QPainter m_painter;
    std::unique_ptr<Canvas> m_canvas;
    std::string m_outputFile;
    QString m_spoolFile;
    int m_pages = 0;
};

class QtPrintSystem final : public PrintSystem {
public:
    std::vector<PrinterEntry> printers() override
    {
        ensureGraphicsApplication();
        std::vector<PrinterEntry> entries;
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
            entries.push_back({info.printerName().toStdString(), info.makeAndModel().toStdString(), "", info.isDefault()});
        return entries;
    }

    std::unique_ptr<PrinterContext> open(const std::string& printerName) override
    {
        ensureGraphicsApplication();
        QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(printerName));
        if (info.isNull())
            return nullptr;
        return std::make_unique<QtPrinterContext>(info);
    }
};

} // namespace

PrintSystem& platformPrintSystem()
{
    static QtPrintSystem system;
    return system;
}

} // namespace qv
