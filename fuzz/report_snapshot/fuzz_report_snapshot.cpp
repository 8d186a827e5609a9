// Feeds arbitrary bytes to the snapshot converter: a damaged snapshot must end
// in an error, never in a crash, a hang or undefined behaviour.
#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/TRPConverter.h"

#include <cstddef>
#include <cstdint>

namespace {

class NullRender final : public qv::TRPRender {
public:
    void PageBegin(int, double, double) override {}
    void Arc(const qv::TRPRect&, qv::TRPPoint, qv::TRPPoint) override {}
    void Chord(const qv::TRPRect&, qv::TRPPoint, qv::TRPPoint) override {}
    void Pie(const qv::TRPRect&, qv::TRPPoint, qv::TRPPoint) override {}
    void Ellipse(const qv::TRPRect&) override {}
    void FillRect(const qv::TRPRect&) override {}
    void LineTo(qv::TRPPoint) override {}
    void MoveTo(qv::TRPPoint) override {}
    void Polygon(const std::vector<qv::TRPPoint>&) override {}
    void Polyline(const std::vector<qv::TRPPoint>&) override {}
    void Rectangle(const qv::TRPRect&) override {}
    void TabRectangle(const qv::TRPRect&) override {}
    void RoundRect(const qv::TRPRect&, double, double) override {}
    void Draw(qv::TRPPoint, const qv::snapshot::TRvGraphic&) override {}
    void StretchDraw(const qv::TRPRect&, const qv::snapshot::TRvGraphic&) override {}
    void PrintBitmap(qv::TRPPoint, double, double, const qv::snapshot::TRvGraphic&) override {}
    void PrintBitmapRect(const qv::TRPRect&, const qv::snapshot::TRvGraphic&) override {}
    void TextRect(const qv::TRPRect&, qv::TRPPoint, const std::string&) override {}
    void CenterText(const std::string&, double, double) override {}
    void LeftText(const std::string&, double, double) override {}
    void RightText(const std::string&, double, double) override {}
    void BlockText(const std::string&, double, double, double) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    NullRender render;
    qv::TRPConverter converter(stream, render);
    converter.Now = [] { return std::tm {}; };
    try {
        converter.Generate();
    } catch (const qv::EReportPrinter&) {
    }
    // Walking backwards exercises the previous-page links.
    try {
        for (int page = converter.PageCount(); page >= 1; --page)
            converter.GeneratePage(page);
    } catch (const qv::EReportPrinter&) {
    }
    return 0;
}
