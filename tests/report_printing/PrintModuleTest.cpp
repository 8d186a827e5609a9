// The printers come from a module loaded on first use. These tests load the module where
// the build puts it for the programs, and modules that cannot serve: printing must then
// fail with the reason, while reports still generate, preview and measure without a printer.

#include "report/device/TRPPrinterDevice.h"
#include "report/device/TRvRenderCanvas.h"
#include "report/execution/TRvSystem.h"
#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/TRPConverter.h"
#include "runtime/printing/ModulePrintSystem.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace qv {
namespace {

std::string failureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no error";
}

TEST(ModulePrintSystem, TheProgramsModuleLoadsOnTheFirstCallThatNeedsIt)
{
    ModulePrintSystem system(printModulePath());
    // Listing (none or some, as the machine has) needs the module; no reason means it loaded.
    system.printers();
    EXPECT_EQ(system.unavailableReason(), "");
    EXPECT_EQ(system.open("qv no such printer"), nullptr);
}

TEST(ModulePrintSystem, AMissingModuleLeavesNoPrinterAndPrintingSaysWhy)
{
    test::ScratchDir dir;
    std::string const missing = dir.file("quorvane-print.so");
    ModulePrintSystem system(missing);
    EXPECT_TRUE(system.printers().empty());
    EXPECT_EQ(system.open("any"), nullptr);
    std::string const reason = system.unavailableReason();
    EXPECT_NE(reason.find(missing), std::string::npos) << reason;

    TRPPrinterDevice device(system);
    EXPECT_TRUE(device.InvalidPrinter());
    EXPECT_FALSE(device.PrinterSetup());
    EXPECT_EQ(device.PrintingUnavailable(), reason);
    EXPECT_EQ(failureOf([&] { device.BeginDoc("Quorvane Report"); }), "Printing is not available: " + reason);
    EXPECT_FALSE(device.Printing());
    // Text is still measured, on the screen device.
    snapshot::TRvFont font;
    EXPECT_GT(device.Measurer().textWidth(font, "Loan Amortization Schedule"), 1.0);
}

TEST(ModulePrintSystem, ALibraryThatIsNoPrintModuleIsRefused)
{
    ModulePrintSystem system("libc.so.6");
    EXPECT_TRUE(system.printers().empty());
    EXPECT_EQ(system.unavailableReason(), "libc.so.6 does not belong to this program");
}

TEST(ModulePrintSystem, WithoutTheModuleAReportPreviewsButDoesNotPrint)
{
    test::ScratchDir dir;
    ModulePrintSystem system(dir.file("quorvane-print.so"));
    TRPPrinterDevice device(system);
    bool printed = false;
    int previewPages = 0;
    ReportServices services;
    addPrinterOutput(services, device);
    services.printer = [&](TRvSystem&, TStream&) { printed = true; };
    struct NoDrawing : TRvRenderCanvas {
        void PageBegin(int, double, double) override {}
    } nothing;
    services.preview
        = [&](TRvSystem&, TStream& snapshot) { previewPages = TRPConverter(snapshot, nothing).PageCount(); };
    TRvSystem run(services);
    run.SystemSetups &= ~std::uint32_t(ssAllowSetup);
    run.OnPrint = [](TBaseReport& report) { report.PrintLeft("Loan Amortization Schedule", 1.0, 1.0); };

    run.DefaultDest = TReportDest::rdPreview;
    run.Execute();
    EXPECT_EQ(previewPages, 1);

    run.DefaultDest = TReportDest::rdPrinter;
    std::string const failure = failureOf([&] { run.Execute(); });
    EXPECT_EQ(failure.rfind("Printing is not available: ", 0), 0u) << failure;
    EXPECT_FALSE(printed);
}

} // namespace
} // namespace qv
