#include "RecordingRender.h"
#include "SnapshotTestUtil.h"

#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/PrintRange.h"
#include "report/snapshot/TRvNDRWriter.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qv;
using namespace qv::snapshot;
using qv::test::RecordingRender;

namespace {

std::vector<uint8_t> writeReport(TRvNDRWriter& writer, const std::function<void(TRvNDRWriter&)>& body)
{
    TMemoryStream stream;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    writer.Start();
    body(writer);
    writer.End();
    return stream.bytes();
}

std::vector<uint8_t> writeReport(const std::function<void(TRvNDRWriter&)>& body)
{
    TRvNDRWriter writer;
    return writeReport(writer, body);
}

std::vector<std::string> replay(const std::vector<uint8_t>& bytes, bool recordState = true)
{
    TMemoryStream stream(bytes);
    RecordingRender render;
    render.recordState = recordState;
    TRPConverter converter(stream, render);
    converter.Generate();
    return render.calls;
}

int countPrefix(const std::vector<std::string>& calls, const std::string& prefix)
{
    int n = 0;
    for (const std::string& call : calls)
        n += call.rfind(prefix, 0) == 0;
    return n;
}

} // namespace

TEST(SnapshotString, LengthPrefixUsesOneOrTwoBytes)
{
    ByteWriter out;
    out.string(std::string(191, 'a'));
    EXPECT_EQ(out.bytes()[0], 191);
    EXPECT_EQ(out.bytes().size(), 192u);

    out.clear();
    out.string(std::string(200, 'a'));
    ASSERT_EQ(out.bytes().size(), 202u);
    EXPECT_EQ(out.bytes()[0], 0xC0);
    EXPECT_EQ(out.bytes()[1], 0xC8);

    out.clear();
    out.string(std::string(16383, 'b'));
    EXPECT_EQ(out.bytes()[0], 0xFF);
    EXPECT_EQ(out.bytes()[1], 0xFF);
}

TEST(SnapshotString, OverlongTextIsCutAtACharacterBoundary)
{
    std::string text(16382, 'x');
    text += "\xC3\xA9\xC3\xA9"; // two 2-byte characters straddle the limit
    std::string stored = encodableString(text);
    EXPECT_EQ(stored.size(), 16382u);
}

TEST(SnapshotWriter, HeaderFollowsTheFileLayout)
{
    TRvNDRWriter writer;
    writer.Title = "Loan Report";
    writer.FirstPage = 1;
    writer.LastPage = 9999;
    auto bytes = writeReport(writer, [](TRvNDRWriter& w) { w.PrintLeft("x", 1, 1); });
    ASSERT_GT(bytes.size(), 10u);
    EXPECT_EQ(bytes[0], 'Z');
    auto header = test::parseHeader(bytes);
    EXPECT_EQ(header.version, 2017);
    EXPECT_EQ(header.title, "Loan Report");
    EXPECT_EQ(header.pageCount, 1);
    EXPECT_EQ(header.firstPage, 1);
    EXPECT_EQ(header.lastPage, 9999);
    EXPECT_FLOAT_EQ(header.paperWidth, 8.5f);
    EXPECT_FLOAT_EQ(header.paperHeight, 11.0f);
    EXPECT_EQ(header.bin, 265);
    EXPECT_EQ(header.copies, 1);
    EXPECT_EQ(header.paperSize, 1);
    EXPECT_EQ(bytes[header.firstPageOffset], 80);
}

TEST(SnapshotWriter, ThreePagesAreChainedBothWays)
{
    auto bytes = writeReport([](TRvNDRWriter& w) {
        w.PrintLeft("one", 1, 1);
        w.NewPage();
        w.PrintLeft("two", 1, 1);
        w.NewPage();
        w.PrintLeft("three", 1, 1);
    });
    EXPECT_EQ(test::parseHeader(bytes).pageCount, 3);
    auto pages = test::parsePages(bytes);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].previous, 0);
    EXPECT_EQ(pages[1].previous, static_cast<int32_t>(pages[0].offset));
    EXPECT_EQ(pages[2].previous, static_cast<int32_t>(pages[1].offset));
    EXPECT_EQ(pages[2].next, 0);
    EXPECT_EQ(pages[2].number, 3);
    // Each page ends with its end marker right before the next header.
    EXPECT_EQ(bytes[pages[1].offset - 1], 82);
    EXPECT_EQ(bytes.back(), 82);
}

