#pragma once

#include "runtime/graphics/Graphics.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

class Bitmap;
class Region;

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
enum class PenMode { Copy, NotXor, Xor, Not };
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
enum FontPitch : int { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

struct Pen {
    TColor color = clBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    bool cosmeticDots = false; // one-pixel pen painting every other pixel
};

struct Brush {
    TColor color = clWhite;
    BrushStyle style = BrushStyle::Solid;
    const Bitmap* bitmap = nullptr; // tiles when set
};

struct Font {
    std::string name = "MS Sans Serif";
    // One of three sizes applies, the first that is non-zero: cellHeight, height, size.
    // A skin's font heights are cell heights; point sizes and a report's pixel sizes are
    // character (em) sizes.
    int cellHeight = 0;  // pixels of ascent plus descent; the largest size not drawing taller
    int height = 0;      // pixels of the character alone, without the font's leading
    int size = 8;        // points, taken at 96 dpi
    unsigned style = 0;  // FontStyle bits
    TColor color = clWindowText;
    int charset = 1;
    int orientation = 0; // tenths of a degree, counter-clockwise
    int pitch = fpDefault;
    bool operator==(const Font&) const = default;
};

// The desktop's own user-interface font, name and point size.
Font platformUiFont();
// Whether texts of a user-interface language ("ja_JP", "de") are written in a script
// that the Latin fonts ("Arial") do not hold; an empty or unknown language is Latin.
bool languageNeedsNativeFont(const std::string& language);

enum TextAlign : unsigned {
    taLeft = 0, taCenter = 1, taRight = 2,  // horizontal reference
    taTop = 0, taBottom = 4, taBaseline = 8 // vertical reference
};

// GDI-style drawing surface. Lines exclude their end pixel; rectangles cover
// left..right-1 and top..bottom-1. Coordinates are in the surface's pixels,
// shifted by the origin. A canvas comes from a Bitmap; inside the runtime,
// makePainterCanvas (QtGraphics.h) wraps a widget's painter. The background
// of text and hatches starts transparent, white.
class Canvas {
public:
    class Impl;
    explicit Canvas(std::unique_ptr<Impl> impl);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Pen pen;
    Brush brush;
    Font font;

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    TPoint penPos() const;
    void polyline(const std::vector<TPoint>& points);
    // Several poly-lines in one operation: counts[i] points of `points` make
    // poly-line i. A horizontal or vertical segment covers the pixels lineTo
    // covers along it (its larger end excluded) and pen.width pixels across,
    // starting pen.width / 2 before the line.
    void polyPolyline(const std::vector<TPoint>& points, const std::vector<int>& counts);
    void polygon(const std::vector<TPoint>& points); // outlined with pen, filled with brush
    // Outline with the pen, fill with the brush.
    void rectangle(const TRect& r);
    void fillRect(const TRect& r); // brush only
    void frameRect(const TRect& r); // one-pixel outline in the brush colour
    void ellipse(const TRect& r);
    // Corners are quarter ellipses of this width and height.
    void roundRect(const TRect& r, int cornerWidth, int cornerHeight);
    void setPixel(int x, int y, TColor color);
    TColor pixel(int x, int y) const;

    void setTextAlign(unsigned flags);
    unsigned textAlign() const;
    void setBackgroundColor(TColor color);
    TColor backgroundColor() const;
    void setBackgroundTransparent(bool transparent);
    bool backgroundTransparent() const;
    void textOut(int x, int y, const std::string& text);
    // Text clipped to r, drawn at (x, y); opaque fills r with the brush first.
    void textRect(const TRect& r, int x, int y, const std::string& text, bool opaque = false);
    int textWidth(const std::string& text);
    int textHeight(const std::string& text);
    int fontAscent();
    int fontDescent();

    void draw(int x, int y, const Bitmap& bitmap);
    // Width x height plain colours (0x00BBGGRR) row by row from the top, drawn at (x, y)
    // straight from the caller's memory: no bitmap is built for them.
    void drawPixels(int x, int y, int width, int height, const TColor* pixels);
    void drawTransparent(int x, int y, const Bitmap& bitmap, TColor transparentColor);
    // Block copy of src's rectangle to dst here (stretched when the sizes differ).
    void copyRect(const TRect& dst, const Bitmap& source, const TRect& src);
    void stretchDraw(const TRect& dst, const Bitmap& bitmap);

    // Clipping; the region intersects the current one. Rectangles are shifted by
    // the origin, regions are in device pixels. A canvas handed to a control's
    // paint is clipped to the part of the control being repainted.
    void intersectClipRect(const TRect& r);
    void setClipRegion(const Region& region);
    // Back to no clipping of one's own; a paint's region stays.
    void clearClip();
    TRect clipBox() const;
    // Whether any pixel of r can be painted (it meets the clip region).
    bool rectVisible(const TRect& r) const;

    void setOrigin(int x, int y); // subsequent coordinates are shifted by it
    TPoint origin() const;

    Impl& impl() { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace qv
