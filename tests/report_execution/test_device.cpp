#include "report/device/TRvRenderCanvas.h"
#include "report/device/TRvRenderPDF.h"
#include "report/snapshot/TRvNDRWriter.h"
#include "runtime/core/Exception.h"
#include "runtime/graphics/Bitmap.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace qv {
namespace {

// The canvas rules on a bitmap at 96 pixels per inch.
class BitmapRender : public TRvRenderCanvas {
public:
    explicit BitmapRender(Bitmap& bitmap)
    {
        m_canvas = &bitmap.canvas();
        m_canvas->brush.color = clWhite;
        m_canvas->fillRect({0, 0, 200, 200});
    }
    void PageBegin(int, double, double) override { }
};

TEST(TRvRenderCanvas, OnePixelOutlineCoversTheOutermostPixelsOfTheBounds)
{
    Bitmap bitmap(200, 200);
    BitmapRender render(bitmap);
    snapshot::TRvBrush brush;
    brush.color = clSilver;
    render.SetBrush(brush);
    render.SetPen(snapshot::TRvPen {});
    // Corners given the wrong way round are ordered first.
    render.Rectangle({{1.0, 1.0}, {0.5, 0.5}});
    EXPECT_EQ(bitmap.pixel(48, 48), clBlack);
    EXPECT_EQ(bitmap.pixel(95, 95), clBlack);
    EXPECT_EQ(bitmap.pixel(96, 96), clWhite) << "nothing outside the bounds";
    EXPECT_EQ(bitmap.pixel(47, 47), clWhite);
    EXPECT_EQ(bitmap.pixel(70, 70), clSilver);
}

TEST(TRvRenderCanvas, TextsSitOnTheirBaseline)
{
    Bitmap bitmap(200, 200);
    BitmapRender render(bitmap);
    snapshot::TRvFont font;
    font.size = 24;
    render.SetFont(font);
    render.LeftText("H", 0.5, 1.0);
    bool inkAbove = false;
    bool inkBelow = false;
    for (int x = 48; x < 80; ++x) {
        for (int y = 70; y < 96; ++y)
            inkAbove = inkAbove || bitmap.pixel(x, y) != clWhite;
        for (int y = 97; y < 120; ++y)
            inkBelow = inkBelow || bitmap.pixel(x, y) != clWhite;
    }
    EXPECT_TRUE(inkAbove);
    EXPECT_FALSE(inkBelow) << "a capital letter has nothing below the baseline";
}

TEST(TRvRenderPDF, WritesOnePdfPagePerSnapshotPageAndRegistersItself)
{
    TRvNDRWriter writer;
    writer.OnPrint = [](TBaseReport& report) {
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                report.NewPage();
            report.PrintLeft("Page " + std::to_string(page), 1.0, 1.0);
            report.Rectangle({1.0, 2.0, 3.0, 3.0});
        }
    };
    writer.Execute();
    auto snapshot = writer.TakeOutputStream();

    registerPdfExportRenderer();
    const RegisteredExportRenderer* entry = findExportRenderer(".pdf");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->displayName, "PDF file (PDF)");

    qv::test::ScratchDir scratch("qv-device");
    std::string path = scratch.file("report.pdf");
    entry->create()->PrintRender(*snapshot, path);
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    std::string pdf = content.str();
    std::filesystem::remove(path);

    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    int pages = 0;
    for (auto at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
        if (pdf.compare(at, 12, "/Type /Pages") != 0)
            ++pages;
    }
    EXPECT_EQ(pages, 3);
}

TEST(TRvRenderPDF, UnwritableTargetFailsInsteadOfPretending)
{
    TRvNDRWriter writer;
    writer.Execute();
    auto snapshot = writer.TakeOutputStream();
    TRvRenderPDF pdf;
    EXPECT_THROW(pdf.PrintRender(*snapshot, "/nonexistent-dir/x.pdf"), Exception);
}

} // namespace
} // namespace qv
