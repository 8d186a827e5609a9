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
