#include "runtime/printing/PdfDocument.h"

#include "runtime/core/Exception.h"
#include "runtime/core/TextFile.h"
#include "runtime/graphics/QtGraphics.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace qv {

struct PdfDocument::Impl {
    std::string fileName;
    // The document grows in memory and reaches its file only whole.
    QByteArray bytes;
    QBuffer buffer {&bytes};
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
    m_impl->fileName = fileName;
    m_impl->buffer.open(QIODevice::WriteOnly);
    m_impl->writer = std::make_unique<QPdfWriter>(&m_impl->buffer);
    m_impl->writer->setResolution(resolution);
    m_impl->writer->setTitle(QString::fromStdString(title));
    m_impl->writer->setCreator("Quorvane");
    m_impl->writer->setPageMargins(QMarginsF(0, 0, 0, 0));
}

// A document abandoned by an error never reaches its file.
PdfDocument::~PdfDocument() = default;

Canvas& PdfDocument::beginPage(double widthInches, double heightInches)
{
    if (m_impl->pageOpen)
        endPage();
    m_impl->writer->setPageSize(pageSizeOf(widthInches, heightInches));
    m_impl->writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!m_impl->started) {
        if (!m_impl->painter.begin(m_impl->writer.get()))
            throw EInOutError("Cannot write file \"" + m_impl->fileName + "\"", 5);
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
    m_impl->buffer.close();
    if (!ok)
        throw EInOutError("Cannot write file \"" + m_impl->fileName + "\"", 5);
    replaceFileAtomically(m_impl->fileName, std::string(m_impl->bytes.constData(), static_cast<std::size_t>(m_impl->bytes.size())));
}

} // namespace qv
