#include "FakePrinters.h"
#include "../runtime_ui/UiTestApp.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/execution/TRvSystem.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRpStatusForm.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/UiServices.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// A run of three pages with the built-in windows, without the setup step. What the status
// window shows at each page is recorded; a test may act at a page.
class StatusWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        test::recordMessageBoxes();
        system.SystemSetups &= ~std::uint32_t(ssAllowSetup);
        system.TitleStatus = "Report Status";
        system.OnPrint = [this](TBaseReport& report) {
            for (int page = 1; page <= 3; ++page) {
                if (page > 1)
                    report.NewPage();
                report.PrintLeft("Page " + std::to_string(page), 1, 1);
                pagesLaidOut = page;
            }
        };
    }
    // The built-in windows, with a preview that counts and a status line that is
    // recorded after the window showed it.
    ReportServices recordingServices()
    {
        ReportServices services;
        addReportWindows(services, printer, ui);
        services.preview = [this](TRvSystem&, TStream&) { ++previews; };
        services.statusText = [this, shown = services.statusText](TRvSystem& s, const std::string& text) {
            shown(s, text);
            auto* form = findStatusForm();
            ASSERT_NE(form, nullptr);
            EXPECT_TRUE(form->showing());
            labels.push_back(form->StatusLabel.caption());
            if (atPage)
                atPage(*form, static_cast<int>(labels.size()));
        };
        return services;
    }

    static TRpStatusForm* findStatusForm() { return currentStatusWindow(); }

    test::FakePrintSystem prints;
    TRPPrinterDevice printer {prints};
    UiServices ui = test::recordingBoxes();
    TRvSystem system{recordingServices()};
    std::vector<std::string> labels;
    std::function<void(TRpStatusForm&, int)> atPage;
    int previews = 0;
    int pagesLaidOut = 0;
};

TEST_F(StatusWindow, CountsThePagesAndClosesAfterGeneration)
{
    system.Execute();
    EXPECT_EQ(labels, (std::vector<std::string> {"Generating page 1", "Generating page 2", "Generating page 3"}));
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(findStatusForm(), nullptr) << "freed after generation";
}

TEST_F(StatusWindow, EverySequenceOfTheStatusFormat)
{
    system.SystemFiler.StatusFormat = "%p/%L %q %% %0%1 %f%N%c of %s %";
    system.SystemFiler.StatusText = {"first"};
    system.Execute();
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[2], "3/9999 <ERROR-%Q> % first 1\n1 of 1 %");
}

TEST_F(StatusWindow, CancelStopsGenerationAndNothingIsDelivered)
{
    atPage = [](TRpStatusForm& form, int page) {
        EXPECT_EQ(form.caption(), "Report Status");
        EXPECT_EQ(form.CancelButton.caption(), "Cancel");
        if (page == 2)
            sendClick(form.CancelButton, 10, 10);
    };
    system.Execute();
    EXPECT_TRUE(system.Aborted);
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(labels.size(), 2u) << "no page after the cancelled one";
    EXPECT_EQ(findStatusForm(), nullptr);
}

TEST_F(StatusWindow, EscapeIsCancelToo)
{
    atPage = [](TRpStatusForm& form, int page) {
        if (page == 1) {
            form.CancelButton.setFocus();
            sendKeyStroke(form.CancelButton, VK_ESCAPE);
        }
    };
    system.Execute();
    EXPECT_TRUE(system.Aborted);
    EXPECT_EQ(previews, 0);
}

} // namespace
} // namespace qv
