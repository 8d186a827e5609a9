#include "ChartTestSupport.h"

#include "app/main/ChartControl.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace qv;
using namespace qv::test;

namespace {

// The window system must exist before any picture is made in this program.
TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-chart-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

// Opens the control's event handlers to the test, as the native widget calls them.
struct HostedChart : TChartControl {
    using TChartControl::TChartControl;
    using TChartControl::mouseDown;
    using TChartControl::mouseMove;
    using TChartControl::mouseUp;
    using TChartControl::mouseWheel;
};

struct ChartForm : TForm {
    ChartForm() { host.setBounds(ChartPage::chartLeft, ChartPage::chartTop, ChartPage::chartWidth, ChartPage::chartHeight); }
    ChartPage page;
    HostedChart host{this, page.chartAmo()};
};

} // namespace

TEST(ChartControl, HostsTheChartAtItsDesignedSizeAndForwardsTheMouse)
{
    app();
    LoanEngine loan = calculatedLoan("200000", "5", "30");
    ChartForm form;
    form.page.redraw(loan.table, loan.totals.scheduleMonths);
    TChart& chart = form.page.chartAmo();
    EXPECT_EQ(chart.Width(), 585);
    EXPECT_EQ(chart.Height(), 281);

    Bitmap shown(585, 281);
    form.host.paintTo(shown.canvas());
    EXPECT_EQ(chart.drawCount(), 1);
    EXPECT_GT(countColor(shown, clRed, chart.PlotRect()), 0);

    double low = chart.BottomAxis().PixelToValue(100);
    form.host.mouseDown(MouseButton::Left, 0, 100, 50);
    form.host.mouseMove(0, 200, 150);
    form.host.mouseUp(MouseButton::Left, 0, 200, 150);
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), low);

    double before = chart.LeftAxis().Minimum();
    double span = chart.LeftAxis().Maximum() - before;
    form.host.mouseWheel(-60, 0); // half a notch: nothing yet
    EXPECT_EQ(chart.LeftAxis().Minimum(), before);
    form.host.mouseWheel(-60, 0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), before + span * 0.03);

    form.host.paintTo(shown.canvas());
    EXPECT_EQ(chart.drawCount(), 2);
}
