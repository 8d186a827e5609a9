#pragma once

#include "report/snapshot/TRPConverter.h"
#include "report/snapshot/TRPRender.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qv::test {

inline std::string num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

inline std::string pt(TRPPoint p)
{
    return num(p.x) + "," + num(p.y);
}

inline std::string rc(const TRPRect& r)
{
    return pt(r.topLeft) + "-" + pt(r.bottomRight);
}

// Writes every renderer call as one line, so a replay can be compared as text.
class RecordingRender : public TRPRender {
public:
    std::vector<std::string> calls;
    bool recordState = true;

    void DocBegin(const TRPConverter&) override { calls.push_back("DocBegin"); }
    void DocEnd() override { calls.push_back("DocEnd"); }
    void PageBegin(int number, double width, double height) override
    {
        calls.push_back("PageBegin " + std::to_string(number) + " " + num(width) + "x" + num(height));
    }
    void PageEnd() override { calls.push_back("PageEnd"); }
    void SetBrush(const snapshot::TRvBrush& b) override
    {
        if (recordState)
            calls.push_back("Brush " + std::to_string(b.color) + " " + std::to_string(b.style) + (b.bitmap ? " bitmap" : ""));
    }
    void SetFont(const snapshot::TRvFont& f) override
    {
        if (recordState)
            calls.push_back("Font " + f.name + " " + num(f.size) + " " + std::to_string(f.color) + (f.bold ? " b" : "")
                + (f.italic ? " i" : "") + (f.underline ? " u" : "") + (f.strikeout ? " s" : "") + " r"
                + std::to_string(f.rotation));
    }
    void SetPen(const snapshot::TRvPen& p) override
    {
        if (recordState)
            calls.push_back("Pen " + std::to_string(p.color) + " " + std::to_string(p.style) + " " + num(p.width));
    }
    void SetFrameMode(uint8_t mode) override { calls.push_back("FrameMode " + std::to_string(mode)); }
    void Arc(const TRPRect& r, TRPPoint a, TRPPoint b) override { calls.push_back("Arc " + rc(r) + " " + pt(a) + " " + pt(b)); }
    void Chord(const TRPRect& r, TRPPoint a, TRPPoint b) override { calls.push_back("Chord " + rc(r) + " " + pt(a) + " " + pt(b)); }
    void Pie(const TRPRect& r, TRPPoint a, TRPPoint b) override { calls.push_back("Pie " + rc(r) + " " + pt(a) + " " + pt(b)); }
    void Ellipse(const TRPRect& r) override { calls.push_back("Ellipse " + rc(r)); }
    void FillRect(const TRPRect& r) override { calls.push_back("FillRect " + rc(r)); }
    void LineTo(TRPPoint p) override { calls.push_back("LineTo " + pt(p)); }
    void MoveTo(TRPPoint p) override { calls.push_back("MoveTo " + pt(p)); }
    void Polygon(const std::vector<TRPPoint>& ps) override { calls.push_back("Polygon" + points(ps)); }
    void Polyline(const std::vector<TRPPoint>& ps) override { calls.push_back("Polyline" + points(ps)); }
    void Rectangle(const TRPRect& r) override { calls.push_back("Rectangle " + rc(r)); }
    void TabRectangle(const TRPRect& r) override { calls.push_back("TabRectangle " + rc(r)); }
    void RoundRect(const TRPRect& r, double w, double h) override { calls.push_back("RoundRect " + rc(r) + " " + num(w) + " " + num(h)); }
    void Draw(TRPPoint p, const snapshot::TRvGraphic& g) override { calls.push_back("Draw " + pt(p) + graphic(g)); }
    void StretchDraw(const TRPRect& r, const snapshot::TRvGraphic& g) override { calls.push_back("StretchDraw " + rc(r) + graphic(g)); }
    void PrintBitmap(TRPPoint p, double sx, double sy, const snapshot::TRvGraphic& g) override
    {
        calls.push_back("PrintBitmap " + pt(p) + " " + num(sx) + " " + num(sy) + graphic(g));
    }
    void PrintBitmapRect(const TRPRect& r, const snapshot::TRvGraphic& g) override { calls.push_back("PrintBitmapRect " + rc(r) + graphic(g)); }
    void TextRect(const TRPRect& r, TRPPoint p, const std::string& t) override { calls.push_back("TextRect " + rc(r) + " " + pt(p) + " " + t); }
    void CenterText(const std::string& t, double x, double y) override { calls.push_back("CenterText " + num(x) + "," + num(y) + " " + t); }
    void LeftText(const std::string& t, double x, double y) override { calls.push_back("LeftText " + num(x) + "," + num(y) + " " + t); }
    void RightText(const std::string& t, double x, double y) override { calls.push_back("RightText " + num(x) + "," + num(y) + " " + t); }
    void BlockText(const std::string& t, double x, double y, double w) override
    {
        calls.push_back("BlockText " + num(x) + "," + num(y) + " " + num(w) + " " + t);
    }

    std::vector<std::string> drawing() const
    {
        std::vector<std::string> result;
        for (const std::string& call : calls) {
            if (call.rfind("Font", 0) != 0 && call.rfind("Pen", 0) != 0 && call.rfind("Brush", 0) != 0)
                result.push_back(call);
        }
        return result;
    }

private:
    static std::string points(const std::vector<TRPPoint>& ps)
    {
        std::string text;
        for (TRPPoint p : ps)
            text += " " + pt(p);
        return text;
    }
    static std::string graphic(const snapshot::TRvGraphic& g)
    {
        return " g" + std::to_string(static_cast<int>(g.type)) + ":" + std::string(g.data.begin(), g.data.end());
    }
};

} // namespace qv::test