TEST(SnapshotWriter, SameTextTwiceEmitsTheFontChangeOnce)
{
    auto calls = replay(writeReport([](TRvNDRWriter& w) {
        w.Font().color = clRed;
        w.PrintLeft("Total", 1, 1);
        w.PrintLeft("Total", 1, 2);
    }));
    // Page start: complete font and its size; then one colour change before the first text.
    ASSERT_EQ(countPrefix(calls, "Font"), 3);
    auto first = std::find(calls.begin(), calls.end(), "LeftText 1.000,1.000 Total");
    ASSERT_NE(first, calls.end());
    EXPECT_EQ((first - 1)->rfind("Font", 0), 0u);
    EXPECT_NE((first - 1)->find(std::to_string(clRed)), std::string::npos);
    EXPECT_EQ(*(first + 1), "LeftText 1.000,2.000 Total");
}

TEST(SnapshotWriter, SizeAndStyleChangesCarryTheMeasuredSampleWidth)
{
    auto bytes = writeReport([](TRvNDRWriter& w) {
        w.PrintLeft("a", 1, 1);
        w.Font().bold = true;
        w.PrintLeft("b", 1, 2);
    });
    // The bold change is followed by code 54 with the sample width of the bold font.
    std::vector<uint8_t> bold = { 55, 1, 54 };
    auto found = std::search(bytes.begin(), bytes.end(), bold.begin(), bold.end());
    ASSERT_NE(found, bytes.end());
    test::ByteCursor cursor { bytes, static_cast<size_t>(found - bytes.begin()) + 3 };
    EXPECT_FLOAT_EQ(cursor.f32(), 10.0f / 72.0f);
    TRvFont font;
    font.bold = true;
    EXPECT_FLOAT_EQ(cursor.f32(), static_cast<float>(ScreenMetricsMeasurer().textWidth(font, kFontSampleText)));
}

TEST(SnapshotWriter, PositionedTextsWithSpacesBecomeBlockTexts)
{
    TRvNDRWriter writer;
    double width = writer.TextWidth("Hello world");
    auto calls = replay(writeReport(writer, [](TRvNDRWriter& w) {
        w.PrintCenter("Hello world", 4, 1);
        w.PrintRight("Hello world", 4, 2);
        w.PrintCenter("Hello", 4, 3);
        w.PrintLeft("Page " + reportVariablePlaceholder(11), 1, 4);
    }), false);
    EXPECT_EQ(calls[2], "BlockText " + test::num(4 - width / 2) + ",1.000 " + test::num(width) + " Hello world");
    EXPECT_EQ(calls[3], "BlockText " + test::num(4 - width) + ",2.000 " + test::num(width) + " Hello world");
    EXPECT_EQ(calls[4], "CenterText 4.000,3.000 Hello");
    EXPECT_EQ(calls[5], "LeftText 1.000,4.000 Page 1");
}

TEST(SnapshotWriter, AppearanceAccuracyKeepsJustifiedTexts)
{
    TRvNDRWriter writer;
    writer.AccuracyMethod = TAccuracyMethod::amAppearance;
    auto calls = replay(writeReport(writer, [](TRvNDRWriter& w) {
        w.PrintRight("Hello world", 4, 1);
        w.Font().rotation = 90;
    }), false);
    EXPECT_EQ(calls[2], "RightText 4.000,1.000 Hello world");
}

TEST(SnapshotWriter, CurrentXMovesPastTheText)
{
    TRvNDRWriter writer;
    writeReport(writer, [](TRvNDRWriter& w) {
        double width = w.TextWidth("abc");
        w.PrintLeft("abc", 1, 1);
        EXPECT_DOUBLE_EQ(w.CurrentX(), 1 + width);
        w.PrintCenter("abc", 3, 1);
        EXPECT_DOUBLE_EQ(w.CurrentX(), 3 + width / 2);
        w.PrintRight("abc", 5, 1);
        EXPECT_DOUBLE_EQ(w.CurrentX(), 5);
    });
}

