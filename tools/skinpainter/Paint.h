#pragma once

#include "skin/model/SkinPicture.h"

#include <functional>

namespace qv::paint {

constexpr TColor rgb(int r, int g, int b) { return TColor(r) | TColor(g) << 8 | TColor(b) << 16; }
// t = 0 gives a, t = 1 gives b.
TColor mix(TColor a, TColor b, double t);

using Fill = std::function<TColor(int x, int y)>;
Fill flat(TColor c);
// Top to bottom across rows top..bottom-1 of the picture.
Fill vertical(TColor top, TColor bottom, int y0, int y1);
Fill horizontal(TColor left, TColor right, int x0, int x1);

void fillRect(TbsSkinPicture& p, const TRect& r, const Fill& fill);
void hline(TbsSkinPicture& p, int x0, int x1, int y, TColor c);
void vline(TbsSkinPicture& p, int x, int y0, int y1, TColor c);

// A rounded rectangle with antialiased corners: a 1-pixel border in `border`
// (skipped when hasBorder is false) around a fill, composited over what is there.
struct Rounded {
    double radius = 3;
    Fill fill;
    TColor border = 0;
    bool hasBorder = true;
    // Corners to round: top-left, top-right, bottom-right, bottom-left.
    bool corners[4] = {true, true, true, true};
};
void roundedRect(TbsSkinPicture& p, const TRect& r, const Rounded& style);
// Coverage 0..1 of the same shape at a pixel, for masks.
double roundedCoverage(const TRect& r, double radius, const bool corners[4], int x, int y);

// One-pixel line from (x0, y0) to (x1, y1), antialiased along its minor axis.
void line(TbsSkinPicture& p, double x0, double y0, double x1, double y1, TColor c, double weight = 1.0);
void blendPixel(TbsSkinPicture& p, int x, int y, TColor c, double alpha);

} // namespace qv::paint
