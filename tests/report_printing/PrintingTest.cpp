#include "report/device/Charsets.h"
#include "report/device/TRPPrinterDevice.h"
#include "report/device/TRvRenderCanvas.h"
#include "report/device/TRvRenderPrinter.h"
#include "report/execution/TRvSystem.h"
#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/TRPConverter.h"
#include "report/snapshot/TRvNDRWriter.h"
#include "runtime/core/Exception.h"
#include "runtime/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace {

// A print system of our own: pages are bitmaps at 96 pixels per inch, and every call is
// recorded, so that what the engine asks of a printer can be checked without one.
struct FakeJob {
    std::string name;
    std::string outputFile;
    std::vector<PrinterSettings> pageSettings;
    std::vector<std::unique_ptr<Bitmap>> pages;
    bool ended = false;
    bool aborted = false;
};

struct FakePrinter {
    PrinterEntry entry;
    int maxCopies = 1;
    bool opens = true;
    std::vector<FakeJob> jobs;
};

class FakeContext final : public PrinterContext {
public:
    explicit FakeContext(FakePrinter& printer) : m_printer(printer) { }

    PrinterCapabilities capabilities(const PrinterSettings& settings) override
    {
        PrinterCapabilities caps;
        caps.maxCopies = m_printer.maxCopies;
        caps.dpiX = caps.dpiY = 96;
        caps.paperSize = settings.paperSize ? settings.paperSize : 1;
        bool landscape = settings.orientation == PrinterSettings::landscape;
        caps.paperWidth = landscape ? 11.0 : 8.5;
        caps.paperHeight = landscape ? 8.5 : 11.0;
        caps.leftWaste = 0.25;
        return caps;
    }
    bool setupDialog(PrinterSettings&) override { return false; }
    void startDocument(const std::string& name, const std::string& file, const PrinterSettings&) override
    {
        m_printer.jobs.push_back({});
        m_printer.jobs.back().name = name;
        m_printer.jobs.back().outputFile = file;
    }
    Canvas& newPage(const PrinterSettings& settings) override
    {
        FakeJob& job = m_printer.jobs.back();
        job.pageSettings.push_back(settings);
        job.pages.push_back(std::make_unique<Bitmap>(816, 1056));
        Canvas& canvas = job.pages.back()->canvas();
        canvas.brush.color = clWhite;
        canvas.fillRect({0, 0, 816, 1056});
        return canvas;
    }
    void endDocument() override { m_printer.jobs.back().ended = true; }
    void abortDocument() override { m_printer.jobs.back().aborted = true; }

private:
    FakePrinter& m_printer;
};

class FakePrintSystem final : public PrintSystem {
public:
    std::vector<PrinterEntry> printers() override
    {
        std::vector<PrinterEntry> entries;
        for (const auto& printer : m_printers)
            entries.push_back(printer.entry);
        return entries;
    }
    std::unique_ptr<PrinterContext> open(const std::string& name) override
    {
        for (auto& printer : m_printers) {
            if (printer.entry.name == name && printer.opens)
                return std::make_unique<FakeContext>(printer);
        }
        return nullptr;
    }
    FakePrinter& add(const std::string& name, const std::string& port = "", bool isDefault = false)
    {
        m_printers.push_back({});
        m_printers.back().entry = {name, name + " driver", port, isDefault};
        return m_printers.back();
    }

private:
    std::deque<FakePrinter> m_printers; // stable references for the tests
};

// A snapshot whose pages carry their number as a text and in the stroke of a line whose
// length is the page number in inches, so that a printed page tells which it was.
std::unique_ptr<TStream> numberedSnapshot(int pages, TOrientation orientation = TOrientation::poPortrait)
{
    TRvNDRWriter writer;
    writer.Orientation = orientation;
    writer.OnPrint = [pages](TBaseReport& report) {
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                report.NewPage();
            report.PrintLeft("Page " + std::to_string(page), 1.0, 1.0);
            report.MoveTo(0.5, 5.0);
            report.LineTo(0.5 + page, 5.0);
        }
    };
    writer.Execute();
    return writer.TakeOutputStream();
}

