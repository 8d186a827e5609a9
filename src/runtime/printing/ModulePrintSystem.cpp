#include "runtime/printing/ModulePrintSystem.h"

#include "runtime/core/Exception.h"
#include "runtime/core/ExePath.h"
#include "runtime/graphics/QtGraphics.h"
#include "runtime/printdriver/PrintDriver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include <dlfcn.h>

namespace qv {

namespace {

// The painting and the errors stay on this side: the module's device is a plain paint
// device, and a failure it reports becomes the same error it always was.
class DriverPrinterContext final : public PrinterContext {
public:
    explicit DriverPrinterContext(std::unique_ptr<printdriver::Printer> printer) : m_printer(std::move(printer)) {}

    ~DriverPrinterContext() override
    {
        if (m_painter.isActive())
            abortDocument();
    }

    PrinterCapabilities capabilities(const PrinterSettings& settings) override
    {
        return m_printer->capabilities(settings);
    }

    bool setupDialog(PrinterSettings& settings) override
    {
        if (m_painter.isActive())
            return false;
        return m_printer->setupDialog(settings);
    }

    void startDocument(const std::string& documentName, const std::string& outputFile, const PrinterSettings& settings) override
    {
        if (m_painter.isActive())
            abortDocument();
        m_outputFile = outputFile;
        // Printer output to a file: the document the print system takes is spooled beside
        // the target first, then run through the printer's driver into the file.
        m_spoolFile = outputFile.empty() ? std::string() : outputFile + ".spool.pdf";
        m_printer->prepare(documentName, m_spoolFile, settings);
        m_pages = 0;
    }

    Canvas& newPage(const PrinterSettings& settings) override
    {
        m_canvas.reset();
        m_printer->applyLayout(settings);
        if (m_pages == 0) {
            if (!m_painter.begin(&m_printer->device()))
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
        if (!ended || m_printer->failed()) {
            dropSpoolFile();
            throw EInOutError(failureText("Printing failed on"), 5);
        }
        if (!m_spoolFile.empty())
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
        if (!m_spoolFile.empty())
            QFile::remove(QString::fromStdString(m_spoolFile));
    }

    // What the printer's driver would send: the print system's filters for this queue
    // (its PPD) turn the spooled document into the printer's own language. A queue
    // without a driver of its own takes the spooled document as it is.
    void writePrinterOutput()
    {
        QString spool = QString::fromStdString(m_spoolFile);
        QString target = QString::fromStdString(m_outputFile);
        QString partial = target + ".part";
        QString ppd = QDir("/etc/cups/ppd").filePath(QString::fromStdString(m_printer->name()) + ".ppd");
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
            arguments << spool;
            process.start(filter, arguments);
            converted = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
                && QFileInfo(partial).size() > 0;
            if (!converted) {
                QFile::remove(partial);
                dropSpoolFile();
                throw EInOutError(failureText("Printing failed on"), 5);
            }
        } else {
            converted = QFile::rename(spool, partial);
        }
        dropSpoolFile();
        QFile::remove(target);
        if (!converted || !QFile::rename(partial, target)) {
            QFile::remove(partial);
            throw EInOutError("Cannot create file \"" + m_outputFile + "\"", 5);
        }
    }

    std::string failureText(const char* what) const
    {
        std::string target = m_outputFile.empty() ? m_printer->name() : m_outputFile;
        return std::string(what) + " \"" + target + "\"";
    }

    std::unique_ptr<printdriver::Printer> m_printer;
    QPainter m_painter;
    std::unique_ptr<Canvas> m_canvas;
    std::string m_outputFile;
    std::string m_spoolFile;
    int m_pages = 0;
};

} // namespace

ModulePrintSystem::ModulePrintSystem(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

printdriver::Driver* ModulePrintSystem::driver()
{
    if (m_tried)
        return m_driver;
    m_tried = true;
    ensureGraphicsApplication();
    // Never closed: the toolkit's printing support registers itself with the toolkit
    // for the rest of the process.
    void* module = ::dlopen(m_modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = ::dlerror();
        m_failure = why ? why : m_modulePath;
        return nullptr;
    }
    auto entry = reinterpret_cast<printdriver::Entry>(::dlsym(module, printdriver::entryName));
    m_driver = entry ? entry(printdriver::interfaceVersion) : nullptr;
    if (!m_driver)
        m_failure = m_modulePath + " does not belong to this program";
    return m_driver;
}

std::vector<PrinterEntry> ModulePrintSystem::printers()
{
    printdriver::Driver* printing = driver();
    return printing ? printing->printers() : std::vector<PrinterEntry>{};
}

std::unique_ptr<PrinterContext> ModulePrintSystem::open(const std::string& printerName)
{
    printdriver::Driver* printing = driver();
    if (!printing)
        return nullptr;
    std::unique_ptr<printdriver::Printer> printer = printing->open(printerName);
    if (!printer)
        return nullptr;
    return std::make_unique<DriverPrinterContext>(std::move(printer));
}

std::string ModulePrintSystem::unavailableReason()
{
    driver();
    return m_failure;
}

std::string printModulePath() { return executableDirectory(nullptr) + QV_PRINT_MODULE; }

PrintSystem& platformPrintSystem()
{
    static ModulePrintSystem system(printModulePath());
    return system;
}

} // namespace qv
