#include "skin/model/SkinPicture.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace qv {

namespace {

const char* const notABitmap = "Bitmap image is not valid";

uint32_t le32(std::string_view b, size_t at)
{
    if (at + 4 > b.size())
        throw ESkinPictureError(notABitmap);
    auto u = [&](size_t i) { return uint32_t(static_cast<unsigned char>(b[at + i])); };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

uint16_t le16(std::string_view b, size_t at)
{
    if (at + 2 > b.size())
        throw ESkinPictureError(notABitmap);
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

void put32(std::string& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<char>(v >> (8 * i)));
}

void put16(std::string& b, uint16_t v)
{
    b.push_back(static_cast<char>(v));
    b.push_back(static_cast<char>(v >> 8));
}

TColor bgr(unsigned char b, unsigned char g, unsigned char r) { return TColor(r) | TColor(g) << 8 | TColor(b) << 16; }

size_t rowStride(int width, int bpp) { return ((static_cast<size_t>(width) * bpp + 31) / 32) * 4; }

// Keeps the top bits of each channel, rounding to the nearest kept level.
TColor coarsen(TColor c, int dropBits)
{
    if (dropBits == 0)
        return c;
    TColor out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int v = (c >> shift) & 0xFF;
        int step = 1 << dropBits;
        v = std::min(255, (v + step / 2) / step * step);
        out |= TColor(v) << shift;
    }
    return out;
}

// One file row to pixels; the depth is chosen once a row, not once a pixel, and a
// packed byte is read once for all the pixels it holds. Palette indexes come four
// at a time, all read before any is written: a store through out could be any byte
// as far as the compiler knows, which keeps it from grouping the reads itself.
void decodeRow(const unsigned char* src, TColor* out, int width, int bpp, const TColor* palette)
{
    switch (bpp) {
    case 1:
        for (int x = 0; x < width; ++src) {
            unsigned const bits = *src;
            for (int bit = 7; bit >= 0 && x < width; --bit)
                out[x++] = palette[(bits >> bit) & 1];
        }
        return;
    case 4: {
        int x = 0;
        for (; x + 1 < width; x += 2, ++src) {
            out[x] = palette[*src >> 4];
            out[x + 1] = palette[*src & 0xF];
        }
        if (x < width)
            out[x] = palette[*src >> 4];
        return;
    }
    case 8: {
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            TColor const a = palette[src[x]], b = palette[src[x + 1]], c = palette[src[x + 2]], d = palette[src[x + 3]];
            out[x] = a;
            out[x + 1] = b;
            out[x + 2] = c;
            out[x + 3] = d;
        }
        for (; x < width; ++x)
            out[x] = palette[src[x]];
        return;
    }
    case 24:
        for (int x = 0; x < width; ++x, src += 3)
            out[x] = bgr(src[0], src[1], src[2]);
        return;
    default:
        for (int x = 0; x < width; ++x, src += 4)
            out[x] = bgr(src[0], src[1], src[2]);
        return;
    }
}

} // namespace

TbsSkinPicture::TbsSkinPicture(int width, int height, TColor fillColor)
{
    setSize(width, height);
    if (fillColor != clWhite)
        fill(fillColor);
}

void TbsSkinPicture::setSize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    if (m_width == 0 || m_height == 0)
        m_width = m_height = 0;
    m_pixels.assign(static_cast<size_t>(m_width) * m_height, clWhite);
}

void TbsSkinPicture::fill(TColor color) { std::fill(m_pixels.begin(), m_pixels.end(), color); }

TColor TbsSkinPicture::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return clBlack;
    return row(y)[x];
}

void TbsSkinPicture::setPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    row(y)[x] = color;
}

void TbsSkinPicture::copyRect(const TRect& dst, const TbsSkinPicture& source, const TRect& src)
{
    if (dst.isEmpty() || src.isEmpty())
        return;
    if (dst.width() == src.width() && dst.height() == src.height()) {
        int dx = src.left - dst.left, dy = src.top - dst.top;
        int left = std::max({dst.left, 0, -dx});
        int right = std::min({dst.right, m_width, source.m_width - dx});
        int top = std::max({dst.top, 0, -dy});
        int bottom = std::min({dst.bottom, m_height, source.m_height - dy});
        if (right <= left)
            return;
        for (int y = top; y < bottom; ++y)
            std::memcpy(row(y) + left, source.row(y + dy) + left + dx, sizeof(TColor) * static_cast<size_t>(right - left));
        return;
    }
    for (int y = std::max(dst.top, 0); y < std::min(dst.bottom, m_height); ++y) {
        int sy = src.top + static_cast<int>(int64_t(y - dst.top) * src.height() / dst.height());
        if (sy < 0 || sy >= source.m_height)
            continue;
        for (int x = std::max(dst.left, 0); x < std::min(dst.right, m_width); ++x) {
            int sx = src.left + static_cast<int>(int64_t(x - dst.left) * src.width() / dst.width());
            if (sx >= 0 && sx < source.m_width)
                row(y)[x] = source.row(sy)[sx];
        }
    }
}

