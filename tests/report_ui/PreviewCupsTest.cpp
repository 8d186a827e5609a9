// Printing from the preview through the desktop's real print system: the CUPS-PDF queue
// that scripts/cups.sh sets up for the run; skipped without it.

#include "PreviewTestSupport.h"
#include "../runtime_ui/UiTestApp.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/execution/TRvSystem.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRPSetupForm.h"
#include "report/ui/TRpPreviewForm.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "support/SkipOrFailInCi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv {
namespace {

std::string run(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

TEST(PreviewPrinting, ThePagesChosenInThePrintRangeReachTheQueue)
{
    const char* queue = std::getenv("QV_TEST_PRINTER");
    const char* pdfDir = std::getenv("QV_CUPS_PDF_DIR");
    if (!queue || !*queue || !pdfDir || !*pdfDir)
        SKIP_OR_FAIL_IN_CI("no print queue for the tests: scripts/test.sh sets one up (scripts/cups.sh)");
    test::app();
    test::recordMessageBoxes();
    TRPPrinterDevice device(platformPrintSystem());
    if (!device.SelectPrinter(queue))
        SKIP_OR_FAIL_IN_CI(std::string("the print system does not list the queue ") + queue);

    // The document name carries a token of this run, so its PDF is told from others.
    std::string const token = "QvPreview" + std::to_string(::getpid());
    TMemoryStream snapshot;
    TRvNDRWriter writer;
    writer.Title = token;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &snapshot;
    writer.OnPrint = [](TBaseReport& report) {
        for (int page = 1; page <= 5; ++page) {
            if (page > 1)
                report.NewPage();
            report.PrintLeft("Preview page " + std::to_string(page), 1, 1);
        }
    };
    writer.Execute();

    TRvSystem system;
    UiServices const desktop = test::recordingBoxes();
    TRpPreviewForm form(system, device, desktop);
    form.SetSnapshot(snapshot);
    form.Start();
    form.showAndRaise();
    TTimer answer;
    answer.setInterval(5);
    answer.onTimer = [&] {
        TRPSetupForm* setup = currentSetupWindow();
        if (!setup || !setup->showing())
            return;
        answer.setEnabled(false);
        setup->PagesRB.setChecked(true);
        sendClick(setup->PagesRB, 5, 8);
        setup->FromED.setText("2");
        setup->ToED.setText("4");
        sendClick(setup->bbtnOK, 10, 10);
    };
    answer.setEnabled(true);
    sendKeyStroke(form.ScrollBox1, 'P', ssCtrl);
    EXPECT_TRUE(test::recordedBoxes().empty());

    fs::path printed;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (printed.empty() && std::chrono::steady_clock::now() < deadline) {
        bool const idle = run("lpstat -o '" + std::string(queue) + "' 2>/dev/null").empty();
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(pdfDir, error))
            if (idle && entry.path().filename().string().find(token) != std::string::npos)
                printed = entry.path();
        if (printed.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    ASSERT_FALSE(printed.empty()) << "no PDF named after " << token << " in " << pdfDir;
    std::string const text = run("pdftotext -layout '" + printed.string() + "' - 2>/dev/null");
    fs::remove(printed);
    EXPECT_EQ(text.find("Preview page 1"), std::string::npos);
    for (int page = 2; page <= 4; ++page)
        EXPECT_NE(text.find("Preview page " + std::to_string(page)), std::string::npos) << page;
    EXPECT_EQ(text.find("Preview page 5"), std::string::npos);
}

} // namespace
} // namespace qv
