// Printing through the desktop's real print system: a CUPS-PDF queue that scripts/cups.sh
// sets up for the run. The printed PDF is read back with the poppler tools.

#include "report/device/TRPPrinterDevice.h"
#include "report/device/TRvRenderPrinter.h"
#include "report/snapshot/TRvNDRWriter.h"
#include "runtime/core/Exception.h"
#include "support/SkipOrFailInCi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv {
namespace {

std::string run(const std::string& command, int* exitCode = nullptr)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    int status = ::pclose(pipe);
    if (exitCode)
        *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

std::string shellQuoted(const std::string& text) { return "'" + text + "'"; }

class CupsPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* queue = std::getenv("QV_TEST_PRINTER");
        const char* dir = std::getenv("QV_CUPS_PDF_DIR");
        if (!queue || !*queue || !dir || !*dir)
            SKIP_OR_FAIL_IN_CI("no print queue for the tests: scripts/test.sh sets one up (scripts/cups.sh)");
        m_queue = queue;
        m_pdfDir = dir;
        bool listed = false;
        for (const PrinterEntry& entry : platformPrintSystem().printers())
            listed = listed || entry.name == m_queue;
        if (!listed)
            SKIP_OR_FAIL_IN_CI("the print system does not list the queue " + m_queue);
        m_work = fs::temp_directory_path() / ("qv-cups-" + std::to_string(::getpid()));
        fs::create_directories(m_work);
    }
    void TearDown() override
    {
        if (!m_work.empty())
            fs::remove_all(m_work);
    }

    // Removes earlier PDFs of this document name, so that the next one found is new.
    void forget(const std::string& token)
    {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(m_pdfDir, error)) {
            if (entry.path().filename().string().find(token) != std::string::npos)
                fs::remove(entry.path(), error);
        }
    }

    // The PDF the queue made of the document whose name holds the token, once the queue
    // has finished with it.
    fs::path printedPdf(const std::string& token)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
        while (std::chrono::steady_clock::now() < deadline) {
            bool idle = run("lpstat -o " + shellQuoted(m_queue) + " 2>/dev/null").empty();
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(m_pdfDir, error)) {
                std::string name = entry.path().filename().string();
                if (idle && name.find(token) != std::string::npos && entry.path().extension() == ".pdf")
                    return entry.path();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        ADD_FAILURE() << "no PDF named after " << token << " appeared in " << m_pdfDir;
        return {};
    }

    static int pageCount(const fs::path& pdf)
    {
        std::smatch match;
        std::string info = run("pdfinfo " + shellQuoted(pdf.string()) + " 2>/dev/null");
        std::regex pages("Pages:\\s+(\\d+)");
        return std::regex_search(info, match, pages) ? std::stoi(match[1]) : -1;
    }

    static std::string pageSize(const fs::path& pdf)
    {
        std::smatch match;
        std::string info = run("pdfinfo " + shellQuoted(pdf.string()) + " 2>/dev/null");
        std::regex size("Page size:\\s+([0-9.]+ x [0-9.]+) pts");
        return std::regex_search(info, match, size) ? std::string(match[1]) : "";
    }

    static std::string text(const fs::path& pdf, const std::string& options = "-layout")
    {
        return run("pdftotext " + options + " " + shellQuoted(pdf.string()) + " - 2>/dev/null");
    }

    std::string m_queue;
    fs::path m_pdfDir;
    fs::path m_work;
};

TEST_F(CupsPrinting, ThirtyYearLoanPrintsEveryMonthOnEightPagesAndCopiesRepeatThem)
{
    std::string const cli = QV_CLI;
    std::string const loan = (m_work / "a.qvl").string();
    int code = -1;
    run("LC_ALL=C " + cli + " schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 -o " + shellQuoted(loan), &code);
    ASSERT_EQ(code, 0);

    std::string const listing = run("LC_ALL=C " + cli + " printers", &code);
    EXPECT_EQ(code, 0);
    EXPECT_NE(listing.find(m_queue), std::string::npos) << listing;

    forget("Quorvane_Report");
    std::string err = run("LC_ALL=C " + cli + " report " + shellQuoted(loan) + " --print --printer " + shellQuoted(m_queue) + " 2>&1", &code);
    ASSERT_EQ(code, 0) << err;
    fs::path pdf = printedPdf("Quorvane_Report");
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(pageCount(pdf), 8);
    std::string printed = text(pdf);
    std::set<int> months;
    std::regex row("^\\s*(\\d+)\\s+(\\d{4}-\\d\\d-\\d\\d)\\s");
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, row))
            months.insert(std::stoi(match[1]));
    }
    EXPECT_EQ(months.size(), 360u);
    EXPECT_EQ(*months.begin(), 1);
    EXPECT_EQ(*months.rbegin(), 360);
    EXPECT_NE(printed.find("2054-03-15"), std::string::npos) << "the last month";
    EXPECT_NE(printed.find("1,074.13"), std::string::npos) << "monthly payment";
    EXPECT_NE(printed.find("186,688.68"), std::string::npos) << "total interest";
    EXPECT_NE(printed.find("386,688.68"), std::string::npos) << "total payment";
    for (int page = 1; page <= 8; ++page)
        EXPECT_NE(printed.find("Page " + std::to_string(page) + " of 8"), std::string::npos) << page;

    forget("Quorvane_Report");
    err = run("LC_ALL=C " + cli + " report " + shellQuoted(loan) + " --print --printer " + shellQuoted(m_queue) + " --copies 2 2>&1", &code);
    ASSERT_EQ(code, 0) << err;
    pdf = printedPdf("Quorvane_Report");
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(pageCount(pdf), 16);
    std::string twice = text(pdf);
    for (int page = 1; page <= 8; ++page) {
        std::string footer = "Page " + std::to_string(page) + " of 8";
        auto first = twice.find(footer);
        ASSERT_NE(first, std::string::npos);
        EXPECT_NE(twice.find(footer, first + 1), std::string::npos) << footer << " twice";
    }
}

