#include "AmortizationReport.h"

#include "report/components/Bands.h"
#include "report/components/Calculations.h"
#include "report/components/DataFields.h"
#include "report/components/DrawingControls.h"
#include "report/components/TRpRegion.h"
#include "report/project/ClassRegistry.h"
#include "report/project/ReportErrors.h"

#include <fstream>

namespace qv::tools {

namespace {

using namespace report;

constexpr double pageLeft = 0.5;
constexpr double contentWidth = 7.5;
constexpr const char* connectionName = "RvCustomConnection1";
// Money reads like a bank statement: two decimals, digits grouped the user's way.
constexpr const char* moneyFormat = "#,##0.00";

struct Shown {
    const char* format;
    TRpDisplayType type;
    TRpJustify justify;
};
constexpr Shown money = {moneyFormat, dtNumericFormat, pjRight};
constexpr Shown shortDate = {"ddddd", dtDateTimeFormat, pjLeft};

struct Column {
    const char* field;
    const char* caption;
    double left;
    double width;
    TRpJustify justify;
    const Shown* shown; // printed as the text stands when null
};

// The six schedule columns as they sit in the band.
constexpr Column columns[] = {
    {"No", "No.", 0.0, 0.5, pjRight, nullptr},
    {"date", "Payment Date", 0.8, 1.3, pjLeft, &shortDate},
    {"interest", "Interest", 2.1, 1.2, pjRight, &money},
    {"principal", "Principal", 3.4, 1.2, pjRight, &money},
    {"extra", "Extra Payment", 4.7, 1.2, pjRight, &money},
    {"balance", "Balance", 6.0, 1.5, pjRight, &money},
};

template<class T>
T* add(TRpReportComponent& parent, const std::string& name)
{
    auto component = std::make_unique<T>();
    component->setName(name);
    auto* added = parent.addChild(std::move(component));
    if (!added)
        throw ERpException("Component %s does not fit here", name);
    return static_cast<T*>(added);
}

void place(TRpControl& control, double left, double top, double width)
{
    control.setLeft(left);
    control.setTop(top);
    control.setWidth(width);
}

template<class T>
T* text(TRpReportComponent& parent, const std::string& name, double left, double top, double width, int size, bool bold,
    TRpJustify justify = pjLeft)
{
    T* control = add<T>(parent, name);
    place(*control, left, top, width);
    control->font().setSize(size);
    control->font().setStyle(bold ? setOf(fsBold) : 0u);
    control->setFontJustify(justify);
    return control;
}

TRpText* label(TRpReportComponent& parent, const std::string& name, const std::string& caption, double left, double top,
    double width, int size = 10, bool bold = false, TRpJustify justify = pjLeft)
{
    TRpText* control = text<TRpText>(parent, name, left, top, width, size, bold, justify);
    control->setText(caption);
    return control;
}

TRpDataText* dataText(TRpReportComponent& parent, const std::string& name, const std::string& expression, double left,
    double top, double width, int size = 10, bool bold = false, TRpJustify justify = pjLeft)
{
    TRpDataText* control = text<TRpDataText>(parent, name, left, top, width, size, bold, justify);
    control->setDataField(expression);
    return control;
}

// A text that prints one value in a display format: a sum that its controller feeds
// a single value before each printing, and that starts again from 0 after it.
TRpCalcText* formatted(TRpReportComponent& parent, const std::string& name, TRpReportComponent& controller,
    TRpDataView* view, const std::string& expression, const Shown& shown, double left, double top, double width,
    int size, bool bold)
{
    TRpCalcText* control = text<TRpCalcText>(parent, name, left, top, width, size, bold, shown.justify);
    control->setCalcType(ctSum);
    control->setController(&controller);
    control->setDataView(view);
    control->setDataField(expression);
    control->setDisplayFormat(shown.format);
    control->setDisplayType(shown.type);
    return control;
}

void rule(TRpReportComponent& parent, const std::string& name, double top, double width = contentWidth)
{
    auto* line = add<TRpHLine>(parent, name);
    line->setLeft(0);
    line->setTop(top);
    line->setWidth(width);
    line->setHeight(0);
}

TRpDataView* addDataView(TRpProjectManager& project)
{
    auto view = std::make_unique<TRpDataView>();
    view->setName("DataView1");
    view->setFullName("Schedule");
    view->setConnectionName(connectionName);
    TRpDataView* added = static_cast<TRpDataView*>(project.addDataObject(std::move(view)));
    for (const Column& column : columns) {
        auto* field = add<TRpStringField>(*added, std::string("DataView1") + column.field);
        field->setFieldName(column.field);
        field->setSize(30);
    }
    return added;
}

void addSummary(TRpRegion& region)
{
    TRpBand* band = add<TRpBand>(region, "SummaryBand");
    band->setHeight(2.3);
    // First in the band, so the amounts below have read their parameters when they print.
    auto* amounts = add<TRpCalcController>(*band, "SummaryAmounts");
    label(*band, "TitleText", "Loan Amortization Schedule", 0, 0.0, contentWidth, 16, true, pjCenter);
    label(*band, "SummaryTitle", "Loan Summary", 0.1, 0.5, 3.0, 11, true);
    auto* box = add<TRpRectangle>(*band, "SummaryBox");
    box->setLeft(0);
    box->setTop(0.45);
    box->setWidth(contentWidth);
    box->setHeight(1.55);
    box->setFillStyle(fsClear);

    struct Entry {
        const char* name;
        const char* caption;
        const char* parameter;
        bool money;
    };
    const Entry left[] = {
        {"Amount", "Loan amount:", "Amount", true},
        {"Rate", "Annual interest rate (%):", "Rate", false},
        {"Term", "Term (years):", "Term", false},
        {"MonPay", "Monthly payment:", "MonPay", true},
    };
    const Entry right[] = {
        {"IntPay", "Total interest:", "IntPay", true},
        {"TotPay", "Total payment:", "TotPay", true},
        {"IntSave", "Interest saved:", "IntSave", true},
        {"Rounding", "Rounding:", "Rounding", false},
    };
    auto value = [&](const Entry& entry, double left, double top, double width) {
        std::string const name = std::string("Value") + entry.name;
        std::string const expression = std::string("PARAM.") + entry.parameter;
        if (entry.money)
            formatted(*band, name, *amounts, nullptr, expression, money, left, top, width, 10, true);
        else
            dataText(*band, name, expression, left, top, width, 10, true, pjRight);
    };
    double top = 0.8;
    for (const Entry& entry : left) {
        label(*band, std::string("Label") + entry.name, entry.caption, 0.1, top, 2.0);
        value(entry, 2.1, top, 1.5);
        top += 0.28;
    }
    top = 0.8;
    for (const Entry& entry : right) {
        label(*band, std::string("Label") + entry.name, entry.caption, 4.0, top, 1.8);
        value(entry, 5.8, top, 1.6);
        top += 0.28;
    }
}

TRpDataBand* addSchedule(TRpRegion& region, TRpDataView& view)
{
    TRpDataBand* rows = add<TRpDataBand>(region, "ScheduleBand");
    rows->setDataView(&view);
    rows->setHeight(0.2);
    for (const Column& column : columns) {
        std::string const name = std::string("Row") + column.field;
        if (column.shown) {
            formatted(*rows, name, *rows, &view, column.field, *column.shown, column.left, 0.02, column.width, 9, false);
            continue;
        }
        auto* cell = dataText(*rows, name, column.field, column.left, 0.02, column.width, 9, false, column.justify);
        cell->setDataView(&view);
    }

    TRpBand* header = add<TRpBand>(region, "ColumnHeaderBand");
    header->setControllerBand(rows);
    header->bandStyle().setPrintLoc(setOf(plBodyHeader));
    header->bandStyle().setPrintOcc(setOf(poFirst, poNewPage));
    header->setHeight(0.3);
    for (const Column& column : columns)
        label(*header, std::string("Head") + column.field, column.caption, column.left, 0.05, column.width, 9, true, column.justify);
    rule(*header, "HeaderRule", 0.26);

    TRpBand* footer = add<TRpBand>(region, "TotalsBand");
    footer->setControllerBand(rows);
    footer->bandStyle().setPrintLoc(setOf(plBodyFooter));
    footer->setHeight(0.35);
    rule(*footer, "TotalsRule", 0.03);
    label(*footer, "TotalsLabel", "Totals", 0.0, 0.08, 0.8, 9, true);
    auto* count = text<TRpCalcText>(*footer, "PaymentCount", 0.8, 0.08, 1.3, 9, true);
    count->setCalcType(ctCount);
    count->setController(rows);
    count->setDataView(&view);
    count->setDataField("No");
    count->setDisplayFormat("0' payments'");
    for (const Column& column : columns) {
        std::string field = column.field;
        // The principal column is left without a total: the schedule's rounding makes it
        // differ from the amount by cents, which reads like an error on paper.
        if (field != "interest" && field != "extra")
            continue;
        auto* sum = text<TRpCalcText>(*footer, "Sum" + field, column.left, 0.08, column.width, 9, true, column.justify);
        sum->setCalcType(ctSum);
        sum->setController(rows);
        sum->setDataView(&view);
        sum->setDataField(field);
        sum->setDisplayFormat(moneyFormat);
    }
    return rows;
}

void addPageFooter(TRpPage& page)
{
    auto* footerRule = add<TRpHLine>(page, "PageFooterRule");
    footerRule->setLeft(pageLeft);
    footerRule->setTop(10.3);
    footerRule->setWidth(contentWidth);
    footerRule->setHeight(0);
    dataText(page, "RunDate", "'Run date:' & REPORT.DateShort", pageLeft, 10.35, 3.0, 8);
    dataText(page, "PageNumber", "'Page' & REPORT.CurrentPage & 'of' & REPORT.TotalPages", pageLeft + 4.5, 10.35, 3.0, 8, false, pjRight);
}

} // namespace

std::unique_ptr<TRpProjectManager> buildAmortizationProject()
{
    registerReportClasses();
    auto project = std::make_unique<TRpProjectManager>();
    project->setName("RpProject");
    project->setParameters({"Amount", "Rate", "Term", "MonPay", "IntPay", "TotPay", "IntSave", "Rounding"});
    TRpDataView* view = addDataView(*project);

    auto owned = std::make_unique<TRpReport>();
    owned->setName("rptQVR1");
    owned->setFullName("Loan Amortization Schedule");
    owned->setParameters({"Amount", "Rate", "Term", "MonPay", "IntPay", "TotPay", "IntSave", "Rounding"});
    TRpReport* report = project->addReport(std::move(owned));

    auto ownedPage = std::make_unique<TRpPage>();
    ownedPage->setName("Page1");
    ownedPage->setPageWidth(8.5);
    ownedPage->setPageHeight(11.0);
    ownedPage->setPaperSize(1); // Letter
    ownedPage->setOrientation(poPortrait);
    TRpPage* page = report->addPage(std::move(ownedPage));
    report->setFirstPage(page);

    auto* region = add<TRpRegion>(*page, "Region1");
    region->setLeft(pageLeft);
    region->setTop(0.5);
    region->setWidth(contentWidth);
    region->setHeight(9.7);
    addSummary(*region);
    addSchedule(*region, *view);
    addPageFooter(*page);

    project->activateReport(report);
    return project;
}

void writeAmortizationProject(const std::string& path)
{
    auto project = buildAmortizationProject();
    Bytes bytes = project->saveToStream(BlockMethod::Compressed);
    std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!file)
            throw ERpException("Cannot write %s", temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        throw ERpException("Cannot write %s", path);
}

} // namespace qv::tools
