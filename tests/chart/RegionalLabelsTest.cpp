#include "ChartTestSupport.h"

#include "RegionalPresets.h"
#include "runtime/core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace qv;
using namespace qv::test;

namespace {

// The labels each axis writes while the loan chart paints, top or right first.
std::map<const TChartAxis*, std::vector<std::string>> paintedLabels(ChartPage& page)
{
    std::map<const TChartAxis*, std::vector<std::string>> labels;
    TChart& chart = page.chartAmo();
    chart.OnGetAxisLabel = [&](TChartAxis& axis, TChartSeries*, int, std::string& text) { labels[&axis].push_back(text); };
    Bitmap window(585, 281);
    chart.Paint(window.canvas());
    chart.OnGetAxisLabel = nullptr;
    return labels;
}

bool contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

} // namespace

TEST(ChartRegionalLabels, AmountsGroupWithTheUsersSeparatorMonthsNever)
{
    struct Case {
        RegionalSettings settings;
        const char* thousand;
    };
    const Case cases[] = {
        {RegionalSettings::posix(), "1,000"},
        {germanGermany(), "1.000"},
        {frenchFrance(), "1\xE2\x80\xAF" "000"},
        {swissGerman(), "1\xE2\x80\x99" "000"},
        {englishUnitedStates(), "1,000"},
    };
    std::vector<std::string> monthsInC;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thousand);
        ScopedRegionalSettings region(c.settings);
        LoanEngine loan = calculatedLoan("200000", "5", "30");
        ChartPage page;
        page.redraw(loan.table, loan.totals.scheduleMonths);
        auto labels = paintedLabels(page);
        const std::vector<std::string>& amounts = labels[&page.chartAmo().LeftAxis()];
        const std::vector<std::string>& months = labels[&page.chartAmo().BottomAxis()];
        EXPECT_TRUE(contains(amounts, c.thousand)) << "left axis labels: " << ::testing::PrintToString(amounts);
        EXPECT_TRUE(contains(months, "340"));
        if (monthsInC.empty())
            monthsInC = months;
        EXPECT_EQ(months, monthsInC) << "month numbers read the same everywhere";
    }
}

TEST(ChartRegionalLabels, NonLatinDesktopsTakeThePlatformFont)
{
    RegionalSettings japanese = RegionalSettings::posix();
    japanese.uiLanguage = "ja_JP";
    Font const platform = platformUiFont();
    {
        ScopedRegionalSettings region(japanese);
        TChart chart;
        EXPECT_EQ(chart.LeftAxis().LabelsFont().name, platform.name);
        EXPECT_EQ(chart.LeftAxis().LabelsFont().size, platform.size);
        EXPECT_EQ(chart.Legend().LegendFont().name, platform.name);
        EXPECT_EQ(chart.Title().TitleFont().name, platform.name);
        EXPECT_EQ(chart.Title().TitleFont().color, clBlue) << "only the name and the size change";
    }
    for (const char* language : {"zh_CN", "ko_KR"}) {
        EXPECT_TRUE(languageNeedsNativeFont(language)) << language;
    }
    for (const char* language : {"", "de_DE", "fr_FR", "en_US", "ru_RU", "el_GR"}) {
        EXPECT_FALSE(languageNeedsNativeFont(language)) << language;
    }
    ScopedRegionalSettings german(germanGermany());
    TChart chart;
    EXPECT_EQ(chart.LeftAxis().LabelsFont().name, "Arial");
    EXPECT_EQ(chart.LeftAxis().LabelsFont().size, 8);
}
