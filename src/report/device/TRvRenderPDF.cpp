#include "report/device/TRvRenderPDF.h"

#include "report/device/TRvRenderCanvas.h"
#include "report/snapshot/TRPConverter.h"
#include "runtime/printing/PdfDocument.h"

#include <memory>

namespace qv {

namespace {

class PdfPageRender : public TRvRenderCanvas {
public:
    explicit PdfPageRender(const std::string& fileName)
        : m_fileName(fileName)
    {
        PixelsPerInchX = TRvRenderPDF::resolution;
        PixelsPerInchY = TRvRenderPDF::resolution;
    }

    void DocBegin(const TRPConverter& converter) override
    {
        std::string title = const_cast<TRPConverter&>(converter).Title();
        m_document = std::make_unique<PdfDocument>(m_fileName, title, TRvRenderPDF::resolution);
    }
    void PageBegin(int, double width, double height) override
    {
        if (!m_document)
            m_document = std::make_unique<PdfDocument>(m_fileName, "", TRvRenderPDF::resolution);
        m_canvas = &m_document->beginPage(width, height);
    }
    void PageEnd() override
    {
        m_canvas = nullptr;
        m_document->endPage();
    }
    void DocEnd() override { finish(); }

    void finish()
    {
        if (!m_document)
            m_document = std::make_unique<PdfDocument>(m_fileName, "", TRvRenderPDF::resolution);
        m_canvas = nullptr;
        m_document->finish();
    }

private:
    std::string m_fileName;
    std::unique_ptr<PdfDocument> m_document;
};

} // namespace

void TRvRenderPDF::PrintRender(TStream& snapshot, const std::string& fileName)
{
    PdfPageRender render(fileName);
    snapshot.seek(0);
    TRPConverter converter(snapshot, render);
    converter.Generate();
    render.finish();
}

void registerPdfExportRenderer()
{
    registerExportRenderer(TRvRenderPDF::displayName, ".pdf", [] { return std::make_unique<TRvRenderPDF>(); });
}

} // namespace qv
