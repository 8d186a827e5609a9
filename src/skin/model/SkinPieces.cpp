#include "skin/model/SkinPieces.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

TRect R(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

bool usable(const TbsSkinPicture* source) { return source && !source->isEmpty(); }

// Tiles a segment of length d from start to end along one axis; each tile gets its clip.
template <class Copy>
void tile(int start, int end, int d, Copy copy)
{
    if (d <= 0)
        return;
    for (int i = 0; i <= (end - start) / d; ++i) {
        int at = start + i * d;
        int clip = std::max(0, at + d - end);
        if (d - clip > 0)
            copy(at, clip);
    }
}

// The eight fixed pieces of a framed piece, copied over any tile overrun.
void copyCorners(TbsSkinPicture& dest, const TbsSkinPicture& s, const TbsPieceFields& f, const TbsPieceGeometry& g)
{
    const int L = f.skinRect.left, T = f.skinRect.top, sw = f.sw(), sh = f.sh(), W = g.width, H = g.height;
    const TRect& C = f.clientRect;
    const TRect& Cn = g.clientRect;
    dest.copyRect(R(0, 0, g.LT.x, Cn.top), s, R(L, T, L + f.LT.x, T + C.top));
    dest.copyRect(R(0, Cn.top, Cn.left, g.LT.y), s, R(L, T + C.top, L + C.left, T + f.LT.y));
    dest.copyRect(R(g.RT.x, 0, W, Cn.top), s, R(L + f.RT.x, T, L + sw, T + C.top));
    dest.copyRect(R(Cn.right, Cn.top, W, g.RT.y), s, R(L + C.right, T + C.top, L + sw, T + f.RT.y));
    dest.copyRect(R(0, g.LB.y, Cn.left, H), s, R(L, T + f.LB.y, L + C.left, T + sh));
    dest.copyRect(R(Cn.left, Cn.bottom, g.LB.x, H), s, R(L + C.left, T + C.bottom, L + f.LB.x, T + sh));
    dest.copyRect(R(g.RB.x, Cn.bottom, W, H), s, R(L + f.RB.x, T + C.bottom, L + sw, T + sh));
    dest.copyRect(R(Cn.right, g.RB.y, W, Cn.bottom), s, R(L + C.right, T + f.RB.y, L + sw, T + C.bottom));
}

void fillCentreTiles(TbsSkinPicture& dest, const TbsSkinPicture& s, const TbsPieceFields& f, const TbsPieceGeometry& g)
{
    const int L = f.skinRect.left, T = f.skinRect.top;
    const TRect& C = f.clientRect;
    const TRect& Cn = g.clientRect;
    int cw = C.width(), ch = C.height(), nw = Cn.width(), nh = Cn.height();
    if (cw <= 0 || ch <= 0)
        return;
    for (int i = 0; i <= nw / cw; ++i) {
        for (int j = 0; j <= nh / ch; ++j) {
            int cx = std::max(0, (i + 1) * cw - nw), cy = std::max(0, (j + 1) * ch - nh);
            dest.copyRect(R(Cn.left + i * cw, Cn.top + j * ch, Cn.left + (i + 1) * cw - cx, Cn.top + (j + 1) * ch - cy), s,
                R(L + C.left, T + C.top, L + C.right - cx, T + C.bottom - cy));
        }
    }
}

void drawFramed(TbsSkinPicture& dest, const TbsSkinPicture* source, const TbsPieceFields& f, const TbsPieceGeometry& g,
    TbsStretchEdges stretch, bool fillCentre)
{
    dest.setSize(g.width, g.height);
    if (f.RB.x == f.LT.x || f.RB.y == f.LT.y || !usable(source))
        return;
    const TbsSkinPicture& s = *source;
    const int L = f.skinRect.left, T = f.skinRect.top, sw = f.sw(), sh = f.sh(), W = g.width, H = g.height;
    const TRect& C = f.clientRect;
    const TRect& Cn = g.clientRect;

    if (stretch.top) {
        dest.copyRect(R(g.LT.x, 0, g.RT.x, Cn.top), s, R(L + f.LT.x, T, L + f.RT.x, T + C.top));
    } else {
        int d = f.RT.x - f.LT.x;
        tile(g.LT.x, g.RT.x, d, [&](int x, int clip) {
            dest.copyRect(R(x, 0, x + d - clip, Cn.top), s, R(L + f.LT.x, T, L + f.RT.x - clip, T + C.top));
        });
    }
    if (stretch.bottom) {
        dest.copyRect(R(g.LB.x, Cn.bottom, g.RB.x, H), s, R(L + f.LB.x, T + C.bottom, L + f.RB.x, T + sh));
    } else {
        int d = f.RB.x - f.LB.x;
        tile(g.LB.x, g.RB.x, d, [&](int x, int clip) {
            dest.copyRect(R(x, Cn.bottom, x + d - clip, H), s, R(L + f.LB.x, T + C.bottom, L + f.RB.x - clip, T + sh));
        });
    }
    if (stretch.left) {
        dest.copyRect(R(0, g.LT.y, Cn.left, g.LB.y), s, R(L, T + f.LT.y, L + C.left, T + f.LB.y));
    } else {
        int d = f.LB.y - f.LT.y;
        tile(g.LT.y, g.LB.y, d, [&](int y, int clip) {
            dest.copyRect(R(0, y, Cn.left, y + d - clip), s, R(L, T + f.LT.y, L + Cn.left, T + f.LB.y - clip));
        });
    }
    if (stretch.right) {
        dest.copyRect(R(Cn.right, g.RT.y, W, g.RB.y), s, R(L + C.right, T + f.RT.y, L + sw, T + f.RB.y));
    } else {
        int d = f.RB.y - f.RT.y;
        tile(g.RT.y, g.RB.y, d, [&](int y, int clip) {
            dest.copyRect(R(Cn.right, y, W, y + d - clip), s, R(L + C.right, T + f.RT.y, L + sw, T + f.RB.y - clip));
        });
    }
    copyCorners(dest, s, f, g);
    if (fillCentre)
        fillCentreTiles(dest, s, f, g);
}

} // namespace

