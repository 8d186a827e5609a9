#include "FakePrinters.h"
#include "../runtime_ui/UiTestApp.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/device/TRvRenderPDF.h"
#include "report/device/TRvRenderPrinter.h"
#include "report/execution/TRvSystem.h"
#include "report/ui/TRPSetupForm.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/printing/ModulePrintSystem.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

class SetupForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        test::recordMessageBoxes();
    }
    test::FakePrintSystem prints;
    TRvSystem system;
    UiServices ui = test::recordingBoxes();
};

TEST_F(SetupForm, OpensWithPreviewAndTheSnapshotFormatWhenAPrinterIsThere)
{
    prints.add("Office", "ipp://office");
    TRPPrinterDevice printer(prints);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();

    EXPECT_EQ(form.caption(), "Output Options");
    // As designed, widened only as far as the format box needs to show every format whole.
    int const extra = form.cboxFormat.width() - 134;
    EXPECT_GE(extra, 0);
    for (int i = 0; i < form.cboxFormat.itemCount(); ++i)
        EXPECT_GE(form.cboxFormat.width(), form.cboxFormat.widthToShow(form.cboxFormat.item(i))) << i;
    EXPECT_EQ(form.clientWidth(), 295 + extra);
    EXPECT_EQ(form.clientHeight(), 242);
    EXPECT_EQ(form.bbtnOK.left(), 209 + extra);
    EXPECT_EQ(form.DestGB.width(), 193 + extra);
    EXPECT_EQ(form.PrinterLabel.caption(), "Office on ipp://office");
    EXPECT_TRUE(form.PreviewRB.checked());
    EXPECT_FALSE(form.PrinterRB.checked());
    EXPECT_TRUE(form.PrinterRB.enabled());
    EXPECT_TRUE(form.FileRB.enabled());
    ASSERT_GE(form.cboxFormat.itemCount(), 2);
    EXPECT_EQ(form.cboxFormat.itemIndex(), 0);
    EXPECT_EQ(form.cboxFormat.item(0), "Report Snapshot File (NDR)");
    EXPECT_EQ(form.cboxFormat.item(1), "Native Printer Output (PRN)");
    EXPECT_FALSE(form.cboxFormat.enabled());
    EXPECT_EQ(form.CopiesED.text(), "1");
    EXPECT_FALSE(form.CollateCK.checked());
    EXPECT_FALSE(form.DuplexCK.checked());
    EXPECT_FALSE(form.editFileName.enabled());
    EXPECT_FALSE(form.FileNameSB.enabled());
    EXPECT_TRUE(form.SetupBB.enabled());
    EXPECT_TRUE(form.DestPage.visible());
    EXPECT_FALSE(form.RangePage.visible());
    // The copies and options belong to the printer destination only.
    EXPECT_FALSE(form.CopiesED.enabled());
    form.PrinterRB.setChecked(true);
    sendClick(form.PrinterRB, 5, 8);
    EXPECT_TRUE(form.CopiesED.enabled());
}

TEST_F(SetupForm, WithoutPrintersOnlyThePreviewIsOffered)
{
    TRPPrinterDevice printer(prints);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();

    EXPECT_EQ(form.PrinterLabel.caption(), "No printers installed!");
    EXPECT_TRUE(form.PreviewRB.checked());
    for (TControl* c : std::initializer_list<TControl*> {&form.PrinterRB, &form.FileRB, &form.CollateCK, &form.CopiesED,
             &form.CopiesLabel, &form.DuplexCK, &form.SetupBB})
        EXPECT_FALSE(c->enabled());
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(system.ReportDest, TReportDest::rdPreview);
}

TEST_F(SetupForm, WithoutThePrintingSupportTheLabelSaysWhyAndOnlyThePreviewIsOffered)
{
    test::ScratchDir dir;
    ModulePrintSystem unavailable(dir.file("quorvane-print.so"));
    TRPPrinterDevice printer(unavailable);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();

    ASSERT_NE(unavailable.unavailableReason(), "");
    EXPECT_EQ(form.PrinterLabel.caption(), "Printing is not available");
    EXPECT_TRUE(form.PreviewRB.checked());
    EXPECT_FALSE(form.PrinterRB.enabled());
    EXPECT_FALSE(form.SetupBB.enabled());
}

