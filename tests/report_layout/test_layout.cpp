#include "LayoutFixture.h"

#include <gtest/gtest.h>

namespace qv::report::test {
namespace {

std::vector<std::string> rowNames(int from, int to)
{
    std::vector<std::string> names;
    for (int i = from; i <= to; ++i)
        names.push_back("R" + std::to_string(i));
    return names;
}

TEST(ReportLayout, HundredRowsFillFifteenPerSheetOnSevenSheets)
{
    LayoutFixture f;
    f.setRows(100);
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 7u);
    for (int sheet = 0; sheet < 6; ++sheet)
        EXPECT_EQ(render.textsWith(sheet, "R"), rowNames(sheet * 15 + 1, sheet * 15 + 15)) << "sheet " << sheet;
    EXPECT_EQ(render.textsWith(6, "R"), rowNames(91, 100));
    EXPECT_EQ(f.fetches, 100) << "each row comes from the source once";
    // Rows stack 0.2 inch apart from the region's top.
    const auto& first = render.pages[0];
    EXPECT_NEAR(first[1].y - first[0].y, 0.2, 1e-4);
    EXPECT_NEAR(first[0].x, 0.5, 1e-4);
}

TEST(ReportLayout, HeaderRepeatedOnEveryNewSheetShiftsRows)
{
    LayoutFixture f;
    f.addBand("Header", plBodyHeader, setOf(poFirst, poNewPage), "Column header");
    f.setRows(100);
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 8u);
    for (std::size_t sheet = 0; sheet < render.pages.size(); ++sheet)
        EXPECT_EQ(render.textsWith(int(sheet), "Column").size(), 1u) << "sheet " << sheet;
    EXPECT_EQ(render.textsWith(0, "R"), rowNames(1, 14));
    EXPECT_EQ(render.textsWith(7, "R"), rowNames(99, 100));
    // The header sits at the region's top and the first row below it.
    EXPECT_LT(render.pages[1][0].y, render.pages[1][1].y);
}

TEST(ReportLayout, HeaderPrintedOnlyFirstTimeStaysOnFirstSheet)
{
    LayoutFixture f;
    f.addBand("Header", plBodyHeader, setOf(poFirst), "Column header");
    f.setRows(40);
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 3u);
    EXPECT_EQ(render.textsWith(0, "Column").size(), 1u);
    EXPECT_TRUE(render.textsWith(1, "Column").empty());
    EXPECT_EQ(render.textsWith(1, "R"), rowNames(15, 29));
}

TEST(ReportLayout, EmptyViewPrintsNoHeaderOrFooter)
{
    LayoutFixture f;
    f.addBand("Header", plBodyHeader, setOf(poFirst, poNewPage), "Column header");
    f.addBand("Footer", plBodyFooter, setOf(poFirst), "Body footer");
    f.setRows(0);
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 1u);
    EXPECT_TRUE(render.pages[0].empty());
}

TEST(ReportLayout, TwoColumnsFillLeftThenRightThenNewSheet)
{
    LayoutFixture f;
    f.region->setWidth(6.0);
    f.region->setColumns(2);
    f.region->setColumnSpacing(0.5);
    f.setRows(40);
    int newColumns = 0;
    int sectionEnds = 0;
    f.prepare = [&](TRvNDRWriter& writer) {
        writer.OnNewColumn = [&](TBaseReport&) { ++newColumns; };
        writer.OnEndOfSection = [&](TBaseReport&) { ++sectionEnds; };
    };
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 2u);
    EXPECT_EQ(newColumns, 1) << "only the move to the right column";
    EXPECT_EQ(sectionEnds, 2) << "the region ends once on each sheet";
    EXPECT_EQ(render.textsWith(0, "R"), rowNames(1, 30));
    const auto& sheet = render.pages[0];
    EXPECT_NEAR(sheet[0].x, 0.5, 1e-4);
    EXPECT_NEAR(sheet[15].x, 0.5 + 2.75 + 0.5, 1e-4) << "row 16 opens the right column";
    EXPECT_NEAR(sheet[15].y, sheet[0].y, 1e-4);
    EXPECT_EQ(render.textsWith(1, "R"), rowNames(31, 40));
    EXPECT_NEAR(render.pages[1][0].x, 0.5, 1e-4);
}

