#include "runtime/printing/PdfDocument.h"

#include "runtime/core/Exception.h"
#include "runtime/graphics/QtGraphics.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace qv {

struct PdfDocument::Impl {
    QString fileName;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    std::unique_ptr<Canvas> canvas;
    bool started = false;
    bool pageOpen = false;
};

namespace {

QPageSize pageSizeOf(double widthInches, double heightInches)
{
    return QPageSize(QSizeF(widthInches, heightInches), QPageSize::Inch, QString(), QPageSize::ExactMatch);
}

} // namespace

PdfDocument::PdfDocument(const std::string& fileName, const std::string& title, int resolution)
    : m_impl(std::make_unique<Impl>())
    , m_resolution(resolution)
{
    ensureGraphicsApplication();
    m_impl->fileName = QString::fromStdString(fileName);
    QFile probe(m_impl->fileName);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EInOutError("Cannot create file \"" + fileName + "\". " + probe.errorString().toStdString(), 5);
    probe.close();
    m_impl->writer = std::make_unique<QPdfWriter>(m_impl->fileName);
    m_impl->writer->setResolution(resolution);
    m_impl->writer->setTitle(QString::fromStdString(title));
    m_impl->writer->setCreator("Quorvane");
    m_impl->writer->setPageMargins(QMarginsF(0, 0, 0, 0));
}

PdfDocument::~PdfDocument()
{
    try {
        finish();
    } catch (...) {
        // A document abandoned by an error is left as it is.
    }
}

Canvas& PdfDocument::beginPage(double widthInches, double heightInches)
{
    if (m_impl->pageOpen)
        endPage();
    m_impl->writer->setPageSize(pageSizeOf(widthInches, heightInches));
    m_impl->writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!m_impl->started) {
        if (!m_impl->painter.begin(m_impl->writer.get()))
            throw EInOutError("Cannot write file \"" + m_impl->fileName.toStdString() + "\"", 5);
        m_impl->started = true;
    } else {
        m_impl->writer->newPage();
    }
    m_impl->canvas = makePainterCanvas(m_impl->painter);
    m_impl->pageOpen = true;
    return *m_impl->canvas;
}

void PdfDocument::endPage()
{
    m_impl->canvas.reset();
    m_impl->pageOpen = false;
}

void PdfDocument::finish()
{
    if (!m_impl->writer)
        return;
    endPage();
    if (!m_impl->started) {
        // A document without pages still becomes a valid file of one blank page.
        m_impl->painter.begin(m_impl->writer.get());
        m_impl->started = true;
    }
    bool ok = m_impl->painter.end();
    m_impl->writer.reset();
    if (!ok)
        throw EInOutError("Cannot write file \"" + m_impl->fileName.toStdString() + "\"", 5);
}

} // namespace qv