TEST_F(SetupForm, SystemSettingsDecideWhatIsOffered)
{
    prints.add("Office", "");
    TRPPrinterDevice printer(prints);
    system.SystemSetups &= ~std::uint32_t(ssAllowDestFile | ssAllowPrinterSetup | ssAllowCollate);
    system.DefaultDest = TReportDest::rdPrinter;
    system.SystemPrinter.Copies = 3;
    TRPSetupForm form(system, printer, ui);
    form.Prepare();

    EXPECT_EQ(form.PrinterLabel.caption(), "Office") << "no port: the device name alone";
    EXPECT_TRUE(form.PrinterRB.checked());
    EXPECT_FALSE(form.FileRB.enabled());
    EXPECT_FALSE(form.SetupBB.enabled());
    EXPECT_FALSE(form.CollateCK.enabled());
    EXPECT_TRUE(form.DuplexCK.enabled());
    EXPECT_EQ(form.CopiesED.text(), "3");
}

TEST_F(SetupForm, FileNamesGetTheFormatsExtensionOnlyWithoutADot)
{
    EXPECT_EQ(outputFileName("  out ", 0), "out.ndr");
    EXPECT_EQ(outputFileName("out", 1), "out.prn");
    EXPECT_EQ(outputFileName("out.txt", 0), "out.txt");
    EXPECT_EQ(outputFileName("out.txt", 1), "out.txt");
    EXPECT_EQ(outputFileName("out", 2), "out");

    prints.add("Office", "");
    TRPPrinterDevice printer(prints);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();
    form.FileRB.setChecked(true);
    sendClick(form.FileRB, 5, 8);
    EXPECT_TRUE(form.editFileName.enabled());
    EXPECT_TRUE(form.cboxFormat.enabled());
    EXPECT_FALSE(form.SetupBB.enabled());
    EXPECT_FALSE(form.bbtnOK.enabled()) << "no name yet";
    form.editFileName.setText("   ");
    EXPECT_FALSE(form.bbtnOK.enabled());
    form.editFileName.setText("out");
    EXPECT_TRUE(form.bbtnOK.enabled());

    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(system.ReportDest, TReportDest::rdFile);
    EXPECT_EQ(system.OutputFileName, "out.ndr");
    EXPECT_FALSE(system.NativeOutput);
    EXPECT_TRUE(system.ExportRenderer.empty());

    form.cboxFormat.setItemIndex(1);
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(system.OutputFileName, "out.prn");
    EXPECT_TRUE(system.NativeOutput);

    // Choosing the preview afterwards clears the file name again.
    form.PreviewRB.setChecked(true);
    sendClick(form.PreviewRB, 5, 8);
    EXPECT_FALSE(form.editFileName.enabled());
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(system.ReportDest, TReportDest::rdPreview);
    EXPECT_TRUE(system.OutputFileName.empty());
}

TEST_F(SetupForm, RegisteredExportRenderersFollowTheTwoFormats)
{
    registerPdfExportRenderer();
    prints.add("Office", "");
    TRPPrinterDevice printer(prints);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();
    ASSERT_EQ(form.cboxFormat.itemCount(), 3);
    EXPECT_EQ(form.cboxFormat.item(2), "PDF file (PDF)");
    EXPECT_EQ(form.dlogSave.filter, "Report Snapshot File (NDR)|*.NDR|Native Printer Output (PRN)|*.PRN|PDF file (PDF)|*.pdf");
    form.FileRB.setChecked(true);
    sendClick(form.FileRB, 5, 8);
    form.editFileName.setText("loan");
    form.cboxFormat.setItemIndex(2);
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(system.OutputFileName, "loan");
    EXPECT_FALSE(system.NativeOutput);
    EXPECT_EQ(system.ExportRenderer, "PDF file (PDF)");
}

TEST_F(SetupForm, KeyFiltersDropWhatIsNoNumber)
{
    prints.add("Office", "");
    TRPPrinterDevice printer(prints);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();
    form.show();
    form.CopiesED.setText("");
    form.CopiesED.setEnabled(true);
    form.CopiesED.setFocus();
    sendChars(form.CopiesED, "2a-");
    EXPECT_EQ(form.CopiesED.text(), "2");
    form.SelectionED.setEnabled(true);
    form.SelectionED.setText("");
    sendChars(form.SelectionED, "1-3,5x.");
    EXPECT_EQ(form.SelectionED.text(), "1-3,5");
    form.hide();
}

