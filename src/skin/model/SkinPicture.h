#pragma once

#include "runtime/core/Exception.h"
#include "runtime/core/GraphicTypes.h"

#include <string>
#include <vector>

namespace qv {

class ESkinPictureError : public Exception {
public:
    using Exception::Exception;
};

// A skin picture as plain pixels (0x00BBGGRR), so that cutting pieces, building
// regions and blending are exact and need no window system. Pictures come from
// and go to BMP files; the bit depth they were stored at is kept.
class TbsSkinPicture {
public:
    // Decoding refuses anything larger; the skin's biggest picture is 539 x 322.
    static constexpr int maxSide = 8192;
    static constexpr int64_t maxPixels = 16 * 1024 * 1024;

    TbsSkinPicture() = default;
    TbsSkinPicture(int width, int height, TColor fill = clWhite);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width <= 0 || m_height <= 0; }
    int bitsPerPixel() const { return m_bitsPerPixel; }
    // Resizing discards the contents (white), like a bitmap's.
    void setSize(int width, int height);
    void fill(TColor color);

    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);
    const TColor* row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    TColor* row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    const std::vector<TColor>& pixels() const { return m_pixels; }

    // Pixel copy of src's rectangle onto dst here; stretched (nearest pixel) when
    // the sizes differ. Parts outside either picture are left out.
    void copyRect(const TRect& dst, const TbsSkinPicture& source, const TRect& src);

    // Uncompressed BMPs of 1, 4, 8, 24 or 32 bits per pixel; anything else, or a
    // file whose headers do not match its bytes, raises "Bitmap image is not valid".
    static TbsSkinPicture fromBmp(const std::string& bytes);
    // A BMP at bitsPerPixel (1, 4, 8 with a full palette; 24). Palettes come from the
    // colours used; when there are too many, colours are coarsened until they fit.
    std::string toBmp(int bitsPerPixel) const;

    bool operator==(const TbsSkinPicture& other) const
    {
        return m_width == other.m_width && m_height == other.m_height && m_pixels == other.m_pixels;
    }

private:
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 32;
    std::vector<TColor> m_pixels;
};

} // namespace qv
