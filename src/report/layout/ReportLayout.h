#pragma once

#include "report/calc/CalcEngine.h"
#include "report/calc/ExpressionContext.h"
#include "report/components/Bands.h"
#include "report/components/DrawingControls.h"
#include "report/components/Images.h"
#include "report/components/TRpRegion.h"
#include "report/components/TRpReport.h"
#include "report/layout/DataViewRun.h"
#include "report/layout/ParameterStore.h"
#include "report/snapshot/TBaseReport.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace qv::report {

using RowSourceFactory = std::function<std::unique_ptr<RowSource>(const TRpBaseDataView&)>;

// What a run's output is for; controls shown on the preview only or the printer only
// are laid out for that destination alone.
enum class DisplayTarget { Preview, Printer };

// Turns a picture of a format the snapshot does not carry into a bitmap; false when it
// cannot.
using ImageDecoder = std::function<bool(const std::vector<std::uint8_t>& picture, std::vector<std::uint8_t>& bitmap)>;

// Lays a report's pages out into a page writer: the page sequence, regions with their
// columns, bands stacked by print location and occurrence, data bands over their views,
// and the texts, lines and shapes on them. A page whose data overflows prints again on
// a new sheet until its regions are done.
class ReportLayout : public ExpressionContext {
public:
    ReportLayout(const TRpReport& report, TBaseReport& writer, ParameterStore& params, RowSourceFactory rows);
    ~ReportLayout() override;

    // The data views that "View.Field" references and group keys may name.
    void setDataViews(std::vector<const TRpBaseDataView*> views) { m_dataViews = std::move(views); }
    // Pages the report refers to besides its own (global pages).
    void setGlobalPages(std::vector<const TRpPage*> pages) { m_globalPages = std::move(pages); }
    // Line height of texts: 0 uses the font size (size / 60 inch), else 1 / lines per inch.
    void setLinesPerInch(double linesPerInch) { m_linesPerInch = linesPerInch; }
    void setDisplayTarget(DisplayTarget target) { m_target = target; }
    void setImageDecoder(ImageDecoder decoder) { m_decodeImage = std::move(decoder); }

    // Prints every page; called from the writer's print hook. Data views close at the end.
    void print();
    // False when a data view could not be opened and the run was aborted.
    bool completed() const { return m_completed; }
    int sheets() const { return m_sheets; }
    CalcEngine& calcs() { return m_calcs; }

    // ExpressionContext
    bool printing() const override { return m_printing; }
    std::optional<FieldRead> readField(const TRpBaseDataView* view, std::string_view fieldName) override;
    TRpBaseDataView* findDataView(std::string_view name) override;
    std::string parameter(std::string_view name) override;
    void setParameter(const std::string& name, const std::string& value) override;
    std::string piVar(std::string_view name) override;
    void setPIVar(const std::string& name, const std::string& value) override;
    std::string reportVariable(int number) override;

private:
    enum class Outcome { Printed, Skipped, Restart, Break };
    enum class Stage { BodyHeader, RowStart, GroupHeader, RowHeader, Master, Detail, RowFooter, GroupFooter, AfterRow, BodyFooter };

    struct RegionState {
        bool done = false;
        int occurrence = poFirst;
        std::size_t topIndex = 0;
        double printTop = 0;
        bool restart = false;
        bool pageBreak = false;
        bool progress = false; // a band printed in this column in its normal course
        double left = 0;
        double top = 0;
        double height = 0;
        double columnLeft = 0;
        double columnWidth = 0;
    };

    struct BandState {
        std::optional<std::string> lastGroup;
        int sheetPrinted = -1;
        // Where a split band continues, measured from its top; 0 when it is not split.
        double splitOffset = 0;
    };

    struct DataBandState {
        bool started = false;
        Stage stage = Stage::BodyHeader;
        std::size_t index = 0;
        int rowsPrinted = 0;
        long announcedPosition = -1;
        bool bodyChecked = false;
        long columnSerial = -1;
    };

    struct Aborted { };

    const TRpPage* firstPage() const;
    bool printPage(const TRpPage& page);
    bool printRegion(const TRpRegion& region, double pageLeft, double pageTop);
    void printTopLevel(const TRpRegion& region, RegionState& state);

    Outcome printBand(const TRpBand& band, bool reprint, const std::function<void()>& beforeOutput = {});
    Outcome printDataBand(const TRpDataBand& band);
    Outcome printLocation(const TRpDataBand& band, DataBandState& state, TRpPrintLocation location);
    void reprintHeaders(const TRpDataBand& band, const DataBandState& state);
    bool reprintBands(const std::vector<const TRpBand*>& bands, const std::function<bool(std::size_t)>& wanted);
    std::vector<const TRpBand*> controlled(const TRpBand* controller, TRpPrintLocation location) const;
    bool groupChanges(const TRpBand& band, TRpPrintLocation location);
    std::string groupValue(const TRpBand& band, bool ahead);
    const TRpBaseDataView* groupView(const TRpBand& band) const;

    bool shown(const TRpControl& control) const;
    const TRpControl& mirrored(const TRpControl& control) const;
    double bandHeight(const TRpBand& band) const;
    double rowHeight(const TRpDataBand& band, std::optional<std::string>* lastGroups);
    double lookAheadBody(const TRpDataBand& band, DataViewRun& run, int rows);
    double remaining() const;

    void printChildren(const TRpReportComponent& parent, double left, double top);
    // The children whose top lies in [from, to) of the parent, positioned from top.
    void printChildrenBetween(const TRpReportComponent& parent, double left, double top, double from, double to);
    void printControl(const TRpReportComponent& control, double left, double top);
    void printText(const TRpTextControl& control, std::string text, double left, double top, bool truncate, int rotation);
    bool exceedsWidth(const std::string& text, double width) const;
    std::string fittedText(const std::string& text, double width) const;
    void printLine(const TRpLine& line, double left, double top);
    void printSurface(const TRpSurface& shape, double left, double top);
    void printImage(const TRpGraphicImage& image, double left, double top);
    void resetDrawingState();

    DataViewRun* viewRun(const TRpBaseDataView* view);
    DataViewRun& requireRun(const TRpBaseDataView* view);
    void closeViews();

    const TRpReport& m_report;
    TBaseReport& m_writer;
    ParameterStore& m_params;
    RowSourceFactory m_rows;
    CalcEngine m_calcs;
    std::vector<const TRpBaseDataView*> m_dataViews;
    std::vector<const TRpPage*> m_globalPages;
    double m_linesPerInch = 0;
    DisplayTarget m_target = DisplayTarget::Printer;
    ImageDecoder m_decodeImage;

    std::map<const TRpBaseDataView*, std::unique_ptr<DataViewRun>> m_views;
    std::map<const TRpRegion*, RegionState> m_regions;
    std::map<const TRpBand*, BandState> m_bands;
    std::map<const TRpDataBand*, DataBandState> m_dataBands;
    std::vector<std::pair<std::string, std::string>> m_piVars;

    const TRpRegion* m_region = nullptr;
    RegionState* m_regionState = nullptr;
    long m_columnSerial = 0;
    bool m_printing = false;
    bool m_completed = true;
    int m_sheets = 0;
    int m_relativePage = 0;
};

} // namespace qv::report