namespace {

bool sane(TPoint p) { return p.x <= maxPieceCoordinate && p.y <= maxPieceCoordinate && p.x >= 0 && p.y >= 0; }
bool sane(const TRect& r) { return sane(TPoint{r.left, r.top}) && sane(TPoint{r.right, r.bottom}); }

} // namespace

TbsPieceMode pieceMode(const TbsPieceFields& f)
{
    if (f.skinRect.isEmpty())
        return TbsPieceMode::None;
    // Coordinates no picture can have would only overflow the piece arithmetic.
    if (!sane(f.skinRect) || !sane(f.clientRect) || !sane(f.LT) || !sane(f.RT) || !sane(f.LB) || !sane(f.RB))
        return TbsPieceMode::None;
    if (f.RB.x != 0 && f.RB.y != 0)
        return TbsPieceMode::Framed;
    if (f.RT.x != 0 || f.RT.y != 0)
        return TbsPieceMode::Horizontal;
    if (f.LB.x != 0 || f.LB.y != 0)
        return TbsPieceMode::Vertical;
    return TbsPieceMode::Fixed;
}

TbsPieceGeometry newGeometry(const TbsPieceFields& f, TbsPieceMode mode, int W, int H)
{
    TbsPieceGeometry g{W, H, f.LT, f.RT, f.LB, f.RB, f.clientRect};
    switch (mode) {
    case TbsPieceMode::None:
        break;
    case TbsPieceMode::Fixed:
        g.width = f.sw();
        g.height = f.sh();
        break;
    case TbsPieceMode::Framed: {
        int dW = W - f.sw(), dH = H - f.sh();
        g.RT = {f.RT.x + dW, f.RT.y};
        g.LB = {f.LB.x, f.LB.y + dH};
        g.RB = {f.RB.x + dW, f.RB.y + dH};
        g.clientRect = R(f.clientRect.left, f.clientRect.top, f.clientRect.right + dW, f.clientRect.bottom + dH);
        break;
    }
    case TbsPieceMode::Horizontal: {
        int dW = W - f.sw();
        g.height = f.sh();
        g.RT = {f.RT.x + dW, f.RT.y};
        g.clientRect.right += dW;
        break;
    }
    case TbsPieceMode::Vertical: {
        int dH = H - f.sh();
        g.width = f.sw();
        g.LB = {f.LB.x, f.LB.y + dH};
        g.clientRect.bottom += dH;
        break;
    }
    }
    return g;
}

void DrawFramedPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, const TbsPieceFields& f, const TbsPieceGeometry& g,
    bool fillCentre)
{
    drawFramed(dest, source, f, g, TbsStretchEdges{}, fillCentre);
}