// The page number a numbered page was drawn for: the length of its line in inches.
int pageNumberOf(Bitmap& page)
{
    int length = 0;
    while (48 + length < page.width() && page.pixel(48 + length, 480) != clWhite)
        ++length;
    return (length + 48) / 96;
}

std::vector<int> printedPages(FakeJob& job)
{
    std::vector<int> numbers;
    for (auto& page : job.pages)
        numbers.push_back(pageNumberOf(*page));
    return numbers;
}

// ---- the device ----

TEST(TRPPrinterDevice, ListsPrintersByNameOrPerPortAndSelectsTheDefault)
{
    FakePrintSystem system;
    system.add("Laser");
    system.add("Office", "LPT1:", true);
    TRPPrinterDevice device(system);

    ASSERT_EQ(device.Printers().size(), 2u);
    EXPECT_EQ(device.Printers()[0].displayName, "Laser");
    EXPECT_EQ(device.Printers()[1].displayName, "Office on LPT1:");
    EXPECT_EQ(device.PrinterIndex(), 1) << "the system's default until the user picks another";
    EXPECT_EQ(device.Device(), "Office");
    EXPECT_EQ(device.Port(), "LPT1:");
    EXPECT_EQ(device.Driver(), "Office driver");

    EXPECT_TRUE(device.SelectPrinter("laser"));
    EXPECT_EQ(device.Device(), "Laser");
    EXPECT_TRUE(device.SelectPrinter("Office on LPT1:"));
    EXPECT_FALSE(device.SelectPrinter("Plotter"));
    EXPECT_EQ(device.Device(), "Office") << "a failed selection keeps the printer";
}

TEST(TRPPrinterDevice, WithoutADefaultTheFirstPrinterIsSelected)
{
    FakePrintSystem system;
    system.add("First");
    system.add("Second");
    TRPPrinterDevice device(system);
    EXPECT_EQ(device.Device(), "First");
    EXPECT_FALSE(device.InvalidPrinter());
}

TEST(TRPPrinterDevice, NoPrintersMeansAnInvalidPrinterMeasuredOnTheScreenDevice)
{
    FakePrintSystem system;
    TRPPrinterDevice device(system);
    EXPECT_TRUE(device.InvalidPrinter());
    EXPECT_EQ(device.PrinterIndex(), -1);
    EXPECT_EQ(device.MaxCopies(), 1);
    EXPECT_EQ(device.XDPI(), 96);
    EXPECT_EQ(device.PaperInfo().bin, 265) << "the header of a run without printer";
    EXPECT_EQ(device.PaperInfo().paperSize, 1);
    snapshot::TRvFont font;
    double width = device.Measurer().textWidth(font, "Loan Amortization Schedule");
    EXPECT_GT(width, 1.0);
    EXPECT_LT(width, 3.0);
    EXPECT_THROW(device.BeginDoc("x"), EReportPrinter);
}