TEST(ReportLayout, GroupHeaderOncePerRunAndFooterAfterItsLastRow)
{
    LayoutFixture f;
    TRpBand* header = f.addBand("GroupHead", plGroupHeader, setOf(poFirst), "GH");
    header->setGroupKey("Grp");
    TRpBand* footer = f.addBand("GroupFoot", plGroupFooter, setOf(poFirst), "GF");
    footer->setGroupKey("Grp");
    f.setRows(5, {"a", "a", "b", "b", "b"});
    RecordingRender render = f.run();

    std::vector<std::string> sequence;
    for (const auto& drawn : render.pages[0])
        sequence.push_back(drawn.text);
    EXPECT_EQ(sequence, (std::vector<std::string> {"GH", "R1", "R2", "GF", "GH", "R3", "R4", "R5", "GF"}));
    EXPECT_EQ(f.fetches, 5);
}

TEST(ReportLayout, MaxRowsStopsTheBandAndPrintsBodyFooter)
{
    LayoutFixture f;
    f.dataBand->setMaxRows(5);
    f.addBand("Footer", plBodyFooter, setOf(poFirst), "Footer");
    f.setRows(20);
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 1u);
    std::vector<std::string> expected = rowNames(1, 5);
    expected.push_back("Footer");
    std::vector<std::string> sequence;
    for (const auto& drawn : render.pages[0])
        sequence.push_back(drawn.text);
    EXPECT_EQ(sequence, expected);
}

TEST(ReportLayout, KeepRowTogetherMovesAWholeRowToTheNextSheet)
{
    LayoutFixture f;
    f.addBand("Detail", plDetail, setOf(poFirst), "D");
    f.setRows(10);
    RecordingRender apart = f.run();
    // Without keeping, the 8th row's detail spills onto the second sheet.
    EXPECT_EQ(apart.textsWith(0, "R").size(), 8u);

    f.dataBand->setKeepRowTogether(true);
    RecordingRender together = f.run();
    ASSERT_EQ(together.pages.size(), 2u);
    EXPECT_EQ(together.textsWith(0, "R"), rowNames(1, 7));
    EXPECT_EQ(together.textsWith(0, "D").size(), 7u);
    EXPECT_EQ(together.textsWith(1, "R"), rowNames(8, 10));
    EXPECT_EQ(f.fetches, 10) << "look-ahead replays rows instead of fetching them again";
}

TEST(ReportLayout, KeepBodyTogetherStartsTheBodyOnAFreshSheet)
{
    LayoutFixture f;
    TRpBand* intro = f.add<TRpBand>(*f.region, "Intro");
    intro->setHeight(2.0);
    f.add<TRpText>(*intro, "IntroText")->setText("Intro");
    // Regions print their top-level bands in order: put the intro before the data band.
    auto owned = f.region->removeChild(intro);
    auto data = f.region->removeChild(f.dataBand);
    f.region->addChild(std::move(owned));
    f.region->addChild(std::move(data));
    f.setRows(10);
    EXPECT_EQ(f.run().textsWith(0, "R").size(), 5u);

    f.dataBand->setKeepBodyTogether(true);
    RecordingRender render = f.run();
    ASSERT_EQ(render.pages.size(), 2u);
    EXPECT_TRUE(render.textsWith(0, "R").empty());
    EXPECT_EQ(render.textsWith(1, "R"), rowNames(1, 10));
}

TEST(ReportLayout, BandTallerThanItsRegionStillPrintsOnceInsteadOfLooping)
{
    LayoutFixture f;
    f.dataBand->setHeight(4.0);
    f.setRows(3);
    RecordingRender render = f.run();
    ASSERT_EQ(render.pages.size(), 3u);
    for (int sheet = 0; sheet < 3; ++sheet)
        EXPECT_EQ(render.textsWith(sheet, "R").size(), 1u);
}