TEST_F(SetupForm, CopiesCollateAndDuplexReachThePrinterSettings)
{
    prints.add("Office", "");
    TRPPrinterDevice printer(prints);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();
    form.PrinterRB.setChecked(true);
    sendClick(form.PrinterRB, 5, 8);
    form.CopiesED.setText("4");
    form.CollateCK.setChecked(true);
    form.DuplexCK.setChecked(true);
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(system.ReportDest, TReportDest::rdPrinter);
    EXPECT_EQ(system.SystemPrinter.Copies, 4);
    EXPECT_TRUE(system.SystemPrinter.Collate);
    EXPECT_EQ(printer.Settings().duplex, PrinterSettings::longEdge);

    // A duplex mode already set stays; an unchecked box turns duplex off.
    PrinterSettings s = printer.Settings();
    s.duplex = PrinterSettings::shortEdge;
    printer.SetSettings(s);
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(printer.Settings().duplex, PrinterSettings::shortEdge);
    form.DuplexCK.setChecked(false);
    form.CopiesED.setText("");
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(printer.Settings().duplex, PrinterSettings::simplex);
    EXPECT_EQ(system.SystemPrinter.Copies, 4) << "an empty copies text changes nothing";
}

TEST_F(SetupForm, SetupRunsThePrinterDialogAndRefreshesTheLabel)
{
    test::FakePrinter& office = prints.add("Office", "lpt");
    TRPPrinterDevice printer(prints);
    TRPSetupForm form(system, printer, ui);
    form.Prepare();
    sendClick(form.SetupBB, 10, 10);
    EXPECT_EQ(office.setupDialogs, 1);
    EXPECT_EQ(form.PrinterLabel.caption(), "Office on lpt");
}

TEST_F(SetupForm, PrintRangeModeConfiguresThePrinterRenderer)
{
    prints.add("Office", "");
    TRPPrinterDevice printer(prints);
    TRvRenderPrinter render(printer);
    TRPSetupForm form(system, printer, ui);
    form.SetPrintRange(render, 3);
    form.Prepare();
    EXPECT_TRUE(form.RangePage.visible());
    EXPECT_FALSE(form.DestPage.visible());
    EXPECT_TRUE(form.AllRB.checked());
    EXPECT_EQ(form.FromED.text(), "1");
    EXPECT_EQ(form.ToED.text(), "3");
    EXPECT_EQ(form.SelectionED.text(), "1-3");
    EXPECT_FALSE(form.FromED.visible());
    EXPECT_FALSE(form.SelectionED.enabled());

    form.PagesRB.setChecked(true);
    sendClick(form.PagesRB, 5, 8);
    EXPECT_TRUE(form.FromED.visible());
    EXPECT_TRUE(form.FromED.enabled());
    EXPECT_FALSE(form.SelectionED.visible());
    form.FromED.setText("2");
    form.CopiesED.setText("2");
    form.CollateCK.setChecked(true);
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(render.FirstPage, 2);
    EXPECT_EQ(render.LastPage, 3);
    EXPECT_EQ(render.Copies, 2);
    EXPECT_TRUE(render.Collate);
    EXPECT_EQ(system.SystemPrinter.Copies, 2) << "the system's printer settings follow too";

    form.SelectionRB.setChecked(true);
    sendClick(form.SelectionRB, 5, 8);
    EXPECT_TRUE(form.SelectionED.enabled());
    form.SelectionED.setText("1,3");
    ASSERT_TRUE(form.ApplyOK());
    EXPECT_EQ(render.Selection, "1,3");
    EXPECT_EQ(render.FirstPage, 1);
    EXPECT_EQ(render.LastPage, 9999);

    form.PagesRB.setChecked(true);
    sendClick(form.PagesRB, 5, 8);
    form.ToED.setText("");
    EXPECT_THROW(form.ApplyOK(), std::exception) << "the integer parser's error";
}

TEST_F(SetupForm, ShownModallyOKAndCancelEndIt)
{
    prints.add("Office", "");
    TRPPrinterDevice printer(prints);
    for (bool ok : {true, false}) {
        TRPSetupForm form(system, printer, ui);
        TTimer press;
        press.setInterval(20);
        press.onTimer = [&] {
            press.setEnabled(false);
            EXPECT_TRUE(form.showing());
            sendClick(ok ? form.bbtnOK : form.CancelBB, 10, 10);
        };
        press.setEnabled(true);
        EXPECT_EQ(form.Run(), ok);
        EXPECT_FALSE(form.showing());
    }
}

TEST_F(SetupForm, EnterPressesOKAndEscapeCancels)
{
    TRPPrinterDevice printer(prints);
    for (int key : {int(VK_RETURN), int(VK_ESCAPE)}) {
        TRPSetupForm form(system, printer, ui);
        TTimer press;
        press.setInterval(20);
        press.onTimer = [&] {
            press.setEnabled(false);
            form.CopiesED.setEnabled(true);
            form.CopiesED.setFocus();
            sendKeyStroke(form.CopiesED, key);
        };
        press.setEnabled(true);
        EXPECT_EQ(form.Run(), key == VK_RETURN);
    }
}

} // namespace
} // namespace qv