TbsSkinPicture TbsSkinPicture::fromBmp(std::string_view b)
{
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        throw ESkinPictureError(notABitmap);
    uint32_t offBits = le32(b, 10);
    uint32_t headerSize = le32(b, 14);
    int64_t width = 0, height = 0;
    int bpp = 0;
    uint32_t compression = 0, colorsUsed = 0;
    size_t paletteEntry = 4;
    uint16_t planes = 0;
    if (headerSize == 12) {
        width = le16(b, 18);
        height = static_cast<int16_t>(le16(b, 20));
        planes = le16(b, 22);
        bpp = le16(b, 24);
        paletteEntry = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        width = static_cast<int32_t>(le32(b, 18));
        height = static_cast<int32_t>(le32(b, 22));
        planes = le16(b, 26);
        bpp = le16(b, 28);
        compression = le32(b, 30);
        colorsUsed = le32(b, 46);
    } else {
        throw ESkinPictureError(notABitmap);
    }
    bool topDown = height < 0;
    height = height < 0 ? -height : height;
    if (planes != 1 || compression != 0 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32))
        throw ESkinPictureError(notABitmap);
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide || width * height > maxPixels)
        throw ESkinPictureError(notABitmap);

    std::vector<TColor> palette;
    // The pixels lie behind the headers and the palette, never inside them.
    size_t headersEnd = 14 + size_t(headerSize);
    if (bpp <= 8) {
        size_t count = colorsUsed ? colorsUsed : size_t(1) << bpp;
        if (count > 256)
            throw ESkinPictureError(notABitmap);
        size_t at = 14 + headerSize;
        headersEnd = at + count * paletteEntry;
        if (at + count * paletteEntry > b.size())
            throw ESkinPictureError(notABitmap);
        for (size_t i = 0; i < count; ++i, at += paletteEntry) {
            auto u = [&](size_t k) { return static_cast<unsigned char>(b[at + k]); };
            palette.push_back(bgr(u(0), u(1), u(2)));
        }
        palette.resize(size_t(1) << bpp, clBlack);
    }
    size_t stride = rowStride(static_cast<int>(width), bpp);
    if (offBits < headersEnd || offBits > b.size() || stride * static_cast<size_t>(height) > b.size() - offBits)
        throw ESkinPictureError(notABitmap);

    // Every pixel is written below, so the picture is neither painted white nor zeroed first.
    TbsSkinPicture picture;
    picture.m_width = static_cast<int>(width);
    picture.m_height = static_cast<int>(height);
    picture.m_bitsPerPixel = bpp;
    picture.m_pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < picture.m_height; ++y) {
        int fileRow = topDown ? y : picture.m_height - 1 - y;
        auto* src = reinterpret_cast<const unsigned char*>(b.data()) + offBits + stride * static_cast<size_t>(fileRow);
        decodeRow(src, picture.row(y), picture.m_width, bpp, palette.data());
    }
    return picture;
}

std::string TbsSkinPicture::toBmp(int bpp) const
{
    if (isEmpty() || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24))
        throw ESkinPictureError(notABitmap);
    Pixels source = m_pixels;
    std::vector<TColor> palette;
    std::map<TColor, int> index;
    if (bpp <= 8) {
        size_t limit = size_t(1) << bpp;
        for (int drop = 0; drop <= 8; ++drop) {
            index.clear();
            for (TColor c : m_pixels)
                index.emplace(coarsen(c, drop), 0);
            if (index.size() <= limit) {
                for (size_t i = 0; i < source.size(); ++i)
                    source[i] = coarsen(m_pixels[i], drop);
                break;
            }
        }
        int i = 0;
        for (auto& [colour, slot] : index) {
            slot = i++;
            palette.push_back(colour);
        }
        palette.resize(limit, clBlack);
    }
    size_t stride = rowStride(m_width, bpp);
    uint32_t offBits = 14 + 40 + static_cast<uint32_t>(palette.size() * 4);
    uint32_t fileSize = offBits + static_cast<uint32_t>(stride * m_height);
    std::string b;
    b.reserve(fileSize);
    b += "BM";
    put32(b, fileSize);
    put32(b, 0);
    put32(b, offBits);
    put32(b, 40);
    put32(b, static_cast<uint32_t>(m_width));
    put32(b, static_cast<uint32_t>(m_height));
    put16(b, 1);
    put16(b, static_cast<uint16_t>(bpp));
    put32(b, 0);
    put32(b, static_cast<uint32_t>(stride * m_height));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (TColor c : palette) {
        b.push_back(static_cast<char>(c >> 16));
        b.push_back(static_cast<char>(c >> 8));
        b.push_back(static_cast<char>(c));
        b.push_back(0);
    }
    for (int y = m_height - 1; y >= 0; --y) {
        std::string line(stride, '\0');
        const TColor* px = source.data() + static_cast<size_t>(y) * m_width;
        for (int x = 0; x < m_width; ++x) {
            switch (bpp) {
            case 1:
                line[x >> 3] = static_cast<char>(line[x >> 3] | (index[px[x]] << (7 - (x & 7))));
                break;
            case 4:
                line[x >> 1] = static_cast<char>(line[x >> 1] | (index[px[x]] << ((x & 1) ? 0 : 4)));
                break;
            case 8:
                line[x] = static_cast<char>(index[px[x]]);
                break;
            default:
                line[3 * x] = static_cast<char>(px[x] >> 16);
                line[3 * x + 1] = static_cast<char>(px[x] >> 8);
                line[3 * x + 2] = static_cast<char>(px[x]);
                break;
            }
        }
        b += line;
    }
    return b;
}

} // namespace qv
