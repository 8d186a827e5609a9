#include "FakePrinters.h"
#include "PreviewTestSupport.h"
#include "../runtime_ui/UiTestApp.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/device/TRvRenderPDF.h"
#include "report/execution/TRvSystem.h"
#include "report/snapshot/EReportPrinter.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRPSetupForm.h"
#include "report/ui/TRpPreviewForm.h"
#include "runtime/ui/InputBox.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/PopupMenu.h"
#include "runtime/ui/Timer.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace qv {
namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Answers the next window that `find` returns, once, from the message loop of whatever
// modal window is running.
template <class Find, class Answer> class AnswerWindow {
public:
    AnswerWindow(Find find, Answer answer) : m_find(find), m_answer(answer)
    {
        m_timer.setInterval(5);
        m_timer.onTimer = [this] {
            if (auto* window = m_find(); window && window->showing()) {
                m_timer.setEnabled(false);
                ++m_answered;
                m_answer(*window);
            }
        };
        m_timer.setEnabled(true);
    }
    int answered() const { return m_answered; }

private:
    Find m_find;
    Answer m_answer;
    TTimer m_timer;
    int m_answered = 0;
};

// A preview window on its own, shown without waiting, at 96 pixels per inch.
class PreviewForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        test::recordMessageBoxes();
        printer = &prints.add("Office", "ipp://office");
    }
    void TearDown() override
    {
        form.reset();
        test::app().processMessages();
    }

    TRpPreviewForm& open(int pages)
    {
        snapshot = std::make_unique<TMemoryStream>(test::pagesSnapshot(pages));
        form = std::make_unique<TRpPreviewForm>(system, device, ui);
        form->RvRenderPreview.ScreenPixelsPerInch = 96;
        form->ApplySettings(system.SystemPreview);
        form->SetSnapshot(*snapshot);
        form->Start();
        form->showAndRaise();
        test::app().processMessages();
        return *form;
    }

    test::FakePrintSystem prints;
    test::FakePrinter* printer = nullptr;
    TRPPrinterDevice device {prints};
    // The desktop, but a test may choose from the pop-up menu in the user's place.
    UiServices ui = test::recordingBoxes();
    TRvSystem system;
    std::unique_ptr<TMemoryStream> snapshot;
    std::unique_ptr<TRpPreviewForm> form;
};

TEST_F(PreviewForm, OpensOnPageOneAtTheSystemsZoom)
{
    TRpPreviewForm& f = open(3);
    EXPECT_EQ(f.caption(), "Report Preview");
    EXPECT_EQ(f.clientWidth(), 615);
    EXPECT_EQ(f.clientHeight(), 450);
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 1 of 3");
    EXPECT_EQ(f.PageEdit.text(), "1");
    EXPECT_EQ(f.PageCountLabel.caption(), "of 3");
    EXPECT_EQ(f.PageCountLabel.width(), f.PageCountLabel.textWidth() + 8);
    EXPECT_EQ(f.ZoomEdit.text(), "100.0");
    EXPECT_FALSE(f.actnPage_First.enabled());
    EXPECT_FALSE(f.actnPage_Previous.enabled());
    EXPECT_TRUE(f.actnPage_Next.enabled());
    EXPECT_TRUE(f.actnPage_Last.enabled());
    // Letter at 96 pixels per inch, no shadow, no rulers: the paper is the whole picture.
    EXPECT_EQ(f.ScrollBox1.pictureWidth(), 816);
    EXPECT_EQ(f.ScrollBox1.pictureHeight(), 1056);
    EXPECT_EQ(f.ScrollBox1.picturePixel(5, 5), clWhite);

    sendKeyStroke(f.ScrollBox1, VK_END, ssCtrl);
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 3 of 3");
    EXPECT_TRUE(f.actnPage_First.enabled());
    EXPECT_FALSE(f.actnPage_Next.enabled());
    // The menus show the shortcuts that the window's keys run.
    EXPECT_EQ(f.MainMenu1.find("actnPage_Previous")->shortCut(), "Ctrl+PgUp");
    EXPECT_EQ(f.MainMenu1.find("actnPage_GotoPage")->caption(), "&Go to Page #");
    EXPECT_FALSE(f.MainMenu1.find("actnPage_Next")->enabled());
}

