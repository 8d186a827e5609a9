#pragma once

#include <cstdint>

// Colours, points and rectangles as plain values: what engines without the
// toolkit (the report snapshot, say) need of the drawing layer's types.
namespace qv {

// 0x00BBGGRR for a plain colour, 0xFF0000nn for a system colour.
using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clNone = 0x1FFFFFFF;

// System colours resolve through the desktop palette.
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clBackground = 0xFF000001;
constexpr TColor clActiveCaption = 0xFF000002;
constexpr TColor clInactiveCaption = 0xFF000003;
constexpr TColor clMenu = 0xFF000004;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clCaptionText = 0xFF000009;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;
constexpr TColor clInfoBk = 0xFF000018;

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

// Right and bottom are exclusive: a rectangle of width w covers w pixels.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool intersects(const TRect& r) const { return left < r.right && r.left < right && top < r.bottom && r.top < bottom; }
    TRect offset(int dx, int dy) const { return TRect{left + dx, top + dy, right + dx, bottom + dy}; }
    // Grown by d on every side; a negative d shrinks it.
    TRect inflated(int d) const { return TRect{left - d, top - d, right + d, bottom + d}; }
    bool operator==(const TRect&) const = default;
};

inline TRect rectOf(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }

} // namespace qv
