#pragma once

#include "report/snapshot/TRPConverter.h"

#include <string>
#include <vector>

namespace qv::test {

struct PlacedText {
    std::string text;
    double x = 0;
    double y = 0;
};

// The texts of every page of a snapshot, as a reader of the format sees them.
class TextCollector : public TRPRender {
public:
    std::vector<std::vector<PlacedText>> pages;
    std::vector<std::pair<double, double>> pageSizes;

    void PageBegin(int, double width, double height) override
    {
        pages.emplace_back();
        pageSizes.emplace_back(width, height);
    }
    void Arc(const TRPRect&, TRPPoint, TRPPoint) override { }
    void Chord(const TRPRect&, TRPPoint, TRPPoint) override { }
    void Pie(const TRPRect&, TRPPoint, TRPPoint) override { }
    void Ellipse(const TRPRect&) override { }
    void FillRect(const TRPRect&) override { }
    void LineTo(TRPPoint) override { }
    void MoveTo(TRPPoint) override { }
    void Polygon(const std::vector<TRPPoint>&) override { }
    void Polyline(const std::vector<TRPPoint>&) override { }
    void Rectangle(const TRPRect&) override { }
    void TabRectangle(const TRPRect&) override { }
    void RoundRect(const TRPRect&, double, double) override { }
    void Draw(TRPPoint, const snapshot::TRvGraphic&) override { }
    void StretchDraw(const TRPRect&, const snapshot::TRvGraphic&) override { }
    void PrintBitmap(TRPPoint, double, double, const snapshot::TRvGraphic&) override { }
    void PrintBitmapRect(const TRPRect&, const snapshot::TRvGraphic&) override { }
    void TextRect(const TRPRect&, TRPPoint p, const std::string& t) override { add(t, p.x, p.y); }
    void CenterText(const std::string& t, double x, double y) override { add(t, x, y); }
    void LeftText(const std::string& t, double x, double y) override { add(t, x, y); }
    void RightText(const std::string& t, double x, double y) override { add(t, x, y); }
    void BlockText(const std::string& t, double x, double y, double) override { add(t, x, y); }

    bool has(int page, const std::string& text) const
    {
        for (const auto& placed : pages.at(std::size_t(page))) {
            if (placed.text == text)
                return true;
        }
        return false;
    }

    int count(int page, const std::string& text) const
    {
        int found = 0;
        for (const auto& placed : pages.at(std::size_t(page)))
            found += placed.text == text ? 1 : 0;
        return found;
    }

    static TextCollector read(TStream& stream)
    {
        TextCollector collector;
        stream.seek(0);
        TRPConverter converter(stream, collector);
        converter.Generate();
        return collector;
    }

private:
    void add(const std::string& t, double x, double y) { pages.back().push_back({t, x, y}); }
};

} // namespace qv::test
