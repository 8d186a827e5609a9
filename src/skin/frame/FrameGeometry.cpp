#include "skin/frame/FrameGeometry.h"

#include <algorithm>

namespace qv {

namespace {

TPoint shifted(TPoint p, int dx, int dy) { return TPoint{p.x + dx, p.y + dy}; }

// Tiles src across dst's span along x (from dst.left), each copy clipped at dst.right.
void tileAcross(TbsSkinPicture& out, const TRect& dst, const TbsSkinPicture& source, const TRect& src)
{
    const int d = src.width();
    if (d <= 0)
        return;
    for (int x = dst.left; x < dst.right; x += d) {
        const int w = std::min(d, dst.right - x);
        out.copyRect(TRect{x, dst.top, x + w, dst.bottom}, source, TRect{src.left, src.top, src.left + w, src.bottom});
    }
}

void tileDown(TbsSkinPicture& out, const TRect& dst, const TbsSkinPicture& source, const TRect& src)
{
    const int d = src.height();
    if (d <= 0)
        return;
    for (int y = dst.top; y < dst.bottom; y += d) {
        const int h = std::min(d, dst.bottom - y);
        out.copyRect(TRect{dst.left, y, dst.right, y + h}, source, TRect{src.left, src.top, src.right, src.top + h});
    }
}

// One horizontal strip: rows top..bottom of the picture; the segment a..b repeats
// over the strip (or is stretched into a'..b'), then both ends are laid over it.
void horizontalStrip(TbsSkinPicture& out, const TbsSkinPicture& pic, int W, int top, int bottom, int a, int b, int an,
    int bn, bool stretch)
{
    const int h = bottom - top;
    out = TbsSkinPicture();
    if (W <= 0 || h <= 0 || b - a <= 0)
        return;
    out.setSize(W, h);
    const TRect segment{a, top, b, bottom};
    if (stretch)
        out.copyRect(TRect{an, 0, bn, h}, pic, segment);
    else
        tileAcross(out, TRect{0, 0, W, h}, pic, segment);
    out.copyRect(TRect{0, 0, a, h}, pic, TRect{0, top, a, bottom});
    out.copyRect(TRect{bn, 0, bn + (pic.width() - b), h}, pic, TRect{b, top, pic.width(), bottom});
}

// One vertical strip of columns left..right between the top and the bottom strip:
// rows a..b repeat from its top (or stretch over a'..b'), the rows above a and
// below b of the side are laid over its ends.
void verticalStrip(TbsSkinPicture& out, const TbsSkinPicture& pic, int left, int right, int height, int clTop, int clBottom,
    int a, int b, int an, int bn, bool stretch)
{
    const int w = right - left;
    out = TbsSkinPicture();
    if (w <= 0 || height <= 0 || b - a <= 0)
        return;
    out.setSize(w, height);
    const TRect segment{left, a, right, b};
    if (stretch)
        out.copyRect(TRect{0, an - clTop, w, bn - clTop}, pic, segment);
    else
        tileDown(out, TRect{0, 0, w, height}, pic, segment);
    out.copyRect(TRect{0, 0, w, a - clTop}, pic, TRect{left, clTop, right, a});
    const int tail = clBottom - b;
    out.copyRect(TRect{0, height - tail, w, height}, pic, TRect{left, b, right, clBottom});
}

} // namespace

TbsFrameGeometry resizedFrameGeometry(const TbsSkinFrameInfo& f, int pw, int ph, int W, int H)
{
    TbsFrameGeometry g;
    g.W = W;
    g.H = H;
    g.pw = pw;
    g.ph = ph;
    const int dW = W - pw, dH = H - ph;
    g.LT = f.LTPoint;
    g.RT = shifted(f.RTPoint, dW, 0);
    g.LB = shifted(f.LBPoint, 0, dH);
    g.RB = shifted(f.RBPoint, dW, dH);
    g.client = TRect{f.ClRect.left, f.ClRect.top, f.ClRect.right + dW, f.ClRect.bottom + dH};
    g.captionRect = f.CaptionRect;
    if (!g.captionRect.isEmpty())
        g.captionRect.right += dW;
    g.buttonsRect = f.ButtonsRect;
    if (!g.buttonsRect.isEmpty() && g.buttonsRect.left > pw / 2) {
        g.buttonsRect.left += dW;
        g.buttonsRect.right += dW;
    }
    g.buttonsInLeft = f.ButtonsInLeft;
    g.buttonsOffset = f.ButtonsOffset;
    g.HLT = f.HitTestLTPoint;
    g.HRT = shifted(f.HitTestRTPoint, dW, 0);
    g.HLB = shifted(f.HitTestLBPoint, 0, dH);
    g.HRB = shifted(f.HitTestRBPoint, dW, dH);
    g.mask = TRect{f.MaskRectArea.left, f.MaskRectArea.top, f.MaskRectArea.right + dW, f.MaskRectArea.bottom + dH};
    return g;
}

TRect mapFrameRect(const TRect& r, const TbsSkinFrameInfo& f, int pw, int ph, int W, int H)
{
    TbsPieceFields fields;
    fields.LT = f.LTPoint;
    fields.RT = f.RTPoint;
    fields.LB = f.LBPoint;
    fields.RB = f.RBPoint;
    fields.skinRect = TRect{0, 0, pw, ph};
    fields.clientRect = f.ClRect;
    // The shift of the bottom-right frame point is the window's growth.
    return mapSubRect(r, fields, TbsPieceMode::Framed, W - pw, H - ph);
}

void DrawFrameStrips(TbsFrameStrips& s, const TbsSkinPicture& pic, const TbsSkinFrameInfo& f, const TbsFrameGeometry& g)
{
    const TRect& C = f.ClRect;
    horizontalStrip(s.top, pic, g.W, 0, C.top, f.LTPoint.x, f.RTPoint.x, g.LT.x, g.RT.x, f.TopStretch);
    horizontalStrip(s.bottom, pic, g.W, C.bottom, g.ph, f.LBPoint.x, f.RBPoint.x, g.LB.x, g.RB.x, f.BottomStretch);
    const int sideHeight = g.H - s.top.height() - s.bottom.height();
    verticalStrip(s.left, pic, 0, C.left, sideHeight, C.top, C.bottom, f.LTPoint.y, f.LBPoint.y, g.LT.y, g.LB.y,
        f.LeftStretch);
    verticalStrip(s.right, pic, C.right, g.pw, sideHeight, C.top, C.bottom, f.RTPoint.y, f.RBPoint.y, g.RT.y, g.RB.y,
        f.RightStretch);
}

TbsRegionRects frameRegion(const TbsSkinPicture& mask, const TbsSkinFrameInfo& f, const TbsFrameGeometry& g)
{
    if (mask.isEmpty())
        return {};
    return FramedMaskRegion(mask, f.LTPoint, f.RTPoint, f.LBPoint, f.RBPoint, f.MaskRectArea, g.LT, g.RT, g.LB, g.RB,
        g.mask, g.W, g.H);
}

} // namespace qv
