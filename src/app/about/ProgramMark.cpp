#include "app/about/ProgramMark.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int designSide = 32;

class Scale {
public:
    explicit Scale(int side) : m_side(side) {}
    int operator()(int design) const { return (design * m_side + designSide / 2) / designSide; }
    int width(int design) const { return std::max(1, (*this)(design)); }
    TRect rect(int l, int t, int r, int b) const { return TRect{(*this)(l), (*this)(t), (*this)(r), (*this)(b)}; }

private:
    int m_side;
};

} // namespace

void paintProgramMark(Canvas& canvas, int side)
{
    Scale const at(side);
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = 0x00A0581A;
    canvas.pen.color = clNavy;
    canvas.pen.width = at.width(1);
    canvas.rectangle(TRect{0, 0, side, side});
    canvas.brush.color = clWhite;
    canvas.fillRect(at.rect(6, 14, 11, 28));
    canvas.fillRect(at.rect(14, 19, 19, 28));
    canvas.fillRect(at.rect(22, 23, 27, 28));
    TColor const amber = 0x0000C0FF;
    int const lineWidth = at.width(2);
    canvas.pen.color = amber;
    canvas.pen.width = lineWidth;
    canvas.moveTo(at(4), at(6));
    canvas.lineTo(at(16), at(11));
    canvas.lineTo(at(28), at(20));
    canvas.pen.width = 1;
    if (lineWidth > 2) {
        // Wide segments leave a notch where they meet; round the bend off.
        canvas.pen.style = PenStyle::Clear;
        canvas.brush.color = amber;
        int const r = lineWidth / 2;
        canvas.ellipse(TRect{at(16) - r, at(11) - r, at(16) - r + lineWidth, at(11) - r + lineWidth});
        canvas.pen.style = PenStyle::Solid;
    }
}

} // namespace qv
