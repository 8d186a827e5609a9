#pragma once

#include "runtime/core/Exception.h"
#include "runtime/core/GraphicTypes.h"

#include <memory>
#include <new>
#include <string>
#include <type_traits>
#include <utility>
#include <string_view>
#include <vector>

namespace qv {

class ESkinPictureError : public Exception {
public:
    using Exception::Exception;
};

// Leaves new elements of a trivial type unset, where std::allocator zeroes them: a
// decoded picture writes every pixel itself, so zeroing first is wasted work.
template <class T> struct TDefaultInitAllocator : std::allocator<T> {
    template <class U> struct rebind {
        using other = TDefaultInitAllocator<U>;
    };
    TDefaultInitAllocator() = default;
    template <class U> TDefaultInitAllocator(const TDefaultInitAllocator<U>&) noexcept {}
    template <class U> void construct(U* at) noexcept(std::is_nothrow_default_constructible_v<U>) { ::new (static_cast<void*>(at)) U; }
    template <class U, class... Args> void construct(U* at, Args&&... args)
    {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};

// A skin picture as plain pixels (0x00BBGGRR), so that cutting pieces, building
// regions and blending are exact and need no window system. Pictures come from
// and go to BMP files; the bit depth they were stored at is kept.
class TbsSkinPicture {
public:
    // Decoding refuses anything larger; the skin's biggest picture is 253 x 196.
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
    using Pixels = std::vector<TColor, TDefaultInitAllocator<TColor>>;
    const Pixels& pixels() const { return m_pixels; }

    // Pixel copy of src's rectangle onto dst here; stretched (nearest pixel) when
    // the sizes differ. Parts outside either picture are left out.
    void copyRect(const TRect& dst, const TbsSkinPicture& source, const TRect& src);

    // Uncompressed BMPs of 1, 4, 8, 24 or 32 bits per pixel; anything else, or a
    // file whose headers do not match its bytes, raises "Bitmap image is not valid".
    static TbsSkinPicture fromBmp(std::string_view bytes);
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
    Pixels m_pixels;
};

} // namespace qv
