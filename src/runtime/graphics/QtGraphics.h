#pragma once

// Private to the runtime: the Qt side of the drawing layer. Code outside
// src/runtime/ never includes this header.

#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/Canvas.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <optional>

namespace qv {

QColor toQColor(TColor color);
TColor fromQRgb(QRgb rgb);
QFont toQFont(const Font& font);
QRect toQRect(const TRect& r);
TRect fromQRect(const QRect& r);

// Text, fonts and pixmaps need a GUI application object. A windowed program
// creates its QApplication first; a command-line tool gets an off-screen one here.
void ensureGraphicsApplication();

// Drawing state behind a Canvas: either an image owned by a Bitmap (a painter
// is opened lazily and closed whenever the image is read from outside), or a
// painter someone else keeps open, e.g. on a widget during its paint event.
class Canvas::Impl {
public:
    explicit Impl(QImage& image) : m_image(&image) {}
    explicit Impl(QPainter& painter) : m_external(&painter) {}
    ~Impl() { end(); }

    QPainter& painter();
    // Closes the lazily opened painter so the image may be read, copied or resized.
    void end();
    QImage* image() const { return m_image; }
    QRect deviceRect() const;

    TPoint penPos;
    TPoint origin;
    unsigned textAlign = 0;
    TColor backgroundColor = clWhite;
    bool backgroundTransparent = true;
    std::optional<QRegion> clip; // device pixels
    bool clipChanged = true;
    // The region a paint was asked for; every clip stays inside it.
    std::optional<QRegion> systemClip;
    void setSystemClip(const QRegion& region)
    {
        systemClip = region;
        clip = region;
        clipChanged = true;
    }
    QRegion currentClip() const { return clip ? *clip : QRegion(deviceRect()); }

    QFont cachedQFont(const Font& font);

private:
    QImage* m_image = nullptr;
    QPainter* m_external = nullptr;
    std::unique_ptr<QPainter> m_own;
    std::optional<Font> m_fontKey;
    QFont m_qfont;
};

class Bitmap::Impl {
public:
    QImage image{};
    Canvas::Impl* canvas = nullptr;
    // The pixels as they are now, painter closed.
    const QImage& settled() const
    {
        canvas->end();
        return image;
    }
};

class Region::Impl {
public:
    QRegion region;
};

// A canvas drawing through a painter that the caller keeps active (a widget's
// paint event). Reading pixels back works only when the painter's device is an image.
std::unique_ptr<Canvas> makePainterCanvas(QPainter& painter);

} // namespace qv
