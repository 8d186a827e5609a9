#pragma once

#include "report/components/Calculations.h"
#include "report/components/TRpReport.h"
#include "report/layout/ReportLayout.h"
#include "report/snapshot/TRPConverter.h"
#include "report/snapshot/TRvNDRWriter.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qv::report::test {

struct DrawnText {
    std::string text;
    double x = 0;
    double y = 0;
};

// Collects what a snapshot draws, page by page.
class RecordingRender : public TRPRender {
public:
    std::vector<std::vector<DrawnText>> pages;
    std::vector<std::vector<TRPRect>> rectangles;
    std::vector<std::pair<TRPRect, snapshot::TRvGraphic>> images;
    int lines = 0;

    void PageBegin(int, double, double) override
    {
        pages.emplace_back();
        rectangles.emplace_back();
    }
    void Arc(const TRPRect&, TRPPoint, TRPPoint) override { }
    void Chord(const TRPRect&, TRPPoint, TRPPoint) override { }
    void Pie(const TRPRect&, TRPPoint, TRPPoint) override { }
    void Ellipse(const TRPRect&) override { }
    void FillRect(const TRPRect&) override { }
    void LineTo(TRPPoint) override { ++lines; }
    void MoveTo(TRPPoint) override { }
    void Polygon(const std::vector<TRPPoint>&) override { }
    void Polyline(const std::vector<TRPPoint>&) override { }
    void Rectangle(const TRPRect& rect) override { rectangles.back().push_back(rect); }
    void TabRectangle(const TRPRect&) override { }
    void RoundRect(const TRPRect&, double, double) override { }
    void Draw(TRPPoint, const snapshot::TRvGraphic&) override { }
    void StretchDraw(const TRPRect& rect, const snapshot::TRvGraphic& graphic) override { images.push_back({rect, graphic}); }
    void PrintBitmap(TRPPoint, double, double, const snapshot::TRvGraphic&) override { }
    void PrintBitmapRect(const TRPRect&, const snapshot::TRvGraphic&) override { }
    void TextRect(const TRPRect&, TRPPoint p, const std::string& t) override { add(t, p.x, p.y); }
    void CenterText(const std::string& t, double x, double y) override { add(t, x, y); }
    void LeftText(const std::string& t, double x, double y) override { add(t, x, y); }
    void RightText(const std::string& t, double x, double y) override { add(t, x, y); }
    void BlockText(const std::string& t, double x, double y, double) override { add(t, x, y); }

    // Texts of a page that start with prefix.
    std::vector<std::string> textsWith(int page, const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const auto& drawn : pages.at(std::size_t(page))) {
            if (drawn.text.rfind(prefix, 0) == 0)
                found.push_back(drawn.text);
        }
        return found;
    }

private:
    void add(const std::string& t, double x, double y) { pages.back().push_back({t, x, y}); }
};

// Rows from a list, counting every row the layout asks for.
class CountingSource : public ListRowSource {
public:
    CountingSource(std::vector<RowField> fields, std::vector<std::vector<std::string>> rows, int& fetched)
        : ListRowSource(std::move(fields), std::move(rows))
        , m_fetched(fetched)
    {
    }
    bool first(Row& row) override { return count(ListRowSource::first(row)); }
    bool next(Row& row) override { return count(ListRowSource::next(row)); }

private:
    bool count(bool found)
    {
        m_fetched += found ? 1 : 0;
        return found;
    }
    int& m_fetched;
};

// A one-page report with one region and a data band over a list of rows.
class LayoutFixture {
public:
    LayoutFixture()
    {
        report = std::make_unique<TRpReport>();
        page = report->addPage(std::make_unique<TRpPage>());
        page->setName("Page1");
        report->setFirstPage(page);
        region = add<TRpRegion>(*page, "Region1");
        region->setLeft(0.5);
        region->setTop(1.0);
        view = std::make_unique<TRpDataView>();
        view->setName("DataView1");
        dataBand = add<TRpDataBand>(*region, "DataBand1");
        dataBand->setDataView(view.get());
        rowText = add<TRpDataText>(*dataBand, "RowText");
        rowText->setDataField("\"R\" + No");
        rowText->setDataView(view.get());
    }

    template<class T>
    T* add(TRpReportComponent& parent, const std::string& name)
    {
        auto component = std::make_unique<T>();
        component->setName(name);
        return static_cast<T*>(parent.addChild(std::move(component)));
    }

    // A band driven by the data band at the given location, holding one text.
    TRpBand* addBand(const std::string& name, TRpPrintLocation location, std::uint32_t occurrences, const std::string& text)
    {
        TRpBand* band = add<TRpBand>(*region, name);
        band->setControllerBand(dataBand);
        band->bandStyle().setPrintLoc(setOf(location));
        band->bandStyle().setPrintOcc(occurrences);
        auto* label = add<TRpText>(*band, name + "Text");
        label->setText(text);
        return band;
    }

    void setRows(int count, std::vector<std::string> groups = {})
    {
        rows.clear();
        for (int i = 1; i <= count; ++i)
            rows.push_back({std::to_string(i), groups.empty() ? "" : groups[std::size_t(i - 1)]});
    }

    // Runs the report into a snapshot and replays it.
    RecordingRender run()
    {
        TRvNDRWriter writer;
        std::unique_ptr<ReportLayout> layout;
        fetches = 0;
        auto factory = [this](const TRpBaseDataView&) -> std::unique_ptr<RowSource> {
            return std::make_unique<CountingSource>(
                std::vector<RowField> {{"No", 0, ""}, {"Grp", 0, ""}}, rows, fetches);
        };
        layout = std::make_unique<ReportLayout>(*report, writer, params, factory);
        layout->setDataViews({view.get()});
        layout->setDisplayTarget(target);
        layout->setImageDecoder(decodeImage);
        writer.OnPrint = [&](TBaseReport&) { layout->print(); };
        if (prepare)
            prepare(writer);
        writer.Execute();
        sheets = layout->sheets();
        auto stream = writer.TakeOutputStream();
        stream->seek(0);
        RecordingRender render;
        TRPConverter converter(*stream, render);
        converter.Generate();
        return render;
    }

    std::unique_ptr<TRpReport> report;
    TRpPage* page = nullptr;
    TRpRegion* region = nullptr;
    std::unique_ptr<TRpDataView> view;
    TRpDataBand* dataBand = nullptr;
    TRpDataText* rowText = nullptr;
    ListParameterStore params;
    std::vector<std::vector<std::string>> rows;
    int sheets = 0;
    int fetches = 0;
    DisplayTarget target = DisplayTarget::Printer;
    ImageDecoder decodeImage;
    // Last settings of the writer before the run.
    std::function<void(TRvNDRWriter&)> prepare;
};

} // namespace qv::report::test