TEST(ReportLayout, ToleranceLetsFifteenBandsFillThreeInches)
{
    LayoutFixture f;
    f.dataBand->setHeight(0.2 + 0.000005);
    f.setRows(15);
    EXPECT_EQ(f.run().pages.size(), 1u);
    f.dataBand->setHeight(0.2 + 0.00001);
    EXPECT_EQ(f.run().pages.size(), 2u);
}

TEST(ReportLayout, OrphanRowsKeepTheFirstRowsWithTheirHeader)
{
    LayoutFixture f;
    TRpBand* intro = f.add<TRpBand>(*f.region, "Intro");
    intro->setHeight(2.5);
    auto owned = f.region->removeChild(intro);
    auto data = f.region->removeChild(f.dataBand);
    f.region->addChild(std::move(owned));
    f.region->addChild(std::move(data));
    f.addBand("Header", plBodyHeader, setOf(poFirst, poNewPage), "Column header");
    f.setRows(6);
    // 0.5 inch left: the header and one row would fit, three rows would not.
    EXPECT_EQ(f.run().textsWith(0, "R").size(), 1u);
    f.dataBand->setOrphanRows(3);
    RecordingRender render = f.run();
    ASSERT_EQ(render.pages.size(), 2u);
    EXPECT_TRUE(render.textsWith(0, "Column").empty());
    EXPECT_EQ(render.textsWith(1, "R"), rowNames(1, 6));
    EXPECT_EQ(render.textsWith(1, "Column").size(), 1u);
}

TEST(ReportLayout, MaxPagesStopsARunThatWouldGoOn)
{
    LayoutFixture f;
    f.report->setMaxPages(2);
    f.setRows(100);
    EXPECT_EQ(f.run().pages.size(), 2u);
}

TEST(ReportLayout, SplitBandPrintsEachChildOnTheSheetWhereItsTopFalls)
{
    LayoutFixture f;
    auto moveBefore = [&](TRpBand* band) {
        auto owned = f.region->removeChild(band);
        auto data = f.region->removeChild(f.dataBand);
        f.region->addChild(std::move(owned));
        f.region->addChild(std::move(data));
    };
    TRpBand* intro = f.add<TRpBand>(*f.region, "Intro");
    intro->setHeight(1.0);
    moveBefore(intro);
    TRpBand* tall = f.add<TRpBand>(*f.region, "Tall");
    tall->setHeight(4.0);
    tall->setAllowSplit(true);
    auto* upper = f.add<TRpText>(*tall, "Upper");
    upper->setText("Upper");
    upper->setTop(0.5);
    auto* lower = f.add<TRpText>(*tall, "Lower");
    lower->setText("Lower");
    lower->setTop(3.5);
    moveBefore(tall);
    f.setRows(2);
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 2u);
    ASSERT_EQ(render.textsWith(0, "Upper").size(), 1u);
    EXPECT_TRUE(render.textsWith(0, "Lower").empty());
    EXPECT_TRUE(render.textsWith(1, "Upper").empty());
    ASSERT_EQ(render.textsWith(1, "Lower").size(), 1u);
    // The rest continues at the region's top: Lower sits 1.5 inch below it, like Upper
    // sat 1.5 inch below the region's top on the first sheet.
    EXPECT_NEAR(render.pages[1][0].y, render.pages[0][0].y, 1e-4);
    EXPECT_EQ(render.textsWith(1, "R"), rowNames(1, 2));
}