TEST(TRPPrinterDevice, StateErrorsAndTheDocumentLifecycle)
{
    FakePrintSystem system;
    FakePrinter& printer = system.add("Laser");
    system.add("Inkjet");
    TRPPrinterDevice device(system);
    EXPECT_EQ(device.State(), TPrinterState::psNone);

    auto expectMessage = [](auto call, const std::string& message) {
        try {
            call();
            ADD_FAILURE() << "expected: " << message;
        } catch (const EReportPrinter& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    };
    std::string const notPrinting = "Invalid method call.  Device is not printing.";
    expectMessage([&] { device.NewPage(); }, notPrinting);
    expectMessage([&] { device.EndDoc(); }, notPrinting);
    expectMessage([&] { device.canvas(); }, notPrinting);

    device.BeginDoc("Quorvane Report");
    EXPECT_EQ(device.State(), TPrinterState::psPrinting);
    EXPECT_FALSE(device.PageOpen());
    expectMessage([&] { device.BeginDoc("again"); }, "Invalid method call.  Device already printing.");
    expectMessage([&] { device.SetPrinterIndex(1); }, "Invalid method call.  Device already printing.");
    device.NewPage();
    EXPECT_TRUE(device.PageOpen());
    device.NewPage();
    device.EndDoc();
    EXPECT_EQ(device.State(), TPrinterState::psInformation);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].name, "Quorvane Report");
    EXPECT_EQ(printer.jobs[0].pages.size(), 2u);
    EXPECT_TRUE(printer.jobs[0].ended);

    device.BeginDoc("dropped");
    device.NewPage();
    device.Abort();
    EXPECT_TRUE(device.Aborted());
    device.EndDoc();
    EXPECT_TRUE(printer.jobs[1].aborted);
    EXPECT_FALSE(printer.jobs[1].ended) << "an aborted document is not handed to the printer";
}

TEST(TRPPrinterDevice, APrinterThatCannotBeOpenedNamesDevicePortAndDriver)
{
    FakePrintSystem system;
    system.add("Ghost", "USB001").opens = false;
    TRPPrinterDevice device(system);
    try {
        device.BeginDoc("x");
        ADD_FAILURE();
    } catch (const EReportPrinter& error) {
        EXPECT_EQ(std::string(error.what()), "Invalid Printer - Ghost on USB001 (Ghost driver)");
    }
    EXPECT_FALSE(device.Printing());
}

TEST(TRPPrinterDevice, SettingsMarkChangesAndASelectionStartsFromDefaults)
{
    FakePrintSystem system;
    system.add("Laser");
    system.add("Inkjet");
    TRPPrinterDevice device(system);
    PrinterSettings settings = device.Settings();
    device.SetSettings(settings);
    EXPECT_FALSE(device.SettingsChanged()) << "an equal record changes nothing";
    settings.orientation = PrinterSettings::landscape;
    settings.paperSize = 5;
    device.SetSettings(settings);
    EXPECT_TRUE(device.SettingsChanged());
    TRvPaperInfo paper = device.PaperInfo();
    EXPECT_EQ(paper.paperSize, 5);
    EXPECT_DOUBLE_EQ(paper.paperWidth, 8.5) << "the record keeps the paper upright";
    EXPECT_DOUBLE_EQ(paper.leftWaste, 0.25);

    device.SelectPrinter("Inkjet");
    EXPECT_EQ(device.State(), TPrinterState::psNone) << "a new selection closes the open context";
    EXPECT_EQ(device.Settings(), PrinterSettings {});
}

// ---- the printer renderer ----