TEST_F(PreviewForm, ZoomBoxKeepsTheFactorWithinTenAndTwoHundred)
{
    TRpPreviewForm& f = open(2);
    auto type = [&](const std::string& text) {
        f.ZoomEdit.setFocus();
        f.ZoomEdit.selectAll();
        sendChars(f.ZoomEdit, text);
        sendKeyStroke(f.ZoomEdit, VK_RETURN);
    };
    type("250");
    EXPECT_EQ(f.ZoomEdit.text(), "200.0");
    EXPECT_EQ(f.ScrollBox1.pictureWidth(), 1632);
    type("5");
    EXPECT_EQ(f.ZoomEdit.text(), "10.0");
    EXPECT_EQ(f.ScrollBox1.pictureWidth(), 81);
    type("75.5");
    EXPECT_EQ(f.RvRenderPreview.ZoomFactor(), 75.5);
    // Ctrl+A selects the box's text, so digits typed then replace it.
    sendKeyStroke(f.ZoomEdit, 'A', ssCtrl);
    EXPECT_EQ(f.ZoomEdit.selLength(), 4);
    sendChars(f.ZoomEdit, "60");
    sendKeyStroke(f.ZoomEdit, VK_RETURN);
    EXPECT_EQ(f.ZoomEdit.text(), "60.0");
    // One decimal at most while nothing is selected; letters never reach the box.
    f.ZoomEdit.setText("12.5");
    sendChars(f.ZoomEdit, "7q");
    EXPECT_EQ(f.ZoomEdit.text(), "12.5");
    sendChars(f.ZoomEdit, "+");
    EXPECT_EQ(f.ZoomEdit.text(), "70.0") << "+ zooms in by the increment";
}

TEST_F(PreviewForm, PagingKeysWrapAroundTheEnds)
{
    TRpPreviewForm& f = open(3);
    sendChars(f.ScrollBox1, "P");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 3 of 3");
    sendChars(f.ScrollBox1, "n");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 1 of 3");
    sendChars(f.ScrollBox1, "e");
    EXPECT_EQ(f.RvRenderPreview.CurrentPage(), 3);
    sendChars(f.ScrollBox1, "b");
    EXPECT_EQ(f.RvRenderPreview.CurrentPage(), 1);
    // Typed into the page box: a page number and Enter; "." is dropped.
    f.PageEdit.setFocus();
    f.PageEdit.selectAll();
    sendChars(f.PageEdit, "2.");
    EXPECT_EQ(f.PageEdit.text(), "2");
    sendKeyStroke(f.PageEdit, VK_RETURN);
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 2 of 3");
}

TEST_F(PreviewForm, NextOnASinglePageDoesNothing)
{
    TRpPreviewForm& f = open(1);
    sendChars(f.ScrollBox1, "N");
    sendChars(f.ScrollBox1, "P");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 1 of 1");
    sendChars(f.ScrollBox1, "+");
    EXPECT_EQ(f.ZoomEdit.text(), "110.0") << "the keys did arrive";
}

