#pragma once

#include "skin/model/SkinIni.h"
#include "skin/model/SkinPicture.h"

#include <vector>

namespace qv {

// How a section's picture follows a control's size.
enum class TbsPieceMode { None, Framed, Horizontal, Vertical, Fixed };

// "skinrect" S in its picture, the corner points and "clientrect" C relative to S.
struct TbsPieceFields {
    TPoint LT, RT, LB, RB;
    TRect skinRect;
    TRect clientRect;
    int sw() const { return skinRect.width(); }
    int sh() const { return skinRect.height(); }
    bool operator==(const TbsPieceFields&) const = default;
};

// Beyond this a coordinate belongs to no picture; such a section has mode None.
constexpr int maxPieceCoordinate = 32767;

TbsPieceMode pieceMode(const TbsPieceFields& f);

// A control's size and its resized points and client rectangle.
struct TbsPieceGeometry {
    int width = 0;
    int height = 0;
    TPoint LT, RT, LB, RB;
    TRect clientRect;
};

// The size a control with this section takes when asked for W x H, and the points that go with it.
TbsPieceGeometry newGeometry(const TbsPieceFields& f, TbsPieceMode mode, int W, int H);

struct TbsStretchEdges {
    bool left = false, right = false, top = false, bottom = false;
};

// Each routine sizes dest first; a null or empty source leaves it unpainted.
void DrawFramedPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, const TbsPieceFields& f, const TbsPieceGeometry& g,
    bool fillCentre);
void DrawFramedPieceStretched(TbsSkinPicture& dest, const TbsSkinPicture* source, const TbsPieceFields& f,
    const TbsPieceGeometry& g, TbsStretchEdges stretch, bool fillCentre);
void DrawHorizontalPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, int leftWidth, int rightWidth, int W, const TRect& S);
void DrawVerticalPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, int topHeight, int bottomHeight, int H, const TRect& S);

// A control's look at its size: source rectangle S (the normal "skinrect" or a
// state rectangle of the same size) drawn by the piece rule of its mode.
void drawPiece(TbsSkinPicture& dest, const TbsSkinPicture* source, const TbsPieceFields& f, TbsPieceMode mode,
    const TbsPieceGeometry& g, const TRect& S);

// A window shape as the rectangles it is made of (union, may overlap).
struct TbsRegionRects {
    std::vector<TRect> rects;
    bool isEmpty() const { return rects.empty(); }
    bool contains(TPoint p) const;
    TRect bounds() const;
    void unite(const TbsRegionRects& other) { rects.insert(rects.end(), other.rects.begin(), other.rects.end()); }
};

constexpr size_t maskRegionLimit = 10000;

// Runs of pure black, one rectangle per run, shifted by (ox, oy).
TbsRegionRects MaskRegion(const TbsSkinPicture& mask, int ox, int oy);
// The mask fitted to a resized target; no region when the target is smaller than its fixed parts.
TbsRegionRects FramedMaskRegion(const TbsSkinPicture& mask, TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& M,
    TPoint LTn, TPoint RTn, TPoint LBn, TPoint RBn, const TRect& Mn, int W, int H);
// The region of a control of this section and mask at its new geometry; empty when it has none.
TbsRegionRects pieceRegion(const TbsSkinPicture* mask, const TbsPieceFields& f, TbsPieceMode mode, const TbsPieceGeometry& g);

// A rectangle given relative to "skinrect" (a button, thumb or caption area) in control coordinates.
TRect mapSubRect(const TRect& R, const TbsPieceFields& f, TbsPieceMode mode, int dW, int dH);

// The picture shown at morph factor k between the normal image N and the active image A.
TbsSkinPicture morphBlend(const TbsSkinPicture& N, const TbsSkinPicture& A, double k, TbsMorphKind kind);
// Nearest integer, halves to the even neighbour.
int roundHalfEven(double x);

} // namespace qv
