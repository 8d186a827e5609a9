#pragma once

#include "skin/model/SkinData.h"
#include "skin/model/SkinPieces.h"

namespace qv {

// The frame's points and rectangles for a window of W x H, from the [FORMINFO]
// geometry of a main picture of pw x ph.
struct TbsFrameGeometry {
    int W = 0, H = 0, pw = 0, ph = 0;
    int dW() const { return W - pw; }
    int dH() const { return H - ph; }
    TPoint LT, RT, LB, RB;
    TRect client;
    TRect captionRect, buttonsRect;
    bool buttonsInLeft = false;
    int buttonsOffset = 0;
    TPoint HLT, HRT, HLB, HRB;
    TRect mask;
};

TbsFrameGeometry resizedFrameGeometry(const TbsSkinFrameInfo& frame, int pw, int ph, int W, int H);

// A rectangle of the frame picture placed in the window: corners stay, what
// spans the top-left and the top-right corner zones widens, and so on.
TRect mapFrameRect(const TRect& r, const TbsSkinFrameInfo& frame, int pw, int ph, int W, int H);

// The four pieces the frame is painted from, at the window's size.
struct TbsFrameStrips {
    TbsSkinPicture top, bottom, left, right;
};

// Cuts the strips out of the frame picture; a strip without area, or whose
// repeat segment is empty, stays empty.
void DrawFrameStrips(TbsFrameStrips& strips, const TbsSkinPicture& picture, const TbsSkinFrameInfo& frame,
    const TbsFrameGeometry& g);

// The window's outline: the frame mask fitted to the window, or none.
TbsRegionRects frameRegion(const TbsSkinPicture& mask, const TbsSkinFrameInfo& frame, const TbsFrameGeometry& g);

} // namespace qv