TEST_F(PreviewForm, DownAtTheBottomOfAPageShowsTheTopOfTheNext)
{
    TRpPreviewForm& f = open(3);
    ASSERT_GT(f.ScrollBox1.vertRange(), 0) << "the page is taller than the view";
    sendKeyStroke(f.ScrollBox1, VK_DOWN);
    EXPECT_EQ(f.ScrollBox1.vertPosition(), f.ScrollBox1.increment());
    sendKeyStroke(f.ScrollBox1, VK_END);
    EXPECT_EQ(f.ScrollBox1.vertPosition(), f.ScrollBox1.vertRange());
    sendKeyStroke(f.ScrollBox1, VK_DOWN);
    EXPECT_EQ(f.RvRenderPreview.CurrentPage(), 2);
    EXPECT_EQ(f.ScrollBox1.vertPosition(), 0);
    sendKeyStroke(f.ScrollBox1, VK_UP);
    EXPECT_EQ(f.RvRenderPreview.CurrentPage(), 1);
    EXPECT_EQ(f.ScrollBox1.vertPosition(), f.ScrollBox1.vertRange()) << "the previous page from its bottom";
    sendKeyStroke(f.ScrollBox1, VK_PRIOR);
    EXPECT_EQ(f.ScrollBox1.vertPosition(), f.ScrollBox1.vertRange() - f.ScrollBox1.viewHeight());
    sendKeyStroke(f.ScrollBox1, VK_HOME);
    EXPECT_EQ(f.ScrollBox1.vertPosition(), 0);
    sendKeyStroke(f.ScrollBox1, VK_RIGHT);
    EXPECT_EQ(f.ScrollBox1.horzPosition(), std::min(f.ScrollBox1.increment(), f.ScrollBox1.horzRange()));
}

TEST_F(PreviewForm, GoToPageKeepsTheNumberWithinThePages)
{
    TRpPreviewForm& f = open(3);
    auto goTo = [&](const std::string& typed) {
        AnswerWindow answer(currentInputQuery, [typed](TInputQueryForm& box) {
            EXPECT_EQ(box.caption(), "Go to Page");
            EXPECT_EQ(box.Prompt.caption(), "Enter page to move to:");
            box.Edit.setText(typed);
            sendClick(box.OKButton, 5, 5);
        });
        sendKeyStroke(f.ScrollBox1, 'G', ssCtrl);
        EXPECT_EQ(answer.answered(), 1);
    };
    goTo("99");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 3 of 3");
    goTo("0");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 1 of 3");
    goTo("two");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 1 of 3");
}

TEST_F(PreviewForm, FitFactorsFollowTheScrollBoxAndTheMargins)
{
    TRpPreviewForm& f = open(2);
    TRvRenderPreview& r = f.RvRenderPreview;
    f.ScrollBox1.setBounds(0, 60, 400, 300);
    ASSERT_EQ(f.ScrollBox1.frameWidth(), 2);
    r.MarginMethod = TMarginMethod::mmFixed;
    r.MarginPercent = 0;
    // min(396 / 816, 296 / 1056)
    EXPECT_NEAR(r.ZoomPageFactor(), 28.0303, 1e-4);
    r.MarginMethod = TMarginMethod::mmScaled;
    r.MarginPercent = 10;
    // min(396 / (816 x 1.2), 296 / (1056 + 816 x 0.2))
    EXPECT_NEAR(r.ZoomPageFactor(), 24.2782, 1e-4);
    r.MarginMethod = TMarginMethod::mmFixed;
    r.MarginPercent = 5;
    r.SetShadowDepth(3);
    // Margin round(40.8) = 41 a side; the page is taller than the box: less the scroll bar.
    double const bar = TScrollBox::scrollBarWidth();
    EXPECT_NEAR(r.ZoomPageWidthFactor(), (397 - (4 + 82) - bar) / 816.0 * 100, 1e-9);
    r.SetShadowDepth(0);
    r.MarginPercent = 0;
    f.ScrollBox1.setBounds(0, 60, 1000, 300);
    // A wide box: 996 / 816 = 122 % leaves the page taller than the box, too.
    EXPECT_NEAR(r.ZoomPageWidthFactor(), (996 - bar) / 816.0 * 100, 1e-9);

    sendChars(f.ScrollBox1, "w");
    EXPECT_EQ(f.ScrollBox1.horzRange(), 0) << "the page fits the width";
    EXPECT_GT(f.ScrollBox1.vertRange(), 0);
    sendChars(f.ScrollBox1, "f");
    EXPECT_EQ(f.ScrollBox1.vertRange(), 0) << "the whole page fits";
    EXPECT_EQ(f.ZoomEdit.text(), "28.0"); // min(996 / 816, 296 / 1056)
}

