#include "RecordingRender.h"
#include "SnapshotTestUtil.h"

#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/TRvNDRWriter.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::snapshot;
using qv::test::RecordingRender;

namespace {

std::vector<std::string> replay(const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream(bytes);
    RecordingRender render;
    TRPConverter converter(stream, render);
    converter.Generate();
    return render.calls;
}

std::string failureOf(const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream(bytes);
    RecordingRender render;
    TRPConverter converter(stream, render);
    try {
        converter.Generate();
    } catch (const EReportPrinter& e) {
        return e.what();
    }
    return "no error";
}

std::vector<uint8_t> sampleReport()
{
    TMemoryStream stream;
    TRvNDRWriter writer;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    writer.Start();
    writer.PrintLeft("Hello", 1, 1);
    writer.NewPage();
    writer.PrintLeft("World", 1, 1);
    writer.End();
    return stream.bytes();
}

// A snapshot of an older version, built field by field.
std::vector<uint8_t> olderSnapshot(char marker)
{
    bool v2009 = marker == 'Y';
    ByteWriter out;
    out.byte(static_cast<uint8_t>(marker));
    out.int16(1);          // page count
    out.int16(1);          // first page
    out.int16(9999);       // last page
    out.float32(8.5f);
    out.float32(11.0f);
    for (int i = 0; i < 4; ++i)
        out.float32(0.25f);
    out.byte(0);
    if (v2009) {
        out.int16(265);
        out.byte(0);
        out.byte(0);
    }
    out.int16(1);
    out.int16(1);
    out.int16(0);
    out.int16(0);
    out.string("LPT1:");
    out.byte(80);
    out.int32(0);
    out.int32(0);
    out.int16(1);
    if (v2009) {
        out.float32(8.0f);
        out.float32(10.0f);
    }
    out.byte(50);
    out.string("Times");
    out.int32(0);
    out.byte(0);
    out.float32(12.0f / 72.0f);
    out.byte(1); // bold
    out.byte(0);
    out.byte(0);
    out.byte(0);
    if (v2009)
        out.int16(0);
    out.byte(54);
    out.float32(14.0f / 72.0f);
    if (v2009)
        out.float32(3.0f);
    out.byte(24);
    out.float32(2.0f);
    out.string("old");
    out.float32(1.0f);
    out.byte(82);
    return out.bytes();
}

} // namespace