TEST(SnapshotWriter, ScaleAndOriginApplyToPositions)
{
    auto calls = replay(writeReport([](TRvNDRWriter& w) {
        w.SetOrigin(0.5, 0.25);
        w.SetScaleX(200);
        w.SetScaleY(50);
        w.Rectangle({ 1, 1, 2, 3 });
        w.PrintBlock("a b", 1, 1, 2);
    }), false);
    EXPECT_EQ(calls[2], "Rectangle 3.000,0.625-5.000,1.625");
    EXPECT_EQ(calls[3], "BlockText 3.000,0.625 4.000 a b");
}

TEST(SnapshotWriter, TotalPagesPlaceholderShowsTheFinalCountOnPageOne)
{
    auto bytes = writeReport([](TRvNDRWriter& w) {
        std::string text = "Page " + reportVariablePlaceholder(11) + " of " + reportVariablePlaceholder(10);
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                w.NewPage();
            w.PrintLeft(text, 1, 1);
        }
    });
    TMemoryStream stream(bytes);
    RecordingRender render;
    render.recordState = false;
    TRPConverter converter(stream, render);
    converter.GeneratePage(1);
    EXPECT_EQ(render.calls.back(), "PageEnd");
    EXPECT_EQ(render.calls[render.calls.size() - 2], "LeftText 1.000,1.000 Page 1 of 3");
    converter.GeneratePage(3);
    EXPECT_EQ(render.calls[render.calls.size() - 2], "LeftText 1.000,1.000 Page 3 of 3");
}

TEST(SnapshotWriter, DateVariablesShowTheDrawingTime)
{
    auto bytes = writeReport([](TRvNDRWriter& w) { w.PrintLeft(reportVariablePlaceholder(3) + "|" + reportVariablePlaceholder(7), 1, 1); });
    TMemoryStream stream(bytes);
    RecordingRender render;
    render.recordState = false;
    TRPConverter converter(stream, render);
    converter.Now = [] {
        std::tm t {};
        t.tm_year = 126;
        t.tm_mon = 11;
        t.tm_mday = 9;
        t.tm_hour = 14;
        t.tm_min = 5;
        return t;
    };
    converter.GeneratePage(1);
    EXPECT_EQ(render.calls[1], "LeftText 1.000,1.000 09/12/26|14:05");
}

TEST(SnapshotWriter, VariablesAreFilledInLaterOnEveryPage)
{
    auto bytes = writeReport([](TRvNDRWriter& w) {
        std::string text = "Total: " + namedVariablePlaceholder("Total");
        w.DefineVariable("Total");
        w.DefineVariable("Known", "fixed");
        w.PrintLeft(text, 1, 1);
        w.NewPage();
        w.PrintLeft(text, 1, 1);
        w.PrintLeft(namedVariablePlaceholder("Known") + namedVariablePlaceholder("Missing"), 1, 2);
        w.NewPage();
        w.SetVariable("Total", "1,234.50");
        w.PrintLeft(text, 1, 1);
    });
    auto calls = replay(bytes, false);
    std::vector<std::string> expected = {
        "DocBegin",
        "PageBegin 1 8.500x11.000", "LeftText 1.000,1.000 Total: 1,234.50", "PageEnd",
        "PageBegin 2 8.500x11.000", "LeftText 1.000,1.000 Total: 1,234.50", "LeftText 1.000,2.000 fixed", "PageEnd",
        "PageBegin 3 8.500x11.000", "LeftText 1.000,1.000 Total: 1,234.50", "PageEnd",
        "DocEnd",
    };
    EXPECT_EQ(calls, expected);
}

TEST(SnapshotWriter, VariableNeverFilledInReadsEmpty)
{
    auto bytes = writeReport([](TRvNDRWriter& w) {
        w.DefineVariable("Later");
        w.PrintLeft("[" + namedVariablePlaceholder("Later") + "]", 1, 1);
        w.NewPage();
        w.PrintLeft("[" + namedVariablePlaceholder("Later") + "]", 1, 1);
    });
    auto calls = replay(bytes, false);
    EXPECT_EQ(calls[2], "LeftText 1.000,1.000 []");
    EXPECT_EQ(calls[5], "LeftText 1.000,1.000 []");
    // The reserved slot is closed empty at the end, so no reader meets a slot pointing at itself.
    std::vector<uint8_t> define = { 37, 5, 'L', 'a', 't', 'e', 'r' };
    auto slot = std::search(bytes.begin(), bytes.end(), define.begin(), define.end()) + 7;
    ASSERT_LT(slot, bytes.end());
    EXPECT_EQ(slot[0], 128);
    EXPECT_EQ(slot[1], 0);
}