TEST_F(PreviewForm, ShadowAndRulersFrameThePaper)
{
    system.SystemPreview.SetShadowDepth(4);
    system.SystemPreview.RulerType = TRulerType::rtBothIn;
    TRpPreviewForm& f = open(1);
    TScrollBox& box = f.ScrollBox1;
    ASSERT_EQ(box.pictureWidth(), 20 + 816 + 4);
    ASSERT_EQ(box.pictureHeight(), 20 + 1056 + 4);
    EXPECT_EQ(box.picturePixel(25, 25), clWhite);
    EXPECT_EQ(box.picturePixel(20 + 816 + 1, 20 + 500), clBlack) << "shadow on the right";
    EXPECT_EQ(box.picturePixel(20 + 400, 20 + 1056 + 1), clBlack) << "shadow along the bottom";
    EXPECT_NE(box.picturePixel(20 + 816 + 1, 21), clBlack) << "the shadow is offset by its depth";
    // The horizontal ruler's inch ticks run up from its bottom edge.
    EXPECT_EQ(box.picturePixel(20 + 96, 15), clBlack);
    EXPECT_NE(box.picturePixel(20 + 96 + 3, 15), clBlack);
    // Monochrome takes the shadow away.
    f.RvRenderPreview.SetMonochrome(true);
    EXPECT_EQ(f.RvRenderPreview.ShadowDepth(), 0);
}

TEST_F(PreviewForm, ASnapshotWithoutPagesShowsNone)
{
    TRpPreviewForm& f = open(2);
    TMemoryStream empty;
    TRvNDRWriter writer;
    writer.FirstPage = 5;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &empty;
    writer.OnPrint = [](TBaseReport& report) { report.PrintLeft("outside the range", 1, 1); };
    writer.Execute();
    f.SetSnapshot(empty);
    f.Start();
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 0 of 0");
    EXPECT_EQ(f.ScrollBox1.pictureWidth(), 0);
    for (const char* keys : {"n", "p", "e", "b"})
        sendChars(f.ScrollBox1, keys);
    sendKeyStroke(f.ScrollBox1, VK_DOWN);
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 0 of 0");
    EXPECT_FALSE(f.actnPage_Next.enabled());
}

TEST_F(PreviewForm, DrawingWithoutAScrollBoxIsAnError)
{
    TMemoryStream stream(test::pagesSnapshot(1));
    TRvRenderPreview render;
    render.SetStream(stream);
    EXPECT_EQ(render.Pages(), 1);
    try {
        render.PrintPage(1);
        FAIL() << "drew without a scroll box";
    } catch (const EReportPrinter& error) {
        EXPECT_STREQ(error.what(), "ScrollBox must be assigned for RenderPreview component");
    }
}