TEST(TRvRenderPrinter, CopiesThePrinterCannotMakeAreReplayed)
{
    FakePrintSystem system;
    FakePrinter& printer = system.add("Single");
    printer.maxCopies = 1;
    TRPPrinterDevice device(system);
    auto snapshot = numberedSnapshot(2);

    TRvRenderPrinter collated(device);
    collated.Copies = 3;
    collated.Collate = true;
    collated.PrintRender(*snapshot);
    ASSERT_EQ(printer.jobs.size(), 1u) << "all copies in one document";
    EXPECT_EQ(printedPages(printer.jobs[0]), (std::vector<int> {1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(printer.jobs[0].pageSettings[0].copies, 1);

    TRvRenderPrinter uncollated(device);
    uncollated.Copies = 3;
    uncollated.PrintRender(*snapshot);
    EXPECT_EQ(printedPages(printer.jobs[1]), (std::vector<int> {1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(uncollated.PageCount(), 6);
}

TEST(TRvRenderPrinter, CollatedCopiesThePrinterMakesAreLeftToIt)
{
    FakePrintSystem system;
    FakePrinter& printer = system.add("Laser");
    printer.maxCopies = 999;
    TRPPrinterDevice device(system);
    auto snapshot = numberedSnapshot(2);
    TRvRenderPrinter render(device);
    render.Copies = 3;
    render.Collate = true;
    render.PrintRender(*snapshot);
    EXPECT_EQ(printedPages(printer.jobs[0]), (std::vector<int> {1, 2}));
    EXPECT_EQ(printer.jobs[0].pageSettings[0].copies, 3);
    EXPECT_TRUE(printer.jobs[0].pageSettings[0].collate);
}

TEST(TRvRenderPrinter, OnlyThePagesOfTheRangeOrSelectionPrint)
{
    FakePrintSystem system;
    FakePrinter& printer = system.add("Single");
    TRPPrinterDevice device(system);
    auto snapshot = numberedSnapshot(5);

    TRvRenderPrinter pages(device);
    pages.FirstPage = 2;
    pages.LastPage = 4;
    pages.Copies = 2;
    pages.PrintRender(*snapshot);
    EXPECT_EQ(printedPages(printer.jobs[0]), (std::vector<int> {2, 2, 3, 3, 4, 4}));

    // A selection wins over first and last page.
    TRvRenderPrinter selection(device);
    selection.FirstPage = 2;
    selection.LastPage = 2;
    selection.Selection = "odd,4-";
    selection.PrintRender(*snapshot);
    EXPECT_EQ(printedPages(printer.jobs[1]), (std::vector<int> {1, 3, 4, 5}));

    // Nothing in range, or an item that is no page: an error before any document starts.
    TRvRenderPrinter none(device);
    none.FirstPage = 7;
    EXPECT_THROW(none.PrintRender(*snapshot), EReportPrinter);
    none.Selection = "1,x";
    EXPECT_THROW(none.PrintRender(*snapshot), EConvertError);
    EXPECT_EQ(printer.jobs.size(), 2u);
    EXPECT_FALSE(device.Printing());
}

TEST(TRvRenderPrinter, TheSnapshotsOrientationTurnsThePaper)
{
    FakePrintSystem system;
    FakePrinter& printer = system.add("Laser");
    TRPPrinterDevice device(system);
    auto snapshot = numberedSnapshot(1, TOrientation::poLandScape);
    TRvRenderPrinter render(device);
    render.OutputFile = "/tmp/out.prn";
    render.PrintRender(*snapshot);
    EXPECT_EQ(printer.jobs[0].pageSettings[0].orientation, PrinterSettings::landscape);
    EXPECT_EQ(printer.jobs[0].outputFile, "/tmp/out.prn");
    EXPECT_EQ(printer.jobs[0].name, "Quorvane Report");
}

TEST(TRvRenderPrinter, AFailingPageDropsTheDocument)
{
    FakePrintSystem system;
    FakePrinter& printer = system.add("Laser");
    TRPPrinterDevice device(system);
    TMemoryStream damaged(std::vector<uint8_t> {'Z', 1, 2});
    TRvRenderPrinter render(device);
    EXPECT_THROW(render.PrintRender(damaged), Exception);
    EXPECT_FALSE(device.Printing());
    for (const auto& job : printer.jobs)
        EXPECT_FALSE(job.ended);
}

// ---- fonts and shapes on the canvas ----

class BitmapRender : public TRvRenderCanvas {
public:
    explicit BitmapRender(Bitmap& bitmap)
    {
        m_canvas = &bitmap.canvas();
        m_canvas->brush.color = clWhite;
        m_canvas->fillRect({0, 0, bitmap.width(), bitmap.height()});
    }
    void PageBegin(int, double, double) override { }
    const Font& canvasFont() const { return m_canvas->font; }
};

TEST(DefaultCharset, TheUsersLocaleAndCodePageChooseTheCharacterSet)
{
    EXPECT_EQ(defaultCharsetFor(1049, 0), 204);
    EXPECT_EQ(defaultCharsetFor(1045, 0), 238);
    EXPECT_EQ(defaultCharsetFor(2052, 0), 134);
    EXPECT_EQ(defaultCharsetFor(1033, 1257), 186) << "the code page when the locale has no entry";
    EXPECT_EQ(defaultCharsetFor(1033, 1252), 1);

    const char* saved = std::getenv("LC_ALL");
    std::string restore = saved ? saved : "";
    ::setenv("LC_ALL", "ru_RU.CP1251", 1);
    EXPECT_EQ(userLocaleId(), 1049);
    EXPECT_EQ(userCodePage(), 1251);
    ::setenv("LC_ALL", "pl_PL.UTF-8", 1);
    EXPECT_EQ(userLocaleId(), 1045);
    EXPECT_EQ(userCodePage(), 0);
    if (saved)
        ::setenv("LC_ALL", restore.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}

TEST(TRvRenderCanvas, FontsOfTheDefaultSetTakeTheLocalesSetAndDeviceSizes)
{
    Bitmap bitmap(200, 200);
    BitmapRender render(bitmap);
    render.PixelsPerInchX = render.PixelsPerInchY = 600;
    render.DefaultCharset = defaultCharsetFor(1049, 0);
    snapshot::TRvFont font;
    font.size = 12;
    render.SetFont(font);
    render.LeftText("x", 0.1, 0.2);
    EXPECT_EQ(render.canvasFont().charset, 204);
    EXPECT_EQ(render.canvasFont().height, 100) << "12 points at 600 pixels per inch";

    font.charset = 0;
    font.superscript = true;
    font.pitch = 2;
    render.SetFont(font);
    render.LeftText("x", 0.1, 0.2);
    EXPECT_EQ(render.canvasFont().charset, 0) << "an explicit set stays";
    EXPECT_EQ(render.canvasFont().height, 60) << "superscript is the size / 1.667";
    EXPECT_EQ(render.canvasFont().pitch, fpFixed);
}

TEST(TRvRenderCanvas, RoundedRectanglesKeepTheirCornersClear)
{
    Bitmap bitmap(200, 200);
    BitmapRender render(bitmap);
    snapshot::TRvBrush brush;
    brush.color = clSilver;
    render.SetBrush(brush);
    render.SetPen(snapshot::TRvPen {});
    // Corners of half an inch: 48 pixels at 96 pixels per inch.
    render.RoundRect({{0.5, 0.5}, {1.5, 1.5}}, 0.5, 0.5);
    EXPECT_EQ(bitmap.pixel(49, 49), clWhite) << "the corner is cut off";
    EXPECT_EQ(bitmap.pixel(96, 48), clBlack) << "the top edge";
    EXPECT_EQ(bitmap.pixel(96, 96), clSilver);
    EXPECT_EQ(bitmap.pixel(96, 150), clWhite) << "nothing below the bounds";
}

// A 2 x 2 picture in the bitmap file format: red, green / blue, white (bottom row first).
std::vector<uint8_t> tinyBmp()
{
    std::vector<uint8_t> bmp = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0,
        24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // Bottom row: blue, white; top row: red, green (B, G, R per pixel, rows padded to 4 bytes).
    std::vector<uint8_t> pixels = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    bmp.insert(bmp.end(), pixels.begin(), pixels.end());
    return bmp;
}

TEST(TRvRenderCanvas, BitmapsAreStretchedIntoTheirRectangle)
{
    Bitmap bitmap(200, 200);
    BitmapRender render(bitmap);
    snapshot::TRvGraphic graphic;
    graphic.data = tinyBmp();
    render.PrintBitmapRect({{0.0, 0.0}, {1.0, 1.0}}, graphic);
    EXPECT_EQ(bitmap.pixel(10, 10), TColor(0x0000FF)) << "red, top left";
    EXPECT_EQ(bitmap.pixel(85, 10), TColor(0x00FF00)) << "green, top right";
    EXPECT_EQ(bitmap.pixel(10, 85), TColor(0xFF0000)) << "blue, bottom left";
    EXPECT_EQ(bitmap.pixel(120, 120), clWhite) << "nothing outside the rectangle";

    render.StretchDraw({{1.0, 1.0}, {1.5, 2.0}}, graphic);
    EXPECT_EQ(bitmap.pixel(100, 100), TColor(0x0000FF));
    EXPECT_EQ(bitmap.pixel(140, 185), clWhite) << "white, bottom right";

    snapshot::TRvGraphic broken;
    broken.data = {'B', 'M', 1};
    EXPECT_NO_THROW(render.StretchDraw({{0.0, 0.0}, {1.0, 1.0}}, broken));
}

// ---- the report system with and without a printer ----

class ReportSystemWithPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_print = [this](TRvSystem& system, TStream& snapshot) {
            TRvRenderPrinter render(m_device);
            render.Copies = system.SystemPrinter.Copies;
            render.PrintRender(snapshot);
            m_printed = true;
        };
        m_run.SystemSetups &= ~std::uint32_t(ssAllowSetup);
        m_run.OnPrint = [](TBaseReport& report) {
            report.PrintLeft("Loan Amortization Schedule", 1.0, 1.0);
            report.NewPage();
            report.PrintLeft("Totals", 1.0, 1.0);
        };
    }
    // The fake device, a printer destination that runs m_print and a preview that counts pages.
    ReportServices services()
    {
        ReportServices services;
        services.printerDevice = &m_device;
        services.printer = [this](TRvSystem& system, TStream& snapshot) { m_print(system, snapshot); };
        services.preview = [this](TRvSystem&, TStream& snapshot) {
            TRPConverter converter(snapshot, m_nothing);
            m_previewPages = converter.PageCount();
        };
        return services;
    }

    struct NoDrawing : TRvRenderCanvas {
        void PageBegin(int, double, double) override { }
    } m_nothing;
    FakePrintSystem m_system;
    TRPPrinterDevice m_device{m_system};
    std::function<void(TRvSystem&, TStream&)> m_print;
    TRvSystem m_run{services()};
    bool m_printed = false;
    int m_previewPages = 0;
};

TEST_F(ReportSystemWithPrinter, WithoutAPrinterAReportStillGeneratesAndPreviews)
{
    m_run.DefaultDest = TReportDest::rdPreview;
    m_run.Execute();
    EXPECT_EQ(m_previewPages, 2);

    m_run.DefaultDest = TReportDest::rdPrinter;
    try {
        m_run.Execute();
        ADD_FAILURE();
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), "No printers installed!");
    }
    EXPECT_FALSE(m_printed);
}

TEST_F(ReportSystemWithPrinter, CopiesAPrinterCannotMakeForceTheReplay)
{
    FakePrinter& printer = m_system.add("Single");
    m_device.Refresh();
    m_run.DefaultDest = TReportDest::rdPrinter;
    m_run.SystemPrinter.Copies = 3;
    m_run.Execute();
    EXPECT_TRUE(m_run.ForceMultiplePrint);
    ASSERT_TRUE(m_printed);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].pages.size(), 6u);
}

TEST_F(ReportSystemWithPrinter, NativeOutputGoesToTheFileThroughThePrinter)
{
    FakePrinter& printer = m_system.add("Laser");
    m_device.Refresh();
    m_run.DefaultDest = TReportDest::rdFile;
    m_run.OutputFileName = "/tmp/qv-native.prn";
    m_run.NativeOutput = true;
    m_print = [this](TRvSystem& system, TStream& snapshot) {
        TRvRenderPrinter render(m_device);
        render.OutputFile = system.OutputFileName;
        render.PrintRender(snapshot);
    };
    m_run.Execute();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].outputFile, "/tmp/qv-native.prn");
    EXPECT_EQ(printer.jobs[0].pages.size(), 2u);
}

} // namespace
} // namespace qv