TEST_F(CupsPrinting, AnUnknownPrinterFailsWithAClearMessage)
{
    std::string const cli = QV_CLI;
    std::string const loan = (m_work / "b.qvl").string();
    int code = -1;
    run("LC_ALL=C " + cli + " schedule --amount 1000 --rate 5 --term 1 --date 2024-03-15 -o " + shellQuoted(loan), &code);
    ASSERT_EQ(code, 0);
    std::string err = run("LC_ALL=C " + cli + " report " + shellQuoted(loan) + " --print --printer NoSuchQueue 2>&1 >/dev/null", &code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err, "There is no printer \"NoSuchQueue\".\n");
}

TEST_F(CupsPrinting, OrientationAndPaperSizeReachThePrintedPdf)
{
    TRPPrinterDevice device(platformPrintSystem());
    ASSERT_TRUE(device.SelectPrinter(m_queue));
    auto print = [&](const std::string& title, TOrientation orientation, int paperSize) {
        PrinterSettings settings = device.Settings();
        settings.paperSize = paperSize;
        device.SetSettings(settings);
        TRvNDRWriter writer;
        writer.Title = title;
        writer.Orientation = orientation;
        writer.OnPrint = [](TBaseReport& report) { report.PrintLeft("Quorvane orientation check", 1.0, 1.0); };
        writer.Execute();
        auto snapshot = writer.TakeOutputStream();
        forget(title);
        TRvRenderPrinter render(device);
        render.PrintRender(*snapshot);
        return printedPdf(title);
    };
    std::string const id = std::to_string(::getpid());

    fs::path legal = print("qvlegal" + id, TOrientation::poPortrait, 5);
    ASSERT_FALSE(legal.empty());
    EXPECT_EQ(pageSize(legal), "612 x 1008");
    fs::path a4 = print("qvafour" + id, TOrientation::poLandScape, 9);
    ASSERT_FALSE(a4.empty());
    EXPECT_EQ(pageSize(a4), "595 x 842") << "landscape turns the page on the paper, not the paper";

    // A word's box on the page: upright text is wider than high, turned text higher than wide.
    auto wordShape = [&](const fs::path& pdf) {
        std::smatch match;
        std::string boxes = text(pdf, "-bbox");
        std::regex word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">orientation");
        if (!std::regex_search(boxes, match, word))
            return std::string("missing");
        double width = std::stod(match[3]) - std::stod(match[1]);
        double height = std::stod(match[4]) - std::stod(match[2]);
        return std::string(width > height ? "upright" : "turned");
    };
    EXPECT_EQ(wordShape(legal), "upright");
    EXPECT_EQ(wordShape(a4), "turned");
    fs::remove(legal);
    fs::remove(a4);
}

TEST_F(CupsPrinting, NativeOutputIsThePrintersOwnLanguageInTheFile)
{
    TRPPrinterDevice device(platformPrintSystem());
    ASSERT_TRUE(device.SelectPrinter(m_queue));
    TRvNDRWriter writer;
    writer.OnPrint = [](TBaseReport& report) {
        report.PrintLeft("first", 1.0, 1.0);
        report.NewPage();
        report.PrintLeft("second", 1.0, 1.0);
    };
    writer.Execute();
    auto snapshot = writer.TakeOutputStream();
    fs::path const target = m_work / "out.prn";
    TRvRenderPrinter render(device);
    render.OutputFile = target.string();
    render.PrintRender(*snapshot);

    std::ifstream in(target, std::ios::binary);
    std::string head(14, '\0');
    in.read(head.data(), std::streamsize(head.size()));
    // The test queue's driver speaks PostScript.
    EXPECT_EQ(head, "%!PS-Adobe-3.0");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(all.find("%%Pages: 2"), std::string::npos);
    for (const auto& entry : fs::directory_iterator(m_work))
        EXPECT_TRUE(entry.path() == target || entry.path().extension() == ".qvl") << "left behind: " << entry.path();
}

TEST_F(CupsPrinting, AnOutputFileThatCannotBeWrittenFailsAsAFileErrorAndDropsTheDocument)
{
    TRPPrinterDevice device(platformPrintSystem());
    ASSERT_TRUE(device.SelectPrinter(m_queue));
    TRvNDRWriter writer;
    writer.OnPrint = [](TBaseReport& report) { report.PrintLeft("nowhere", 1.0, 1.0); };
    writer.Execute();
    auto snapshot = writer.TakeOutputStream();
    fs::path const target = m_work / "missing" / "out.prn";
    TRvRenderPrinter render(device);
    render.OutputFile = target.string();
    // The printer's device lives in the print module; the error is still the file error
    // the engine and the programs catch.
    try {
        render.PrintRender(*snapshot);
        ADD_FAILURE() << "printing into a missing folder succeeded";
    } catch (const EInOutError& error) {
        EXPECT_NE(std::string(error.what()).find(target.string()), std::string::npos) << error.what();
    }
    EXPECT_FALSE(device.Printing());
    EXPECT_FALSE(fs::exists(m_work / "missing"));

    // The device prints again afterwards.
    fs::path const written = m_work / "again.prn";
    render.OutputFile = written.string();
    snapshot->seek(0);
    render.PrintRender(*snapshot);
    EXPECT_GT(fs::file_size(written), 0u);
}

} // namespace
} // namespace qv