TEST_F(PreviewForm, SaveAsCopiesTheSnapshotOrExportsIt)
{
    registerPdfExportRenderer();
    TRpPreviewForm& f = open(3);
    test::ScratchDir dir("qv-preview-save");
    std::string const ndr = dir.file("copy.ndr");
    std::string filter;
    int choose = 1;
    ui.chooseFile = [&](TFileDialog& dialog) -> std::optional<std::string> {
        filter = dialog.filter;
        dialog.filterIndex = choose;
        return choose == 1 ? dir.file("copy") : dir.file("copy.pdf");
    };
    int64_t const position = snapshot->position();
    sendKeyStroke(f.ScrollBox1, 'S', ssCtrl);
    EXPECT_EQ(filter.substr(0, 35), "Report Snapshot Files (*.ndr)|*.ndr");
    EXPECT_NE(filter.find("|PDF file (PDF)|*.pdf"), std::string::npos);
    auto const& bytes = snapshot->bytes();
    EXPECT_EQ(readFile(ndr), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(snapshot->position(), position) << "the read position is restored";

    choose = 2;
    f.actnFile_Save.execute();
    EXPECT_EQ(readFile(dir.file("copy.pdf")).substr(0, 5), "%PDF-");

    // Open shows the saved copy from page 1, and the caption names the file.
    sendKeyStroke(f.ScrollBox1, VK_END, ssCtrl);
    ui.chooseFile = [&](TFileDialog& dialog) -> std::optional<std::string> {
        EXPECT_EQ(dialog.title, "Open File");
        EXPECT_EQ(dialog.filter, "Report Snapshot Files (*.ndr)|*.ndr|All Files|*.*");
        return ndr;
    };
    sendKeyStroke(f.ScrollBox1, 'O', ssCtrl);
    EXPECT_EQ(f.caption(), test::app().title() + " - [ " + ndr + " ]");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 1 of 3");
}

TEST_F(PreviewForm, OpeningAFileThatIsNoSnapshotKeepsTheOneShown)
{
    TRpPreviewForm& f = open(2);
    test::ScratchDir dir("qv-preview-open");
    std::string const junk = dir.file("junk.ndr");
    std::ofstream(junk) << "no snapshot";
    ui.chooseFile = [&](const TFileDialog&) -> std::optional<std::string> { return junk; };
    test::recordedBoxes().clear();
    sendKeyStroke(f.ScrollBox1, 'O', ssCtrl);
    ASSERT_EQ(test::recordedBoxes().size(), 1u);
    EXPECT_NE(test::recordedBoxes()[0].text.find("Unexpected header code"), std::string::npos);
    EXPECT_EQ(f.caption(), "Report Preview");
    sendChars(f.ScrollBox1, "n");
    EXPECT_EQ(f.StatusBar1.simpleText(), "Page 2 of 2");
}

TEST_F(PreviewForm, PrintAsksForTheRangeAndPrintsOnlyThosePages)
{
    TRpPreviewForm& f = open(3);
    AnswerWindow range(currentSetupWindow, [](TRPSetupForm& setup) {
        EXPECT_TRUE(setup.RangePage.visible());
        EXPECT_EQ(setup.ToED.text(), "3");
        setup.PagesRB.setChecked(true);
        sendClick(setup.PagesRB, 5, 8);
        setup.FromED.setText("2");
        setup.ToED.setText("3");
        sendClick(setup.bbtnOK, 10, 10);
    });
    sendKeyStroke(f.ScrollBox1, 'P', ssCtrl);
    EXPECT_EQ(range.answered(), 1);
    ASSERT_EQ(printer->documents.size(), 1u);
    EXPECT_EQ(printer->pages, 2);

    // Three copies on a printer that makes one: the pages are replayed per copy.
    AnswerWindow copies(currentSetupWindow, [](TRPSetupForm& setup) {
        setup.SelectionRB.setChecked(true);
        sendClick(setup.SelectionRB, 5, 8);
        setup.SelectionED.setText("1,3");
        setup.CopiesED.setText("3");
        sendClick(setup.bbtnOK, 10, 10);
    });
    f.actnFile_Print.execute();
    ASSERT_EQ(printer->documents.size(), 2u);
    EXPECT_EQ(printer->documents[1].copies, 1);
    EXPECT_EQ(printer->pages, 2 + 6);

    AnswerWindow cancel(currentSetupWindow, [](TRPSetupForm& setup) { sendClick(setup.CancelBB, 10, 10); });
    f.actnFile_Print.execute();
    EXPECT_EQ(cancel.answered(), 1);
    EXPECT_EQ(printer->documents.size(), 2u) << "Cancel prints nothing";
}

TEST_F(PreviewForm, PrintIsOffWithoutPrintFromPreview)
{
    system.SystemOptions &= ~std::uint32_t(soAllowPrintFromPreview);
    TRpPreviewForm& f = open(2);
    EXPECT_FALSE(f.actnFile_Print.enabled());
    sendKeyStroke(f.ScrollBox1, 'P', ssCtrl);
    EXPECT_TRUE(printer->documents.empty());
}

TEST_F(PreviewForm, PopupMenuZooms)
{
    TRpPreviewForm& f = open(1);
    std::vector<std::string> offered;
    ui.popupMenu = [&](TMenuItem& items, TPoint) {
        for (int i = 0; i < items.count(); ++i)
            offered.push_back(items.item(i).caption());
        items.item(1).click();
    };
    sendContextMenu(f.ScrollBox1, 50, 50);
    EXPECT_EQ(offered, (std::vector<std::string> {"Zoom &In", "Zoom &Out"}));
    EXPECT_EQ(f.ZoomEdit.text(), "90.0");
}

// The preview as a run delivers to it: settings, the two events, modal or not, closed.
class PreviewDelivery : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        test::recordMessageBoxes();
        system.SystemSetups &= ~std::uint32_t(ssAllowSetup);
        system.SystemOptions &= ~std::uint32_t(soShowStatus);
        system.OnPrint = [](TBaseReport& report) {
            for (int page = 1; page <= 4; ++page) {
                if (page > 1)
                    report.NewPage();
                report.PrintLeft("Page " + std::to_string(page), 1, 1);
            }
        };
    }
    static ReportServices windows(TRPPrinterDevice& device, const UiServices& ui)
    {
        ReportServices services;
        addReportWindows(services, device, ui);
        return services;
    }

    test::FakePrintSystem prints;
    TRPPrinterDevice device {prints};
    UiServices ui = test::recordingBoxes();
    TRvSystem system{windows(device, ui)};
};

