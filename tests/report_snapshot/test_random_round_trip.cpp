#include "RecordingRender.h"

#include "report/snapshot/TRvNDRWriter.h"

#include <gtest/gtest.h>

#include <random>

using namespace qv;
using namespace qv::snapshot;

namespace {

// Drives the writer with random commands and records which drawing calls a
// reader must see, page by page.
class RandomReport {
public:
    explicit RandomReport(unsigned seed)
        : m_random(seed)
    {
    }

    std::vector<std::string> expected;

    void run(TRvNDRWriter& w)
    {
        int commands = pick(1, 200);
        for (int i = 0; i < commands; ++i)
            step(w);
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    double coord() { return pick(0, 1100) / 100.0; }

    std::string text()
    {
        int kind = pick(0, 9);
        if (kind == 0)
            return std::string(static_cast<size_t>(pick(192, 400)), 'L');
        if (kind == 1)
            return std::string(static_cast<size_t>(pick(16380, 17000)), 'H');
        if (kind == 2)
            return "";
        std::string result;
        int length = pick(1, 20);
        for (int i = 0; i < length; ++i)
            result += static_cast<char>(pick(0, 5) == 0 ? ' ' : 'a' + pick(0, 25));
        return result;
    }

    void record(const std::string& op) { expected.push_back(op); }

    void step(TRvNDRWriter& w)
    {
        TRvGraphic graphic { GraphicType::Bitmap, std::vector<uint8_t>(static_cast<size_t>(pick(0, 40)), 'g') };
        switch (pick(0, 17)) {
        case 0: {
            std::string t = text();
            w.PrintLeft(t, coord(), coord());
            record("text " + encodableString(t));
            break;
        }
        case 1: {
            std::string t = text();
            w.PrintRight(t, coord(), coord());
            record("text " + encodableString(t));
            break;
        }
        case 2: {
            std::string t = text();
            w.PrintBlock(t, coord(), coord(), coord());
            record("text " + encodableString(t));
            break;
        }
        case 3:
            w.Font().bold = !w.Font().bold;
            w.Font().size = pick(6, 30);
            break;
        case 4:
            w.Font().name = pick(0, 1) ? "Arial" : "Times New Roman";
            w.Font().color = static_cast<TColor>(pick(0, 0xFFFFFF));
            break;
        case 5:
            w.Pen().color = static_cast<TColor>(pick(0, 0xFFFFFF));
            w.Pen().width = static_cast<float>(pick(0, 10) / 100.0);
            break;
        case 6:
            w.Brush().color = static_cast<TColor>(pick(0, 0xFFFFFF));
            w.Brush().style = static_cast<uint8_t>(pick(0, 7));
            break;
        case 7:
            w.Rectangle({ coord(), coord(), coord(), coord() });
            record("Rectangle");
            break;
        case 8:
            w.LineTo(coord(), coord());
            record("LineTo");
            break;
        case 9: {
            std::vector<TRvPoint> points(static_cast<size_t>(pick(1, 30)));
            for (TRvPoint& p : points)
                p = { coord(), coord() };
            w.Polyline(points);
            record("Polyline");
            break;
        }
        case 10:
            if (pick(0, 1))
                w.RegisterGraphic(pick(1, 10));
            else
                w.ReuseGraphic(pick(1, 10));
            w.Draw(coord(), coord(), graphic);
            record("Draw");
            break;
        case 11:
            w.DefineVariable("v" + std::to_string(pick(0, 3)));
            break;
        case 12:
            w.SetVariable("v" + std::to_string(pick(0, 3)), text().substr(0, 200));
            break;
        case 13: {
            std::string t = "[" + namedVariablePlaceholder("v" + std::to_string(pick(0, 3))) + "]";
            w.PrintLeft(t, coord(), coord());
            record("text *");
            break;
        }
        case 14:
            w.NewPage();
            record("PageBegin");
            break;
        case 15:
            w.SetScaleX(pick(50, 200));
            w.SetScaleY(pick(50, 200));
            break;
        case 16:
            w.Brush().bitmap = pick(0, 1) ? std::make_shared<TRvGraphic>(graphic) : nullptr;
            w.FillRect({ coord(), coord(), coord(), coord() });
            record("FillRect");
            break;
        default:
            w.ChangeOrientation(pick(0, 1) ? TOrientation::poLandScape : TOrientation::poPortrait);
            break;
        }
    }

    std::mt19937 m_random;
};

std::vector<std::string> drawnOps(const std::vector<std::string>& calls)
{
    std::vector<std::string> ops;
    for (const std::string& call : calls) {
        std::string name = call.substr(0, call.find(' '));
        if (name == "LeftText" || name == "RightText" || name == "BlockText") {
            // The text follows the coordinates (and width for block texts).
            size_t at = call.find(' ', call.find(' ') + 1);
            if (name == "BlockText")
                at = call.find(' ', at + 1);
            std::string text = call.substr(at + 1);
            ops.push_back(text.find('[') == 0 ? "text *" : "text " + text);
        } else if (name == "Rectangle" || name == "LineTo" || name == "Polyline" || name == "Draw" || name == "FillRect") {
            ops.push_back(name);
        } else if (name == "PageBegin") {
            ops.push_back(name);
        }
    }
    return ops;
}

} // namespace

TEST(SnapshotRandomRoundTrip, EverySnapshotTheWriterMakesReadsBackWhole)
{
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        RandomReport report(seed);
        TMemoryStream stream;
        TRvNDRWriter writer;
        writer.StreamMode = TStreamMode::smUser;
        writer.Stream = &stream;
        bool oddOnly = seed % 3 == 0;
        if (oddOnly)
            writer.PageSelection = "odd";
        writer.Start();
        report.expected.insert(report.expected.begin(), "PageBegin");
        report.run(writer);
        writer.End();

        // Page begins of suppressed pages never reach the file.
        std::vector<std::string> expected;
        bool inRange = true;
        int page = 0;
        for (const std::string& op : report.expected) {
            if (op == "PageBegin") {
                ++page;
                inRange = !oddOnly || page % 2 == 1;
            }
            if (inRange)
                expected.push_back(op);
        }

        TMemoryStream reread(stream.bytes());
        test::RecordingRender render;
        render.recordState = false;
        TRPConverter converter(reread, render);
        ASSERT_NO_THROW(converter.Generate());
        EXPECT_EQ(drawnOps(render.calls), expected);
        // Every page is reachable on its own, backwards too.
        for (int n = converter.PageCount(); n >= 1; --n)
            ASSERT_NO_THROW(converter.GeneratePage(n));
    }
}
