#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace qv::paint {

TColor mix(TColor a, TColor b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    TColor out = 0;
    for (int s = 0; s < 24; s += 8) {
        double v = ((a >> s) & 0xFF) * (1 - t) + ((b >> s) & 0xFF) * t;
        out |= TColor(std::lround(v)) << s;
    }
    return out;
}

Fill flat(TColor c)
{
    return [c](int, int) { return c; };
}

Fill vertical(TColor top, TColor bottom, int y0, int y1)
{
    return [=](int, int y) { return mix(top, bottom, y1 - 1 > y0 ? double(y - y0) / (y1 - 1 - y0) : 0); };
}

Fill horizontal(TColor left, TColor right, int x0, int x1)
{
    return [=](int x, int) { return mix(left, right, x1 - 1 > x0 ? double(x - x0) / (x1 - 1 - x0) : 0); };
}

void fillRect(TbsSkinPicture& p, const TRect& r, const Fill& fill)
{
    for (int y = std::max(0, r.top); y < std::min(p.height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(p.width(), r.right); ++x)
            p.setPixel(x, y, fill(x, y));
    }
}

void hline(TbsSkinPicture& p, int x0, int x1, int y, TColor c) { fillRect(p, TRect{x0, y, x1, y + 1}, flat(c)); }
void vline(TbsSkinPicture& p, int x, int y0, int y1, TColor c) { fillRect(p, TRect{x, y0, x + 1, y1}, flat(c)); }

void blendPixel(TbsSkinPicture& p, int x, int y, TColor c, double alpha)
{
    if (x < 0 || y < 0 || x >= p.width() || y >= p.height() || alpha <= 0)
        return;
    p.setPixel(x, y, mix(p.pixel(x, y), c, alpha));
}

double roundedCoverage(const TRect& r, double radius, const bool corners[4], int x, int y)
{
    constexpr int n = 4;
    int inside = 0;
    for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
            double px = x + (sx + 0.5) / n, py = y + (sy + 0.5) / n;
            if (px < r.left || px > r.right || py < r.top || py > r.bottom)
                continue;
            double cx = -1, cy = -1;
            if (px < r.left + radius && py < r.top + radius && corners[0])
                cx = r.left + radius, cy = r.top + radius;
            else if (px > r.right - radius && py < r.top + radius && corners[1])
                cx = r.right - radius, cy = r.top + radius;
            else if (px > r.right - radius && py > r.bottom - radius && corners[2])
                cx = r.right - radius, cy = r.bottom - radius;
            else if (px < r.left + radius && py > r.bottom - radius && corners[3])
                cx = r.left + radius, cy = r.bottom - radius;
            if (cx >= 0 && std::hypot(px - cx, py - cy) > radius)
                continue;
            ++inside;
        }
    }
    return double(inside) / (n * n);
}

void roundedRect(TbsSkinPicture& p, const TRect& r, const Rounded& s)
{
    TRect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            double outer = roundedCoverage(r, s.radius, s.corners, x, y);
            double in = s.hasBorder ? roundedCoverage(inner, std::max(0.0, s.radius - 1), s.corners, x, y) : outer;
            if (s.hasBorder)
                blendPixel(p, x, y, s.border, outer);
            blendPixel(p, x, y, s.fill(x, y), in);
        }
    }
}

void line(TbsSkinPicture& p, double x0, double y0, double x1, double y1, TColor c, double weight)
{
    double dx = x1 - x0, dy = y1 - y0;
    int steps = static_cast<int>(std::max(std::abs(dx), std::abs(dy)));
    for (int i = 0; i <= steps; ++i) {
        double t = steps ? double(i) / steps : 0;
        double x = x0 + dx * t, y = y0 + dy * t;
        if (std::abs(dx) >= std::abs(dy)) {
            int yi = static_cast<int>(std::floor(y));
            double f = y - yi;
            blendPixel(p, static_cast<int>(std::lround(x)), yi, c, (1 - f) * weight);
            blendPixel(p, static_cast<int>(std::lround(x)), yi + 1, c, f * weight);
        } else {
            int xi = static_cast<int>(std::floor(x));
            double f = x - xi;
            blendPixel(p, xi, static_cast<int>(std::lround(y)), c, (1 - f) * weight);
            blendPixel(p, xi + 1, static_cast<int>(std::lround(y)), c, f * weight);
        }
    }
}

} // namespace qv::paint
