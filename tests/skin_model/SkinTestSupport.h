#pragma once

#include "skin/model/SkinPicture.h"
#include "skin/store/SkinArchive.h"

#include <string>

namespace qv::test {

// Every pixel tells where it came from: x in the red byte, y in the green byte.
inline TbsSkinPicture coordinatePicture(int width, int height)
{
    TbsSkinPicture p(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, TColor(x) | TColor(y) << 8 | 0x400000);
    }
    return p;
}

inline int srcX(TColor c) { return static_cast<int>(c & 0xFF); }
inline int srcY(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }

inline std::string smallBmp(int width, int height, TColor colour, int bpp = 8)
{
    return TbsSkinPicture(width, height, colour).toBmp(bpp);
}

} // namespace qv::test
