#include "app/mark/ProgramMark.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <span>

namespace qv {

namespace {

constexpr int designSide = 32;

// The figure, in design pixels; both the painter and the SVG writer read it.
constexpr TColor tileColor = 0x00A0581A;
constexpr TColor frameColor = clNavy;
constexpr TColor barColor = clWhite;
constexpr TColor lineColor = 0x0000C0FF;
constexpr int frameWidth = 1;
constexpr int lineWidth = 2;
constexpr TRect bars[] = {{6, 14, 11, 28}, {14, 19, 19, 28}, {22, 23, 27, 28}};
constexpr TPoint line[] = {{4, 6}, {16, 11}, {28, 20}};

class Scale {
public:
    explicit Scale(int side) : m_side(side) {}
    int operator()(int design) const { return (design * m_side + designSide / 2) / designSide; }
    int width(int design) const { return std::max(1, (*this)(design)); }
    TRect rect(const TRect& r) const
    {
        return TRect{(*this)(r.left), (*this)(r.top), (*this)(r.right), (*this)(r.bottom)};
    }
    TPoint point(TPoint p) const { return TPoint{(*this)(p.x), (*this)(p.y)}; }

private:
    int m_side;
};

std::string svgColor(TColor color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF),
                  unsigned((color >> 16) & 0xFF));
    return text;
}

// Always with a "." whatever the process's locale: the file is read everywhere.
std::string svgNumber(double value)
{
    char text[32];
    auto const end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string attribute(const char* name, const std::string& value)
{
    return std::string(" ") + name + "=\"" + value + "\"";
}
std::string attribute(const char* name, double value) { return attribute(name, svgNumber(value)); }

} // namespace

void paintProgramMark(Canvas& canvas, int side)
{
    Scale const at(side);
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = tileColor;
    canvas.pen.color = frameColor;
    canvas.pen.width = at.width(frameWidth);
    canvas.rectangle(TRect{0, 0, side, side});
    canvas.brush.color = barColor;
    for (const TRect& bar : bars)
        canvas.fillRect(at.rect(bar));
    int const width = at.width(lineWidth);
    canvas.pen.color = lineColor;
    canvas.pen.width = width;
    TPoint const start = at.point(line[0]);
    canvas.moveTo(start.x, start.y);
    for (const TPoint& p : std::span(line).subspan(1))
        canvas.lineTo(at(p.x), at(p.y));
    canvas.pen.width = 1;
    if (width > 2) {
        // Wide segments leave a notch where they meet; round the bend off.
        canvas.pen.style = PenStyle::Clear;
        canvas.brush.color = lineColor;
        int const r = width / 2;
        TPoint const bend = at.point(line[1]);
        canvas.ellipse(TRect{bend.x - r, bend.y - r, bend.x - r + width, bend.y - r + width});
        canvas.pen.style = PenStyle::Solid;
    }
}

std::string programMarkSvg()
{
    // Strokes are centred on their path: the frame's path runs half a pen inside the tile.
    double const inset = frameWidth / 2.0;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\""
        + attribute("width", designSide) + attribute("height", designSide) + " viewBox=\"0 0 " + svgNumber(designSide)
        + " " + svgNumber(designSide) + "\">\n";
    svg += "  <rect" + attribute("x", inset) + attribute("y", inset) + attribute("width", designSide - 2 * inset)
        + attribute("height", designSide - 2 * inset) + attribute("fill", svgColor(tileColor))
        + attribute("stroke", svgColor(frameColor)) + attribute("stroke-width", frameWidth) + "/>\n";
    for (const TRect& bar : bars)
        svg += "  <rect" + attribute("x", bar.left) + attribute("y", bar.top) + attribute("width", bar.width())
            + attribute("height", bar.height()) + attribute("fill", svgColor(barColor)) + attribute("stroke", "none")
            + "/>\n";
    std::string points;
    for (const TPoint& p : line)
        points += (points.empty() ? "" : " ") + svgNumber(p.x) + "," + svgNumber(p.y);
    svg += "  <polyline" + attribute("points", points) + attribute("fill", "none")
        + attribute("stroke", svgColor(lineColor)) + attribute("stroke-width", lineWidth)
        + attribute("stroke-linejoin", "round") + "/>\n</svg>\n";
    return svg;
}

} // namespace qv