TEST_F(PreviewDelivery, ShowsTheRunsPagesUntilClosedModalOrNot)
{
    system.TitlePreview = "Report Preview";
    system.SystemPreview.FormWidth = 700;
    system.SystemPreview.SetZoomFactor(50);
    std::vector<std::string> events;
    system.OnPreviewSetup = [&](TRvRenderPreview& r) { events.push_back("setup " + std::to_string(r.ZoomFactor())); };
    system.OnPreviewShow = [&](TRvRenderPreview& r) { events.push_back("show page " + std::to_string(r.CurrentPage())); };
    for (bool modal : {true, false}) {
        if (!modal)
            system.SystemOptions &= ~std::uint32_t(soPreviewModal);
        std::string status;
        int width = 0;
        AnswerWindow close(currentPreviewWindow, [&](TRpPreviewForm& preview) {
            status = preview.StatusBar1.simpleText();
            width = preview.clientWidth();
            EXPECT_FALSE(preview.Closed());
            sendKeyStroke(preview.ScrollBox1, VK_ESCAPE);
        });
        system.Execute();
        EXPECT_EQ(close.answered(), 1) << modal;
        EXPECT_EQ(status, "Page 1 of 4");
        EXPECT_EQ(width, 700);
        EXPECT_EQ(currentPreviewWindow(), nullptr) << "freed after closing";
    }
    EXPECT_EQ(events, (std::vector<std::string> {"setup 50.000000", "show page 1", "setup 50.000000", "show page 1"}));
    EXPECT_TRUE(test::recordedBoxes().empty());
}

TEST_F(PreviewDelivery, XClosesTooAndATemporarySnapshotGoesWithTheWindow)
{
    system.SystemFiler.StreamMode = TStreamMode::smTempFile;
    std::string file;
    AnswerWindow close(currentPreviewWindow, [&](TRpPreviewForm& preview) {
        auto* stream = dynamic_cast<TFileStream*>(preview.RvRenderPreview.Stream());
        ASSERT_NE(stream, nullptr);
        file = stream->fileName();
        EXPECT_TRUE(std::ifstream(file).good());
        sendChars(preview.ScrollBox1, "x");
    });
    system.Execute();
    EXPECT_EQ(close.answered(), 1);
    ASSERT_FALSE(file.empty());
    EXPECT_FALSE(std::ifstream(file).good());
}

} // namespace
} // namespace qv