void DrawFramedPieceStretched(TbsSkinPicture& dest, const TbsSkinPicture* source, const TbsPieceFields& f,
    const TbsPieceGeometry& g, TbsStretchEdges stretch, bool fillCentre)
{
    drawFramed(dest, source, f, g, stretch, fillCentre);
}

void DrawHorizontalPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, int a, int r, int W, const TRect& S)
{
    const int L = S.left, T = S.top, sw = S.width(), sh = S.height();
    dest.setSize(W, sh);
    if (!usable(source))
        return;
    dest.copyRect(R(0, 0, a, sh), *source, R(L, T, L + a, T + sh));
    dest.copyRect(R(W - r, 0, W, sh), *source, R(L + sw - r, T, L + sw, T + sh));
    int d = sw - a - r;
    if (d == 0)
        d = 1;
    if ((W - a - r) / d < 0)
        return;
    for (int i = 0; i <= (W - a - r) / d; ++i) {
        int clip = std::max(0, a + (i + 1) * d - (W - r));
        dest.copyRect(R(a + i * d, 0, a + (i + 1) * d - clip, sh), *source, R(L + a, T, L + sw - r - clip, T + sh));
    }
}

void DrawVerticalPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, int a, int b, int H, const TRect& S)
{
    const int L = S.left, T = S.top, sw = S.width(), sh = S.height();
    dest.setSize(sw, H);
    if (!usable(source))
        return;
    dest.copyRect(R(0, 0, sw, a), *source, R(L, T, L + sw, T + a));
    dest.copyRect(R(0, H - b, sw, H), *source, R(L, T + sh - b, L + sw, T + sh));
    int d = sh - a - b;
    int count = d == 0 ? 0 : (H - a - b) / d;
    if (d <= 0 || count < 0)
        return;
    for (int i = 0; i <= count; ++i) {
        int clip = std::max(0, a + (i + 1) * d - (H - b));
        dest.copyRect(R(0, a + i * d, sw, a + (i + 1) * d - clip), *source, R(L, T + a, L + sw, T + sh - b - clip));
    }
}

void drawPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, const TbsPieceFields& f, TbsPieceMode mode,
    const TbsPieceGeometry& g, const TRect& S)
{
    TbsPieceFields state = f;
    state.skinRect = R(S.left, S.top, S.left + f.sw(), S.top + f.sh());
    switch (mode) {
    case TbsPieceMode::None:
        dest.setSize(g.width, g.height);
        return;
    case TbsPieceMode::Fixed:
        dest.setSize(f.sw(), f.sh());
        if (usable(source))
            dest.copyRect(R(0, 0, f.sw(), f.sh()), *source, state.skinRect);
        return;
    case TbsPieceMode::Framed:
        DrawFramedPiece(dest, source, state, g, true);
        return;
    case TbsPieceMode::Horizontal:
        DrawHorizontalPiece(dest, source, f.LT.x, f.sw() - f.RT.x, g.width, state.skinRect);
        return;
    case TbsPieceMode::Vertical:
        DrawVerticalPiece(dest, source, f.LT.y, f.sh() - f.LB.y, g.height, state.skinRect);
        return;
    }
}

bool TbsRegionRects::contains(TPoint p) const
{
    return std::any_of(rects.begin(), rects.end(), [&](const TRect& r) { return r.contains(p); });
}

