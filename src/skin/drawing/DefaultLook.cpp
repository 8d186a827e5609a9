#include "skin/drawing/DefaultLook.h"

namespace qv {

namespace defaultlook {

void fillRect(Canvas& canvas, const TRect& r, TColor color)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.fillRect(r);
}

void frameRect(Canvas& canvas, const TRect& r, TColor color)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.frameRect(r);
}

void bevel(Canvas& canvas, const TRect& r, bool raised)
{
    if (r.isEmpty())
        return;
    TColor topLeft = raised ? clBtnHighlight : clBtnShadow;
    TColor bottomRight = raised ? clBtnShadow : clBtnHighlight;
    fillRect(canvas, TRect{r.left, r.top, r.right, r.top + 1}, topLeft);
    fillRect(canvas, TRect{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    fillRect(canvas, TRect{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    fillRect(canvas, TRect{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

TRect inflate(const TRect& r, int d) { return r.inflated(d); }

void centredText(Canvas& canvas, const TRect& r, const std::string& text)
{
    canvas.setBackgroundTransparent(true);
    int w = canvas.textWidth(text);
    int h = canvas.textHeight(text.empty() ? " " : text);
    canvas.textOut(r.left + (r.width() - w) / 2, r.top + (r.height() - h) / 2, text);
}

} // namespace defaultlook

} // namespace qv