TEST(SnapshotWriter, ReusedGraphicIsWrittenOnceAndReadTwice)
{
    TRvGraphic picture { GraphicType::Bitmap, std::vector<uint8_t>(1000, 'p') };
    auto reused = writeReport([&](TRvNDRWriter& w) {
        w.RegisterGraphic(3);
        w.Draw(1, 1, picture);
        w.NewPage();
        w.ReuseGraphic(3);
        w.StretchDraw({ 1, 1, 2, 2 }, picture);
    });
    auto plain = writeReport([&](TRvNDRWriter& w) {
        w.Draw(1, 1, picture);
        w.NewPage();
        w.StretchDraw({ 1, 1, 2, 2 }, picture);
    });
    EXPECT_LT(reused.size() + 900, plain.size());
    EXPECT_EQ(replay(reused), replay(plain));
}

TEST(SnapshotWriter, WriterFailuresCarryTheirTexts)
{
    TRvNDRWriter writer;
    writer.StreamMode = TStreamMode::smUser;
    EXPECT_THROW(
        {
            try {
                writer.Start();
            } catch (const EReportPrinter& e) {
                EXPECT_STREQ(e.what(), "StreamMode is smUser but Stream is nil");
                throw;
            }
        },
        EReportPrinter);

    TRvNDRWriter w2;
    writeReport(w2, [](TRvNDRWriter& w) {
        try {
            w.CopyRect({ 0, 0, 1, 1 }, { 0, 0, 1, 1 });
            ADD_FAILURE();
        } catch (const EReportPrinter& e) {
            EXPECT_STREQ(e.what(), "CopyRect() not supported in file mode.");
        }
        auto expectIndexError = [](const std::function<void()>& call, const char* text) {
            try {
                call();
                ADD_FAILURE() << text;
            } catch (const EReportPrinter& e) {
                EXPECT_STREQ(e.what(), text);
            }
        };
        expectIndexError([&] { w.RegisterGraphic(0); }, "RegisterGraphic: Index must be between 1 and 10");
        expectIndexError([&] { w.UnregisterGraphic(11); }, "UnregisterGraphic: Index must be between 1 and 10");
        expectIndexError([&] { w.ReuseGraphic(-1); }, "ReuseGraphic: Index must be between 1 and 10");
        w.RegisterGraphic(10);
    });
}