TRect TbsRegionRects::bounds() const
{
    if (rects.empty())
        return {};
    TRect b = rects.front();
    for (const TRect& r : rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

TbsRegionRects MaskRegion(const TbsSkinPicture& mask, int ox, int oy)
{
    TbsRegionRects region;
    for (int y = 0; y < mask.height(); ++y) {
        const TColor* row = mask.row(y);
        int x = 0;
        while (x < mask.width()) {
            if ((row[x] & 0xFFFFFF) != 0) {
                ++x;
                continue;
            }
            int x1 = x;
            while (x < mask.width() && (row[x] & 0xFFFFFF) == 0)
                ++x;
            if (region.rects.size() >= maskRegionLimit)
                return region;
            region.rects.push_back(R(x1 + ox, y + oy, x + ox, y + oy + 1));
        }
    }
    return region;
}

namespace {

// Rows [from, to) of the mask's columns [c0, c1) repeated down a strip from its top.
void repeatRows(TbsSkinPicture& strip, const TbsSkinPicture& mask, int c0, int c1, int from, int to)
{
    int d = to - from;
    if (d <= 0)
        return;
    for (int y = 0; y < strip.height(); y += d)
        strip.copyRect(R(0, y, c1 - c0, std::min(y + d, strip.height())), mask, R(c0, from, c1, from + std::min(d, strip.height() - y)));
}

// Columns [from, to) of the mask's rows [r0, r1) repeated across [start, end) of a strip.
void repeatColumns(TbsSkinPicture& strip, const TbsSkinPicture& mask, int r0, int r1, int from, int to, int start, int end)
{
    int d = to - from;
    if (d <= 0)
        return;
    for (int x = start; x < end; x += d) {
        int w = std::min(d, end - x);
        strip.copyRect(R(x, 0, x + w, r1 - r0), mask, R(from, r0, from + w, r1));
    }
}

TbsSkinPicture sideStrip(const TbsSkinPicture& mask, int c0, int c1, int height, const TRect& M, int repeatTop, int repeatBottom)
{
    TbsSkinPicture strip;
    if (c1 - c0 <= 0 || height <= 0)
        return strip;
    strip.setSize(c1 - c0, height);
    repeatRows(strip, mask, c0, c1, repeatTop, repeatBottom);
    strip.copyRect(R(0, 0, c1 - c0, repeatTop - M.top), mask, R(c0, M.top, c1, repeatTop));
    int tail = M.bottom - repeatBottom;
    strip.copyRect(R(0, height - tail, c1 - c0, height), mask, R(c0, repeatBottom, c1, M.bottom));
    return strip;
}

TbsSkinPicture edgeStrip(const TbsSkinPicture& mask, int r0, int r1, int W, int from, int to, int start, int end)
{
    TbsSkinPicture strip;
    if (W <= 0 || r1 - r0 <= 0)
        return strip;
    strip.setSize(W, r1 - r0);
    repeatColumns(strip, mask, r0, r1, from, to, start, end);
    strip.copyRect(R(0, 0, from, r1 - r0), mask, R(0, r0, from, r1));
    strip.copyRect(R(end, 0, end + (mask.width() - to), r1 - r0), mask, R(to, r0, mask.width(), r1));
    return strip;
}

// The runs of a mask region, row after row, with each row whose runs repeat the row
// above it joined to that row: a stretched outline repeats the same mask rows down
// its sides, and hundreds of one-pixel rows cost far more to turn into a window
// region than the few rectangles they cover.
TbsRegionRects joinRepeatedRows(TbsRegionRects rows)
{
    std::vector<TRect>& r = rows.rects;
    size_t out = 0, above = 0, aboveEnd = 0;
    for (size_t i = 0; i < r.size();) {
        size_t end = i;
        while (end < r.size() && r[end].top == r[i].top)
            ++end;
        bool const repeats = end - i == aboveEnd - above && r[above].bottom == r[i].top
            && std::equal(r.begin() + i, r.begin() + end, r.begin() + above,
                [](const TRect& a, const TRect& b) { return a.left == b.left && a.right == b.right; });
        if (repeats) {
            for (size_t k = above; k < aboveEnd; ++k)
                r[k].bottom = r[i].bottom;
        } else {
            above = out;
            for (size_t k = i; k < end; ++k)
                r[out++] = r[k];
            aboveEnd = out;
        }
        i = end;
    }
    r.resize(out);
    return rows;
}

} // namespace

TbsRegionRects FramedMaskRegion(const TbsSkinPicture& mask, TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& M,
    TPoint LTn, TPoint RTn, TPoint LBn, TPoint RBn, const TRect& Mn, int W, int H)
{
    TbsRegionRects region;
    if (RTn.x < LTn.x || LBn.y < LTn.y || mask.isEmpty())
        return region;
    // A solid rectangle outside its mask, or a resized one outside the target, is no outline.
    if (M.left < 0 || M.top < 0 || M.right > mask.width() || M.bottom > mask.height() || M.right < M.left || M.bottom < M.top)
        return region;
    if (Mn.left < 0 || Mn.top < 0 || Mn.right > W || Mn.bottom > H)
        return region;
    TbsSkinPicture left = sideStrip(mask, 0, M.left, Mn.height(), M, LT.y, LB.y);
    TbsSkinPicture right = sideStrip(mask, M.right, mask.width(), Mn.height(), M, RT.y, RB.y);
    TbsSkinPicture top = edgeStrip(mask, 0, M.top, W, LT.x, RT.x, LTn.x, RTn.x);
    TbsSkinPicture bottom = edgeStrip(mask, M.bottom, mask.height(), W, LB.x, RB.x, LBn.x, RBn.x);
    if (!Mn.isEmpty())
        region.rects.push_back(Mn);
    region.unite(joinRepeatedRows(MaskRegion(top, 0, 0)));
    region.unite(joinRepeatedRows(MaskRegion(bottom, 0, Mn.bottom)));
    region.unite(joinRepeatedRows(MaskRegion(left, 0, Mn.top)));
    region.unite(joinRepeatedRows(MaskRegion(right, Mn.right, Mn.top)));
    return region;
}

TbsRegionRects pieceRegion(const TbsSkinPicture* mask, const TbsPieceFields& f, TbsPieceMode mode, const TbsPieceGeometry& g)
{
    if (!mask || mask->isEmpty())
        return {};
    const TRect& C = f.clientRect;
    switch (mode) {
    case TbsPieceMode::Fixed:
        return MaskRegion(*mask, 0, 0);
    case TbsPieceMode::Framed:
        return FramedMaskRegion(*mask, f.LT, f.RT, f.LB, f.RB, C, g.LT, g.RT, g.LB, g.RB, g.clientRect, g.width, g.height);
    case TbsPieceMode::Horizontal: {
        TPoint rtn{f.RT.x + (g.width - f.sw()), f.RT.y};
        return FramedMaskRegion(*mask, f.LT, f.RT, f.LT, f.RT, C, f.LT, rtn, f.LT, rtn, g.clientRect, g.width, g.height);
    }
    case TbsPieceMode::Vertical: {
        TPoint lbn{f.LB.x, f.LB.y + (g.height - f.sh())};
        return FramedMaskRegion(*mask, f.LT, f.LT, f.LB, f.LB, C, f.LT, f.LT, lbn, lbn, g.clientRect, g.width, g.height);
    }
    case TbsPieceMode::None:
        break;
    }
    return {};
}

TRect mapSubRect(const TRect& Rr, const TbsPieceFields& f, TbsPieceMode mode, int dW, int dH)
{
    TRect r = Rr;
    auto move = [](TRect& x, int dx, int dy) { x = R(x.left + dx, x.top + dy, x.right + dx, x.bottom + dy); };
    switch (mode) {
    case TbsPieceMode::Horizontal:
        if (r.left <= f.LT.x && r.right >= f.RT.x)
            r.right += dW;
        else if (r.left >= f.RT.x && r.right > f.RT.x)
            move(r, dW, 0);
        return r;
    case TbsPieceMode::Vertical:
        if (r.top <= f.LT.y && r.bottom >= f.LB.y)
            r.bottom += dH;
        else if (r.top >= f.LB.y && r.bottom > f.LB.y)
            move(r, 0, dH);
        return r;
    case TbsPieceMode::Framed: {
        const int sw = f.sw(), sh = f.sh();
        const TRect TL = R(0, 0, f.LT.x, f.LT.y), TR = R(f.RT.x, 0, sw, f.RT.y), BL = R(0, f.LB.y, f.LB.x, sh),
                    BR = R(f.RB.x, f.RB.y, sw, sh);
        TPoint a{r.left, r.top}, b{r.right, r.bottom};
        auto in = [&](const TRect& zone) { return zone.contains(a) && zone.contains(b); };
        if (in(TL))
            return r;
        if (in(TR)) {
            move(r, dW, 0);
        } else if (in(BL)) {
            move(r, 0, dH);
        } else if (in(BR)) {
            move(r, dW, dH);
        } else if (TL.contains(a) && BR.contains(b)) {
            r.right += dW;
            r.bottom += dH;
        } else if (TL.contains(a) && TR.contains(b)) {
            r.right += dW;
        } else if (BL.contains(a) && BR.contains(b)) {
            r.right += dW;
            move(r, 0, dH);
        } else if (TL.contains(a) && BL.contains(b)) {
            r.bottom += dH;
        } else if (TR.contains(a) && BR.contains(b)) {
            move(r, dW, 0);
            r.bottom += dH;
        }
        return r;
    }
    case TbsPieceMode::Fixed:
    case TbsPieceMode::None:
        break;
    }
    return r;
}

int roundHalfEven(double x)
{
    double f = std::floor(x);
    double diff = x - f;
    long long n = static_cast<long long>(f);
    if (diff > 0.5 || (diff == 0.5 && (n & 1)))
        ++n;
    return static_cast<int>(n);
}

namespace {

TColor mix(TColor n, TColor a, double w)
{
    TColor out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        double v = w * ((n >> shift) & 0xFF) + (1 - w) * ((a >> shift) & 0xFF);
        out |= TColor(std::clamp(roundHalfEven(v), 0, 255)) << shift;
    }
    return out;
}

void mixColumn(TbsSkinPicture& out, const TbsSkinPicture& N, const TbsSkinPicture& A, int x, double w)
{
    for (int y = 0; y < out.height(); ++y)
        out.row(y)[x] = mix(N.row(y)[x], A.row(y)[x], w);
}

void mixRow(TbsSkinPicture& out, const TbsSkinPicture& N, const TbsSkinPicture& A, int y, double w)
{
    for (int x = 0; x < out.width(); ++x)
        out.row(y)[x] = mix(N.row(y)[x], A.row(y)[x], w);
}

void copyColumn(TbsSkinPicture& out, int x, const TbsSkinPicture& from, int fx)
{
    for (int y = 0; y < out.height(); ++y)
        out.row(y)[x] = from.row(y)[fx];
}

} // namespace

TbsSkinPicture morphBlend(const TbsSkinPicture& N, const TbsSkinPicture& A, double k, TbsMorphKind kind)
{
    TbsSkinPicture out = N;
    const int W = N.width(), H = N.height();
    if (W != A.width() || H != A.height() || N.isEmpty())
        return out;
    switch (kind) {
    case mkDefault:
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x)
                out.row(y)[x] = mix(N.row(y)[x], A.row(y)[x], 1 - k);
        }
        break;
    case mkGradient:
        if (W >= H) {
            int a = roundHalfEven(W * k);
            int b = (W - a) / 2;
            double e = b == 0 ? 1 : 1.0 / b;
            int g = std::max(0, W / 2 - a / 2), f = std::min(W - 1, W / 2 + a / 2);
            for (int x = g; x <= f; ++x)
                copyColumn(out, x, A, x);
            double w = 0;
            for (int x = g; x >= 0; --x, w = std::min(1.0, w + e))
                mixColumn(out, N, A, x, w);
            w = 0;
            for (int x = f; x < W; ++x, w = std::min(1.0, w + e))
                mixColumn(out, N, A, x, w);
        } else {
            int a = roundHalfEven(H * k);
            int len = (H - 1 - a) / 2;
            double e = len == 0 ? 0 : 1.0 / len;
            int g = std::max(0, H / 2 - a / 2), f = std::min(H - 1, H / 2 + a / 2);
            for (int y = g; y <= f; ++y)
                std::copy(A.row(y), A.row(y) + W, out.row(y));
            double w = 0;
            for (int y = g; y >= 0; --y, w = std::min(1.0, w + e))
                mixRow(out, N, A, y, w);
            w = 0;
            for (int y = f; y < H; ++y, w = std::min(1.0, w + e))
                mixRow(out, N, A, y, w);
        }
        break;
    case mkLeftGradient: {
        int a = std::min(std::max(roundHalfEven(W * k), 1), W - 1);
        double step = a == 0 ? 1 : 1.0 / a;
        double w = 0;
        for (int x = 0; x <= a; ++x, w = std::min(1.0, w + step))
            mixColumn(out, N, A, x, w);
        break;
    }
    case mkRightGradient: {
        int a = std::clamp(W - roundHalfEven(W * k), 0, W - 1);
        double c = W - a <= 0 ? 1 : 1.0 / (W - a);
        double w = 0;
        for (int x = W - 1; x >= a; --x, w = std::min(1.0, w + c))
            mixColumn(out, N, A, x, w);
        break;
    }
    case mkLeftSlide: {
        int b = std::min(std::max(roundHalfEven(W * k), 1), W - 1);
        for (int x = 0; x < b; ++x)
            copyColumn(out, x, A, W - b + x);
        break;
    }
    case mkRightSlide: {
        int b = std::min(std::max(roundHalfEven(W * k), 1), W - 1);
        for (int x = 0; x < b; ++x)
            copyColumn(out, W - b + x, A, x);
        break;
    }
    case mkPush: {
        int a = std::clamp(roundHalfEven(W * k), 0, W - 1);
        for (int j = W - 1; j > a; --j)
            copyColumn(out, j, N, j - a - 1);
        for (int j = 0; j <= a; ++j)
            copyColumn(out, j, A, W - a - 1 + j);
        break;
    }
    }
    return out;
}

} // namespace qv
