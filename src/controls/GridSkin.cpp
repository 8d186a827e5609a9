#include "controls/GridSkin.h"

#include <algorithm>

namespace qv {

void drawHorizontalPiece(Canvas& canvas, const TRect& dst, const Bitmap& picture, const TRect& src, int leftWidth, int rightWidth)
{
    int height = src.height();
    int width = dst.width();
    if (width <= 0 || height <= 0)
        return;
    leftWidth = std::clamp(leftWidth, 0, std::min(width, src.width()));
    rightWidth = std::clamp(rightWidth, 0, std::min(width - leftWidth, src.width() - leftWidth));
    int top = dst.top;
    if (leftWidth > 0)
        canvas.copyRect(TRect{dst.left, top, dst.left + leftWidth, top + height}, picture,
            TRect{src.left, src.top, src.left + leftWidth, src.bottom});
    if (rightWidth > 0)
        canvas.copyRect(TRect{dst.right - rightWidth, top, dst.right, top + height}, picture,
            TRect{src.right - rightWidth, src.top, src.right, src.bottom});
    int middle = src.width() - leftWidth - rightWidth;
    if (middle <= 0)
        return;
    for (int x = dst.left + leftWidth; x < dst.right - rightWidth; x += middle) {
        int part = std::min(middle, dst.right - rightWidth - x);
        canvas.copyRect(TRect{x, top, x + part, top + height}, picture,
            TRect{src.left + leftWidth, src.top, src.left + leftWidth + part, src.bottom});
    }
}

} // namespace qv