// A writer that is not running refuses to start over or to draw, and every text it
// raises goes through the translation hook.
TEST(SnapshotWriter, StateChecksAndTranslatedTexts)
{
    auto message = [](const std::function<void()>& call) -> std::string {
        try {
            call();
        } catch (const EReportPrinter& e) {
            return e.what();
        }
        return "(no error)";
    };
    const std::string notPrinting = "Invalid method call.  Report writer is not printing.";
    TRvNDRWriter idle;
    EXPECT_EQ(message([&] { idle.PrintLeft("x", 1, 1); }), notPrinting);
    EXPECT_EQ(message([&] { idle.NewPage(); }), notPrinting);
    EXPECT_EQ(message([&] { idle.End(); }), notPrinting);
    idle.SetScaleX(50); // settings may come before the run starts
    EXPECT_EQ(idle.ScaleX(), 50);

    TRvNDRWriter running;
    writeReport(running, [&](TRvNDRWriter& w) {
        EXPECT_EQ(message([&] { w.Start(); }), "Invalid method call.  Report writer already printing.");
    });
    EXPECT_EQ(message([&] { running.LineTo(1, 1); }), notPrinting) << "finished";

    // Thrown where no translator is in reach, an error keeps its pattern as written and
    // its value apart, for the report system that shows it to translate.
    auto written = [](const std::function<void()>& call) -> qv::report::ReportText {
        try {
            call();
        } catch (const EReportPrinter& e) {
            return e.text();
        }
        return {"(no error)", std::nullopt};
    };
    TRvNDRWriter unbound;
    unbound.StreamMode = TStreamMode::smUser;
    auto missing = written([&] { unbound.Start(); });
    EXPECT_EQ(missing.pattern, "StreamMode is smUser but Stream is nil");
    EXPECT_EQ(missing.value, std::nullopt);
    auto slot = written([&] { writeReport([](TRvNDRWriter& w) { w.ReuseGraphic(0); }); });
    EXPECT_EQ(slot.pattern, "ReuseGraphic: Index must be between 1 and %d");
    EXPECT_EQ(slot.value, "10");
    TMemoryStream garbage(std::vector<uint8_t> {'X', 0, 0});
    RecordingRender render;
    auto header = written([&] { TRPConverter(garbage, render).Generate(); });
    EXPECT_EQ(header.pattern, "Unexpected header code [%d] found in report file.");
    EXPECT_EQ(header.shown(), "Unexpected header code [88] found in report file.");
    // The translator sees the pattern, never the filled text.
    auto german = [](const std::string& text) {
        return text == "Unexpected header code [%d] found in report file." ? "Unerwarteter Kopfcode [%d]." : text;
    };
    EXPECT_EQ(header.shown(german), "Unerwarteter Kopfcode [88].");
}

TEST(SnapshotWriter, PagesOutsideThePrintRangeAreNotWritten)
{
    TRvNDRWriter writer;
    writer.FirstPage = 2;
    writer.LastPage = 3;
    auto bytes = writeReport(writer, [](TRvNDRWriter& w) {
        for (int page = 1; page <= 4; ++page) {
            if (page > 1)
                w.NewPage();
            w.PrintLeft("page" + std::to_string(page), 1, 1);
        }
    });
    EXPECT_EQ(test::parseHeader(bytes).pageCount, 2);
    auto pages = test::parsePages(bytes);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].number, 2);
    EXPECT_EQ(pages[0].previous, 0);
    EXPECT_EQ(pages[1].number, 3);
    EXPECT_EQ(pages[1].next, 0);
    auto calls = replay(bytes, false);
    EXPECT_EQ(calls[2], "LeftText 1.000,1.000 page2");
    EXPECT_EQ(calls[5], "LeftText 1.000,1.000 page3");
}

TEST(PrintRange, SelectionTexts)
{
    EXPECT_TRUE(pageInRange(5, "", 1, 9999));
    EXPECT_FALSE(pageInRange(5, "", 6, 9999));
    EXPECT_TRUE(pageInRange(7, "all", 1, 1));
    EXPECT_TRUE(pageInRange(4, "e", 1, 1));
    EXPECT_FALSE(pageInRange(5, "EVEN", 1, 1));
    EXPECT_TRUE(pageInRange(5, "odd", 1, 1));
    EXPECT_FALSE(pageInRange(5, "R", 1, 9999));
    EXPECT_TRUE(pageInRange(5, "1, 3-5", 1, 1));
    EXPECT_FALSE(pageInRange(6, "1,3-5", 1, 1));
    EXPECT_TRUE(pageInRange(60, "7-", 1, 1));
    EXPECT_TRUE(pageInRange(2, "-3", 1, 1));
    EXPECT_FALSE(pageInRange(4, "-3", 1, 1));
    // Items are tried in order, so a bad item after a match is never reached.
    EXPECT_TRUE(pageInRange(1, "1,x", 1, 1));
    EXPECT_THROW(pageInRange(2, "1,x", 1, 1), EConvertError);
}

TEST(SnapshotWriter, AbortFinishesTheCurrentPageAndWritesNoMore)
{
    auto bytes = writeReport([](TRvNDRWriter& w) {
        w.PrintLeft("one", 1, 1);
        w.NewPage();
        w.PrintLeft("two", 1, 1);
        w.Abort();
        EXPECT_TRUE(w.Aborted());
        w.NewPage();
        w.PrintLeft("three", 1, 1);
    });
    EXPECT_EQ(test::parseHeader(bytes).pageCount, 2);
    EXPECT_EQ(test::parsePages(bytes).size(), 2u);
}