// A group that runs on past a sheet break opens the next sheet with its header again,
// and so does a row broken between its header and its data band; headers printed
// only the first time stay away.
TEST(ReportLayout, GroupAndRowHeadersForNewSheetsPrintAgainWhereTheirRunContinues)
{
    LayoutFixture f;
    TRpBand* group = f.addBand("GroupHead", plGroupHeader, setOf(poFirst, poNewPage), "GH");
    group->setGroupKey("Grp");
    TRpBand* once = f.addBand("GroupOnce", plGroupHeader, setOf(poFirst), "G1");
    once->setGroupKey("Grp");
    once->setHeight(0);
    TRpBand* rowHead = f.addBand("RowHead", plRowHeader, setOf(poFirst, poNewPage), "");
    rowHead->setHeight(0.3);
    auto* rowLabel = f.add<TRpDataText>(*rowHead, "RowLabel");
    rowLabel->setDataView(f.view.get());
    rowLabel->setDataField("\"H\" + No");
    f.setRows(7, std::vector<std::string>(7, "a"));
    RecordingRender render = f.run();

    auto sequence = [&](int sheet) {
        std::vector<std::string> texts;
        for (const auto& drawn : render.pages.at(std::size_t(sheet)))
            if (!drawn.text.empty())
                texts.push_back(drawn.text);
        return texts;
    };
    ASSERT_EQ(render.pages.size(), 2u);
    // 0.2 inch of group header, five rows of 0.5 inch, then row 6's header fills the sheet.
    EXPECT_EQ(sequence(0), (std::vector<std::string> {"GH", "G1", "H1", "R1", "H2", "R2", "H3", "R3", "H4", "R4", "H5", "R5", "H6"}));
    EXPECT_EQ(sequence(1), (std::vector<std::string> {"GH", "H6", "R6", "H7", "R7"}));
}

// A control with a Mirror prints the other control's content at its own place, a band
// with a Mirror the other band's controls.
TEST(ReportLayout, MirrorPrintsTheMirroredContentInPlace)
{
    LayoutFixture f;
    f.setRows(1);
    auto* original = f.add<TRpText>(*f.page, "Original");
    original->setText("Shared");
    original->setLeft(1.0);
    original->setTop(0.2);
    original->setWidth(2.0);
    original->setFontJustify(pjRight);
    auto* copy = f.add<TRpText>(*f.page, "Copy");
    copy->setText("own text");
    copy->setLeft(4.0);
    copy->setTop(0.5);
    copy->setMirror(original);
    TRpBand* head = f.addBand("Head", plBodyHeader, setOf(poFirst), "Column header");
    TRpBand* foot = f.addBand("Foot", plBodyFooter, setOf(poFirst), "Footer text");
    foot->setMirror(head);
    RecordingRender render = f.run();

    std::vector<DrawnText> shared;
    for (const auto& drawn : render.pages[0])
        if (drawn.text == "Shared")
            shared.push_back(drawn);
    ASSERT_EQ(shared.size(), 2u);
    // Right-justified in the original's width, from the copy's own left and top.
    EXPECT_NEAR(shared[1].x - shared[0].x, 3.0, 1e-4);
    EXPECT_NEAR(shared[1].y - shared[0].y, 0.3, 1e-4);
    EXPECT_TRUE(render.textsWith(0, "own").empty());
    EXPECT_EQ(render.textsWith(0, "Column header").size(), 2u);
    EXPECT_TRUE(render.textsWith(0, "Footer").empty());
}

// DisplayOn follows the destination: preview-only controls reach the screen only,
// printer-only ones the printer only; doParent takes the setting of the band around it.
TEST(ReportLayout, DisplayOnKeepsControlsToTheirDestination)
{
    for (auto target : {DisplayTarget::Preview, DisplayTarget::Printer}) {
        LayoutFixture f;
        f.target = target;
        f.setRows(1);
        auto* previewOnly = f.add<TRpText>(*f.page, "PreviewOnly");
        previewOnly->setText("Screen copy");
        previewOnly->setDisplayOn(doPreviewOnly);
        auto* printerOnly = f.add<TRpText>(*f.page, "PrinterOnly");
        printerOnly->setText("Paper copy");
        printerOnly->setDisplayOn(doPrinterOnly);
        TRpBand* head = f.addBand("Head", plBodyHeader, setOf(poFirst), "Band of the screen");
        head->setDisplayOn(doPreviewOnly);
        RecordingRender render = f.run();

        bool preview = target == DisplayTarget::Preview;
        EXPECT_EQ(render.textsWith(0, "Screen copy").size(), preview ? 1u : 0u);
        EXPECT_EQ(render.textsWith(0, "Band of the screen").size(), preview ? 1u : 0u);
        EXPECT_EQ(render.textsWith(0, "Paper copy").size(), preview ? 0u : 1u);
        EXPECT_EQ(render.textsWith(0, "R1").size(), 1u);
    }
}

} // namespace
} // namespace qv::report::test
