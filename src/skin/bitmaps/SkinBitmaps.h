#pragma once

#include "runtime/graphics/Bitmap.h"
#include "skin/model/SkinPieces.h"

namespace qv {

// The bridge from the skin's plain pictures to the runtime's drawing: a control
// composes its look as a TbsSkinPicture and puts it on its canvas in one step.
Bitmap toBitmap(const TbsSkinPicture& picture);
void drawSkinPicture(Canvas& canvas, int x, int y, const TbsSkinPicture& picture);
// A window region from the rectangles of MaskRegion or FramedMaskRegion.
Region toRegion(const TbsRegionRects& rects);

} // namespace qv
