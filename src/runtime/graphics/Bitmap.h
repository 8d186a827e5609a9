#pragma once

#include "runtime/graphics/Canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

// Off-screen 32-bit picture with its own canvas.
class Bitmap {
public:
    Bitmap();
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);

    int width() const;
    int height() const;
    bool isEmpty() const { return width() == 0 || height() == 0; }
    // Resizing discards the contents.
    void setSize(int width, int height);
    Canvas& canvas();
    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);

    // Replaces the picture by width x height plain colours (0x00BBGGRR), row by row
    // from the top; fewer colours than pixels leave the rest white.
    void assignPixels(int width, int height, const TColor* pixels, size_t count);
    // All colours row by row from the top, as pixel() gives them, in one pass.
    std::vector<TColor> pixels() const;
    // Raise EInOutError/Exception with a clear text when the data is not a picture.
    void loadFromBmpData(const std::string& bytes);
    void loadFromFile(const std::string& path);
    void saveToPng(const std::string& path) const;

    class Impl;
    Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
    std::unique_ptr<Canvas> m_canvas;
};

// A set of pixels built from rectangles, used for clipping and window shapes.
class Region {
public:
    Region();
    explicit Region(const TRect& r);
    ~Region();
    Region(const Region& other);
    Region& operator=(const Region& other);

    void unite(const Region& other);
    void intersect(const Region& other);
    void subtract(const Region& other);
    void offset(int dx, int dy);
    bool contains(TPoint p) const;
    bool isEmpty() const;
    TRect boundingRect() const;

    class Impl;
    Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace qv
