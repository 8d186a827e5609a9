#include "LayoutFixture.h"

#include "report/snapshot/SnapshotFormat.h"

#include <gtest/gtest.h>

namespace qv::report::test {
namespace {

const DrawnText* findText(const RecordingRender& render, int page, const std::string& text)
{
    for (const auto& drawn : render.pages.at(std::size_t(page))) {
        if (drawn.text == text)
            return &drawn;
    }
    return nullptr;
}

TEST(ReportTexts, JustificationPlacesTextsWithinTheControl)
{
    LayoutFixture f;
    f.setRows(0);
    auto* left = f.add<TRpText>(*f.page, "Left");
    left->setText("L");
    left->setLeft(1.0);
    left->setTop(0.5);
    auto* right = f.add<TRpText>(*f.page, "Right");
    right->setText("Rt");
    right->setLeft(1.0);
    right->setWidth(2.0);
    right->setFontJustify(pjRight);
    auto* centre = f.add<TRpText>(*f.page, "Centre");
    centre->setText("C");
    centre->setLeft(1.0);
    centre->setWidth(2.0);
    centre->setFontJustify(pjCenter);
    RecordingRender render = f.run();

    const DrawnText* l = findText(render, 0, "L");
    ASSERT_NE(l, nullptr);
    EXPECT_NEAR(l->x, 1.0, 1e-4);
    // Baseline: top + 10 / 60 inch less the descent of a 10-point Arial.
    EXPECT_NEAR(l->y, 0.5 + 10.0 / 60.0 - 10.0 / 72.0 * 434.0 / 2048.0, 1e-4);
    EXPECT_NEAR(findText(render, 0, "Rt")->x, 3.0, 1e-4);
    EXPECT_NEAR(findText(render, 0, "C")->x, 2.0, 1e-4);
}

// Each face sits on its own descent: Courier reaches far lower than Arial, and a
// font master's face decides for the texts that take it.
TEST(ReportTexts, BaselineUsesTheDescentOfTheFontInUse)
{
    LayoutFixture f;
    f.setRows(0);
    auto* mono = f.add<TRpText>(*f.page, "Mono");
    mono->setText("M");
    mono->setTop(1.0);
    mono->font().setName("Courier New");
    mono->font().setSize(12);
    auto* master = f.add<TRpFontMaster>(*f.page, "SerifMaster");
    master->font().setName("Times New Roman");
    master->font().setSize(20);
    auto* serif = f.add<TRpText>(*f.page, "Serif");
    serif->setText("S");
    serif->setTop(2.0);
    serif->setFontMirror(master);
    RecordingRender render = f.run();

    ASSERT_NE(findText(render, 0, "M"), nullptr);
    ASSERT_NE(findText(render, 0, "S"), nullptr);
    EXPECT_NEAR(findText(render, 0, "M")->y, 1.0 + 12.0 / 60.0 - 12.0 / 72.0 * 615.0 / 2048.0, 1e-4);
    EXPECT_NEAR(findText(render, 0, "S")->y, 2.0 + 20.0 / 60.0 - 20.0 / 72.0 * 443.0 / 2048.0, 1e-4);
}

TEST(ReportTexts, TabsJumpToTheNextHalfInchStop)
{
    LayoutFixture f;
    f.setRows(0);
    auto* text = f.add<TRpText>(*f.page, "Tabbed");
    text->setText("a\tb\t\tc");
    text->setLeft(1.0);
    text->setWidth(5.0);
    RecordingRender render = f.run();

    EXPECT_NEAR(findText(render, 0, "a")->x, 1.0, 1e-4);
    EXPECT_NEAR(findText(render, 0, "b")->x, 1.5, 1e-4);
    EXPECT_NEAR(findText(render, 0, "c")->x, 2.5, 1e-4);
}

TEST(ReportTexts, TruncateCutsTheTextToTheControlWidth)
{
    LayoutFixture f;
    f.setRows(0);
    auto* text = f.add<TRpText>(*f.page, "Long");
    text->setText("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    text->setWidth(0.5);
    text->setTruncate(true);
    RecordingRender render = f.run();
    ASSERT_EQ(render.pages[0].size(), 1u);
    std::string shown = render.pages[0][0].text;
    EXPECT_LT(shown.size(), 26u);
    EXPECT_GT(shown.size(), 2u);
    EXPECT_EQ(std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ").rfind(shown, 0), 0u);
}

TEST(ReportTexts, TruncateKeepsTheLongestFittingPrefixOfAnyLength)
{
    auto shownOf = [](const std::string& whole) {
        LayoutFixture f;
        f.setRows(0);
        auto* text = f.add<TRpText>(*f.page, "Long");
        text->setText(whole);
        text->setWidth(1.5);
        text->setTruncate(true);
        RecordingRender render = f.run();
        return render.pages.at(0).at(0).text;
    };
    std::string accented;
    for (int i = 0; i < 30'000; ++i)
        accented += i % 3 ? "a" : "\xC3\xA9";
    for (std::string const& huge : {std::string(100'000, 'W'), std::string(100'000, 'i'), accented}) {
        std::string const shown = shownOf(huge);
        EXPECT_EQ(huge.rfind(shown, 0), 0u);
        EXPECT_GT(shown.size(), 3u);
        // The tail beyond the field changes nothing, and no character is cut in half.
        EXPECT_EQ(shownOf(huge.substr(0, 400)), shown);
        EXPECT_NE(static_cast<unsigned char>(shown.back()), 0xC3);
    }
    // One more character would not have fitted.
    std::string const letters(400, 'W');
    std::string const shown = shownOf(letters);
    EXPECT_EQ(shownOf(letters.substr(0, shown.size())), shown);
    EXPECT_EQ(shownOf(letters.substr(0, shown.size() + 1)), shown);
}

TEST(ReportTexts, ParametersAndTotalPagesInExpressions)
{
    LayoutFixture f;
    f.setRows(40);
    f.params.set("Amount", "100000");
    auto* amount = f.add<TRpDataText>(*f.page, "Amount");
    amount->setDataField("'Loan' & PARAM.Amount");
    amount->setWidth(3.0);
    auto* pages = f.add<TRpDataText>(*f.page, "Pages");
    pages->setDataField("'of' & report.totalpages");
    pages->setTop(10.0);
    RecordingRender render = f.run();

    ASSERT_EQ(render.pages.size(), 3u);
    EXPECT_NE(findText(render, 0, "Loan 100000"), nullptr);
    for (int sheet = 0; sheet < 3; ++sheet)
        EXPECT_NE(findText(render, sheet, "of 3"), nullptr) << "sheet " << sheet;
}

TEST(ReportTexts, SumInBodyFooterAndAverageOverNoRows)
{
    LayoutFixture f;
    f.setRows(4);
    TRpBand* footer = f.addBand("Footer", plBodyFooter, setOf(poFirst), "");
    auto* sum = f.add<TRpCalcText>(*footer, "Sum");
    sum->setController(f.dataBand);
    sum->setDataView(f.view.get());
    sum->setDataField("No");
    sum->setDisplayFormat("'Sum '0.00");
    sum->setTop(0.0);
    auto* average = f.add<TRpCalcText>(*f.page, "Average");
    average->setCalcType(ctAverage);
    average->setDataField("No");
    RecordingRender render = f.run();

    EXPECT_NE(findText(render, 0, "Sum 10.00"), nullptr);
    EXPECT_NE(findText(render, 0, "undefined"), nullptr) << "an average with no controller counted nothing";
}

TEST(ReportTexts, CalcTotalHandsItsResultToALaterParameterReference)
{
    LayoutFixture f;
    f.setRows(3);
    TRpBand* footer = f.addBand("Footer", plBodyFooter, setOf(poFirst), "");
    auto* total = f.add<TRpCalcTotal>(*footer, "Total");
    total->setController(f.dataBand);
    total->setCalcType(ctCount);
    total->setDestParam("Total");
    TRpBand* after = f.add<TRpBand>(*f.region, "After");
    auto* text = f.add<TRpDataText>(*after, "ShowTotal");
    text->setDataField("'Rows:' & PARAM.Total");
    RecordingRender render = f.run();
    EXPECT_NE(findText(render, 0, "Rows: 3"), nullptr);
}

// A calc operation hands its result on like a calc total; a controller's InitDataField
// reads a field of the data band it sits on; the printer variables show what a status
// text shows for a renderer without a printer.
TEST(ReportTexts, CalcOpResultsStartValuesAndPrinterVariables)
{
    LayoutFixture f;
    f.setRows(3);
    auto* op = f.add<TRpCalcOp>(*f.dataBand, "Times");
    op->setSrc1DataView(f.view.get());
    op->setSrc1DataField("No");
    op->setSrc2Value(10);
    op->setOperator(coMul);
    op->setDestParam("Tenfold");
    op->setDestPIVar("Tens");
    op->setDisplayFormat("0");
    auto* shown = f.add<TRpDataText>(*f.dataBand, "ShowOp");
    shown->setLeft(2.0);
    shown->setDataField("'x10:' & PARAM.Tenfold & PIVAR.Tens");

    auto* start = f.add<TRpCalcController>(*f.dataBand, "StartAtRow");
    start->setInitDataField("No");
    TRpBand* footer = f.addBand("Footer", plBodyFooter, setOf(poFirst), "");
    auto* sum = f.add<TRpCalcText>(*footer, "StartSum");
    sum->setInitializer(start);
    sum->setRunningTotal(true);
    sum->setDisplayFormat("0");
    auto* printer = f.add<TRpDataText>(*footer, "Device");
    printer->setLeft(2.0);
    printer->setDataField("Report.PrinterName & Report.DriverName & Report.PortName");
    RecordingRender render = f.run();

    EXPECT_NE(findText(render, 0, "x10: 10 10"), nullptr);
    EXPECT_NE(findText(render, 0, "x10: 30 30"), nullptr);
    EXPECT_NE(findText(render, 0, "3"), nullptr) << "the start value of the last row";
    EXPECT_NE(findText(render, 0, "Render Render Render"), nullptr);
}

// Bitmaps go into the snapshot as they are; other pictures only through the decoder.
TEST(ReportTexts, PicturesAreDrawnAsBitmapsOrThroughTheDecoder)
{
    const std::vector<std::uint8_t> bitmap {'B', 'M', 1, 2, 3};
    const std::vector<std::uint8_t> gif {'G', 'I', 'F', '8', '9', 'a'};
    for (bool withDecoder : {false, true}) {
        LayoutFixture f;
        f.setRows(0);
        auto* plain = f.add<TRpBitmap>(*f.page, "Plain");
        plain->image().setData(bitmap);
        plain->setLeft(1.0);
        plain->setTop(2.0);
        plain->setWidth(0.5);
        plain->setHeight(0.25);
        auto* other = f.add<TRpBitmap>(*f.page, "Other");
        other->image().setData(gif);
        std::vector<std::vector<std::uint8_t>> offered;
        if (withDecoder) {
            f.decodeImage = [&](const std::vector<std::uint8_t>& picture, std::vector<std::uint8_t>& out) {
                offered.push_back(picture);
                out = {'B', 'M', 9};
                return true;
            };
        }
        RecordingRender render = f.run();

        ASSERT_EQ(render.images.size(), withDecoder ? 2u : 1u);
        EXPECT_EQ(render.images[0].second.data, bitmap);
        EXPECT_NEAR(render.images[0].first.topLeft.x, 1.0, 1e-4);
        EXPECT_NEAR(render.images[0].first.bottomRight.y, 2.25, 1e-4);
        if (withDecoder) {
            EXPECT_EQ(offered, std::vector<std::vector<std::uint8_t>> {gif}) << "a bitmap is not offered";
            EXPECT_EQ(render.images[1].second.data, (std::vector<std::uint8_t> {'B', 'M', 9}));
        }
    }
}

TEST(ReportTexts, LinesAndRectanglesAreWritten)
{
    LayoutFixture f;
    f.setRows(0);
    auto* box = f.add<TRpRectangle>(*f.page, "Box");
    box->setLeft(1.0);
    box->setTop(2.0);
    box->setWidth(3.0);
    box->setHeight(0.5);
    f.add<TRpHLine>(*f.page, "Rule")->setWidth(6.0);
    RecordingRender render = f.run();
    ASSERT_EQ(render.rectangles[0].size(), 1u);
    EXPECT_NEAR(render.rectangles[0][0].bottomRight.x, 4.0, 1e-4);
    EXPECT_NEAR(render.rectangles[0][0].bottomRight.y, 2.5, 1e-4);
    EXPECT_EQ(render.lines, 1);
}

} // namespace
} // namespace qv::report::test