namespace {

// Records the size of every write that reaches the stream.
class WriteSizeStream : public TStream {
public:
    TMemoryStream inner;
    std::vector<size_t> writes;
    size_t read(void* b, size_t n) override { return inner.read(b, n); }
    void write(const void* b, size_t n) override
    {
        writes.push_back(n);
        inner.write(b, n);
    }
    int64_t position() const override { return inner.position(); }
    void seek(int64_t p) override { inner.seek(p); }
    int64_t size() const override { return inner.size(); }
    void setSize(int64_t s) override { inner.setSize(s); }
};

} // namespace

TEST(SnapshotWriter, OutputGoesOutInBlocksOf16K)
{
    WriteSizeStream stream;
    TRvNDRWriter writer;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    writer.Start();
    for (int line = 0; line < 2000; ++line)
        writer.PrintLeft("Line of text number " + std::to_string(line), 1, 1);
    writer.Draw(1, 1, { GraphicType::Bitmap, std::vector<uint8_t>(40000, 'x') });
    writer.End();
    bool sawLargeWrite = false;
    for (size_t size : stream.writes) {
        if (size > OutputBuffer::kCapacity)
            sawLargeWrite = true;
        else
            EXPECT_LE(size, OutputBuffer::kCapacity);
    }
    EXPECT_TRUE(sawLargeWrite);
    // Blocks are filled: far fewer writes than commands.
    EXPECT_LT(stream.writes.size(), 30u);
    auto calls = replay(stream.inner.bytes(), false);
    EXPECT_EQ(calls.size(), 2000u + 5u);
}

TEST(SnapshotWriter, FileAndTempFileModes)
{
    namespace fs = std::filesystem;
    qv::test::ScratchDir scratch("qv-snapshot");
    fs::path file = scratch.file("test.ndr");
    TRvNDRWriter writer;
    writer.StreamMode = TStreamMode::smFile;
    writer.FileName = file.string();
    writer.OnPrint = [](TBaseReport& r) { r.PrintLeft("onfile", 1, 1); };
    writer.Execute();
    writer.TakeOutputStream();
    TFileStream reread(file.string(), TFileStream::Mode::OpenRead);
    RecordingRender render;
    TRPConverter(reread, render).Generate();
    EXPECT_EQ(render.drawing()[2], "LeftText 1.000,1.000 onfile");
    fs::remove(file);

    TRvNDRWriter temp;
    temp.StreamMode = TStreamMode::smTempFile;
    temp.Execute();
    EXPECT_EQ(fs::path(temp.FileName).filename().string().substr(0, 2), "RV");
    EXPECT_TRUE(fs::exists(temp.FileName));
    temp.TakeOutputStream();
    fs::remove(temp.FileName);

    TRvNDRWriter bad;
    bad.StreamMode = TStreamMode::smFile;
    bad.FileName = "/nonexistent-dir/x.ndr";
    EXPECT_THROW(bad.Start(), EReportPrinter);
}

TEST(ScreenMetrics, WholePixelAdvancesOfTheStandInFaces)
{
    ScreenMetricsMeasurer measure;
    TRvFont arial; // Arial 10 pt: a 13-pixel em, digits 7 pixels wide
    EXPECT_DOUBLE_EQ(measure.textWidth(arial, "0123456789"), 70.0 / 96.0);
    // Right-aligned amounts line up: every digit has the same advance.
    EXPECT_DOUBLE_EQ(measure.textWidth(arial, "1,111.11"), measure.textWidth(arial, "9,876.54"));
    TRvFont bold = arial;
    bold.bold = true;
    EXPECT_GT(measure.textWidth(bold, "abc"), measure.textWidth(arial, "abc"));
    TRvFont courier = arial;
    courier.name = "Courier New";
    EXPECT_DOUBLE_EQ(measure.textWidth(courier, "iiii"), measure.textWidth(courier, "MMMM"));
    TRvFont times = arial;
    times.name = "Times New Roman";
    EXPECT_LT(measure.textWidth(times, "abc"), measure.textWidth(arial, "abc"));
    EXPECT_DOUBLE_EQ(measure.textWidth(arial, ""), 0.0);
}