TEST(SnapshotRoundTrip, ReplayGivesTheWrittenCommands)
{
    TMemoryStream stream;
    TRvNDRWriter writer;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    TRvGraphic bitmap { GraphicType::Bitmap, { 'B', 'M' } };
    TRvGraphic icon { GraphicType::Icon, { 'I' } };
    writer.Start();
    writer.Pen().color = clBlue;
    writer.Pen().width = 0.02f;
    writer.MoveTo(1, 1);
    writer.LineTo(2, 2);
    writer.Brush().color = clYellow;
    writer.Rectangle({ 1, 1, 2, 2 });
    writer.TabRectangle({ 1, 2, 3, 4 });
    writer.FillRect({ 0, 0, 1, 1 });
    writer.Ellipse({ 1, 1, 3, 2 });
    writer.RoundRect({ 1, 1, 3, 2 }, 0.25, 0.5);
    writer.Arc({ 0, 0, 2, 2 }, { 2, 1 }, { 1, 0 });
    writer.Chord({ 0, 0, 2, 2 }, { 2, 1 }, { 1, 0 });
    writer.Pie({ 0, 0, 2, 2 }, { 2, 1 }, { 1, 0 });
    writer.Polygon({ { 0, 0 }, { 1, 0 }, { 1, 1 } });
    writer.Polyline({ { 0, 0 }, { 2, 2 } });
    writer.FloodFill(1, 1, clRed, 0);
    writer.FrameRect({ 0, 0, 1, 1 });
    writer.DrawFocusRect({ 0, 0, 1, 1 });
    writer.BrushCopy({ 0, 0, 1, 1 }, bitmap, { 0, 0, 1, 1 }, clRed);
    writer.Draw(1, 2, icon);
    writer.StretchDraw({ 1, 1, 2, 2 }, bitmap);
    writer.PrintBitmap(1, 1, 2, 3, bitmap);
    writer.PrintBitmapRect({ 1, 1, 2, 2 }, bitmap);
    writer.SetFrameMode(1);
    writer.SetTextBKMode(TBKMode::bkOpaque);
    writer.SetBKColor(clSilver);
    writer.Font().italic = true;
    writer.Font().size = 12;
    writer.TextRect({ 1, 1, 3, 2 }, 1, 1.5, "clip");
    writer.PrintBlock("block text", 1, 3, 2);
    writer.Font().underline = true;
    writer.NewPage();
    writer.PrintLeft("next", 1, 1);
    writer.ChangeOrientation(TOrientation::poLandScape);
    writer.ChangeBin("Tray 2");
    writer.End();

    std::vector<std::string> expected = {
        "DocBegin",
        "PageBegin 1 8.500x11.000",
        "Brush 16777215 0", "Font Arial 10.000 0 r0", "Font Arial 10.000 0 r0", "Pen 0 0 0.000",
        "MoveTo 1.000,1.000", "Pen 16711680 0 0.000", "Pen 16711680 0 0.020", "LineTo 2.000,2.000",
        "Brush 65535 0",
        "Rectangle 1.000,1.000-2.000,2.000", "TabRectangle 1.000,2.000-3.000,4.000", "FillRect 0.000,0.000-1.000,1.000",
        "Ellipse 1.000,1.000-3.000,2.000", "RoundRect 1.000,1.000-3.000,2.000 0.250 0.500",
        "Arc 0.000,0.000-2.000,2.000 2.000,1.000 1.000,0.000",
        "Chord 0.000,0.000-2.000,2.000 2.000,1.000 1.000,0.000",
        "Pie 0.000,0.000-2.000,2.000 2.000,1.000 1.000,0.000",
        "Polygon 0.000,0.000 1.000,0.000 1.000,1.000", "Polyline 0.000,0.000 2.000,2.000",
        "Draw 1.000,2.000 g3:I", "StretchDraw 1.000,1.000-2.000,2.000 g1:BM",
        "PrintBitmap 1.000,1.000 2.000 3.000 g1:BM", "PrintBitmapRect 1.000,1.000-2.000,2.000 g1:BM",
        "FrameMode 1",
        "Font Arial 10.000 0 i r0", "Font Arial 12.000 0 i r0",
        "TextRect 1.000,1.000-3.000,2.000 1.000,1.500 clip",
        "BlockText 1.000,3.000 2.000 block text",
        "PageEnd",
        "PageBegin 2 8.500x11.000",
        "Brush 65535 0", "Font Arial 12.000 0 i r0", "Font Arial 12.000 0 i r0", "Font Arial 12.000 0 i u r0",
        "Pen 16711680 0 0.020",
        "LeftText 1.000,1.000 next",
        "PageEnd",
        "DocEnd",
    };
    EXPECT_EQ(replay(stream.bytes()), expected);
}

TEST(SnapshotConverter, ReadsTheHeaderFields)
{
    TRvNDRWriter writer;
    TMemoryStream stream;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    writer.Title = "Schedule";
    writer.Orientation = TOrientation::poLandScape;
    writer.Paper.outputName = "report.prn";
    writer.Start();
    writer.End();
    RecordingRender render;
    TRPConverter converter(stream, render);
    EXPECT_EQ(converter.Title(), "Schedule");
    EXPECT_EQ(converter.PageCount(), 1);
    EXPECT_DOUBLE_EQ(converter.PaperWidth(), 11.0);
    EXPECT_DOUBLE_EQ(converter.PaperHeight(), 8.5);
    EXPECT_EQ(converter.Header().orientation, 1);
    EXPECT_EQ(converter.Header().outputName, "report.prn");
}

TEST(SnapshotConverter, PagesAreReachedInAnyOrder)
{
    auto bytes = sampleReport();
    TMemoryStream stream(bytes);
    RecordingRender render;
    render.recordState = false;
    TRPConverter converter(stream, render);
    converter.GeneratePage(2);
    converter.GeneratePage(1);
    converter.GeneratePage(2);
    std::vector<std::string> expected = {
        "PageBegin 2 8.500x11.000", "LeftText 1.000,1.000 World", "PageEnd",
        "PageBegin 1 8.500x11.000", "LeftText 1.000,1.000 Hello", "PageEnd",
        "PageBegin 2 8.500x11.000", "LeftText 1.000,1.000 World", "PageEnd",
    };
    EXPECT_EQ(render.calls, expected);
    EXPECT_THROW(converter.GeneratePage(3), EReportPrinter);
    EXPECT_THROW(converter.GeneratePage(0), EReportPrinter);
}

