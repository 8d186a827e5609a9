#include "skin/bitmaps/SkinBitmaps.h"

#include "runtime/graphics/RegionOfRects.h"

namespace qv {

Bitmap toBitmap(const TbsSkinPicture& picture)
{
    Bitmap bitmap;
    bitmap.assignPixels(picture.width(), picture.height(), picture.pixels().data(), picture.pixels().size());
    return bitmap;
}

void drawSkinPicture(Canvas& canvas, int x, int y, const TbsSkinPicture& picture)
{
    if (picture.isEmpty())
        return;
    canvas.drawPixels(x, y, picture.width(), picture.height(), picture.pixels().data());
}

Region toRegion(const TbsRegionRects& rects)
{
    return regionOfRects(rects.rects);
}

} // namespace qv
