#include "skin/bitmaps/SkinBitmaps.h"

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

namespace {

// Halves united pairwise: each union costs what its two halves hold, where adding one
// rectangle at a time to the growing whole cost that whole every time.
Region uniteRange(const std::vector<TRect>& rects, size_t from, size_t to)
{
    if (to - from == 1)
        return Region(rects[from]);
    size_t const middle = from + (to - from) / 2;
    Region region = uniteRange(rects, from, middle);
    region.unite(uniteRange(rects, middle, to));
    return region;
}

} // namespace

Region toRegion(const TbsRegionRects& rects)
{
    if (rects.rects.empty())
        return Region();
    return uniteRange(rects.rects, 0, rects.rects.size());
}

} // namespace qv
