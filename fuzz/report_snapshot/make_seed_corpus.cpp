// Writes the fuzz seed corpus with the page writer: report_snapshot_seeds <dir>
#include "report/snapshot/TRvNDRWriter.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

using namespace qv;
using namespace qv::snapshot;

namespace {

void save(const std::string& dir, const std::string& name, const std::function<void(TRvNDRWriter&)>& body)
{
    TMemoryStream stream;
    TRvNDRWriter writer;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    writer.Title = "Seed " + name;
    writer.Start();
    body(writer);
    writer.End();
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(stream.bytes().data()), static_cast<std::streamsize>(stream.bytes().size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus dir>\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    TRvGraphic bitmap { GraphicType::Bitmap, { 'B', 'M', 1, 2, 3 } };
    save(dir, "text", [](TRvNDRWriter& w) {
        w.PrintLeft("Payment", 1, 1);
        w.PrintCenter("Loan schedule", 4, 1.5);
        w.Font().bold = true;
        w.PrintRight("1,234.56", 7, 2);
        w.PrintBlock("block text", 1, 3, 2);
    });
    save(dir, "pages", [](TRvNDRWriter& w) {
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                w.NewPage();
            w.PrintLeft("Page " + reportVariablePlaceholder(11) + " of " + reportVariablePlaceholder(10), 1, 1);
        }
    });
    save(dir, "shapes", [&](TRvNDRWriter& w) {
        w.Pen().color = clBlue;
        w.Brush().color = clYellow;
        w.MoveTo(1, 1);
        w.LineTo(2, 2);
        w.Rectangle({ 1, 1, 2, 2 });
        w.Ellipse({ 1, 1, 3, 2 });
        w.RoundRect({ 1, 1, 3, 2 }, 0.1, 0.1);
        w.Pie({ 0, 0, 2, 2 }, { 2, 1 }, { 1, 0 });
        w.Polygon({ { 0, 0 }, { 1, 0 }, { 1, 1 } });
        w.Polyline({ { 0, 0 }, { 2, 2 } });
        w.TextRect({ 1, 1, 3, 2 }, 1, 1.5, "clip");
        w.SetFrameMode(1);
    });
    save(dir, "graphics", [&](TRvNDRWriter& w) {
        w.RegisterGraphic(1);
        w.Draw(1, 1, bitmap);
        w.ReuseGraphic(1);
        w.StretchDraw({ 1, 1, 2, 2 }, bitmap);
        w.PrintBitmap(1, 1, 1, 1, bitmap);
        w.BrushCopy({ 0, 0, 1, 1 }, bitmap, { 0, 0, 1, 1 }, clRed);
        auto brushBitmap = std::make_shared<TRvGraphic>(bitmap);
        w.Brush().bitmap = brushBitmap;
        w.FillRect({ 0, 0, 1, 1 });
    });
    save(dir, "variables", [](TRvNDRWriter& w) {
        w.DefineVariable("Total");
        w.DefineVariable("Known", "value");
        w.PrintLeft(namedVariablePlaceholder("Total") + namedVariablePlaceholder("Known"), 1, 1);
        w.NewPage();
        w.PrintLeft(namedVariablePlaceholder("Total"), 1, 1);
        w.SetVariable("Total", "42");
    });
    return 0;
}