TEST(SnapshotConverter, OlderSnapshotsWithoutVersionField)
{
    auto y = replay(olderSnapshot('Y'));
    std::vector<std::string> expectedY = {
        "DocBegin", "PageBegin 1 8.000x10.000", "Font Times 12.000 0 b r0", "Font Times 14.000 0 b r0",
        "LeftText 1.000,2.000 old", "PageEnd", "DocEnd",
    };
    EXPECT_EQ(y, expectedY);

    TMemoryStream stream(olderSnapshot('Y'));
    RecordingRender render;
    TRPConverter converter(stream, render);
    EXPECT_EQ(converter.Header().version, 2009);
    EXPECT_EQ(converter.Title(), "");
    EXPECT_EQ(converter.Header().outputName, "LPT1:");

    // Version 1101 has no printer fields, no page size and no sample width.
    auto q = replay(olderSnapshot('Q'));
    ASSERT_EQ(q.size(), 7u);
    EXPECT_EQ(q[1], "PageBegin 1 8.500x11.000");
    EXPECT_EQ(q[4], "LeftText 1.000,2.000 old");
}

TEST(SnapshotConverter, DamagedSnapshotsFailWithClearTexts)
{
    EXPECT_EQ(failureOf({ 'A', 1, 2 }), "Unexpected header code [65] found in report file.");
    EXPECT_EQ(failureOf({}), "Unexpected end of report file.");

    auto bytes = sampleReport();
    size_t first = test::parseHeader(bytes).firstPageOffset;
    auto noPageMarker = bytes;
    noPageMarker[first] = 81;
    EXPECT_EQ(failureOf(noPageMarker), "Unexpected code found in report file.");

    auto pages = test::parsePages(bytes);
    auto badCommand = bytes;
    badCommand[pages[1].offset - 1] = 99; // page 1's end marker
    EXPECT_EQ(failureOf(badCommand), "Unexpected code [99] found in report file.");

    auto cut = bytes;
    cut.resize(pages[1].offset - 3);
    EXPECT_EQ(failureOf(cut), "Unexpected end of report file.");

    // A next position pointing back at page 1 must not send the walk round in circles.
    auto loop = bytes;
    uint32_t self = static_cast<uint32_t>(first);
    for (int i = 0; i < 4; ++i)
        loop[first + 5 + static_cast<size_t>(i)] = static_cast<uint8_t>(self >> (8 * i));
    auto loopHeader = test::parseHeader(loop);
    loop[loopHeader.pageCountOffset] = 200;
    EXPECT_EQ(failureOf(loop), "Page 2 not found in report file.");

    auto negativeCount = bytes;
    negativeCount[test::parseHeader(bytes).pageCountOffset + 1] = 0x80;
    EXPECT_EQ(failureOf(negativeCount), "Invalid page count found in report file.");
}

TEST(SnapshotConverter, OversizedCountsAreRejectedBeforeUse)
{
    auto bytes = sampleReport();
    auto pages = test::parsePages(bytes);
    // Replace page 1's end marker by a polygon claiming 32767 points.
    auto polygon = std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(pages[1].offset - 1));
    polygon.push_back(14);
    polygon.push_back(0xFF);
    polygon.push_back(0x7F);
    EXPECT_EQ(failureOf(polygon), "Unexpected end of report file.");

    auto graphic = std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(pages[1].offset - 1));
    for (uint8_t b : { 5, 1, 0xFF, 0xFF, 0xFF, 0x7F })
        graphic.push_back(b);
    EXPECT_EQ(failureOf(graphic), "Unexpected end of report file.");

    auto reuse = std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(pages[1].offset - 1));
    for (uint8_t b : { 5, 0x81, 0xF0, 0xFF, 0, 0 })
        reuse.push_back(b);
    EXPECT_EQ(failureOf(reuse), "Invalid position found in report file.");
}
