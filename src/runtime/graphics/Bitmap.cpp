#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/QtGraphics.h"
#include "runtime/core/Exception.h"
#include "runtime/core/TextFile.h"

#include <algorithm>

#include <QBuffer>
#include <QByteArray>
#include <QFile>

namespace qv {

namespace {

QImage blankImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

Bitmap::Bitmap() : Bitmap(0, 0) {}

Bitmap::Bitmap(int width, int height) : m_impl(std::make_unique<Impl>())
{
    ensureGraphicsApplication();
    m_impl->image = blankImage(width, height);
    auto canvasImpl = std::make_unique<Canvas::Impl>(m_impl->image);
    m_impl->canvas = canvasImpl.get();
    m_canvas = std::make_unique<Canvas>(std::move(canvasImpl));
}

Bitmap::~Bitmap()
{
    // The canvas' painter must close before the image it paints on goes away.
    m_canvas.reset();
}

Bitmap::Bitmap(const Bitmap& other) : Bitmap(0, 0)
{
    m_impl->image = other.impl().settled().copy();
}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this == &other)
        return *this;
    m_impl->canvas->end();
    m_impl->image = other.impl().settled().copy();
    return *this;
}

int Bitmap::width() const { return m_impl->image.width(); }
int Bitmap::height() const { return m_impl->image.height(); }

void Bitmap::setSize(int width, int height)
{
    if (width == this->width() && height == this->height())
        return;
    m_impl->canvas->end();
    m_impl->image = blankImage(width, height);
}

Canvas& Bitmap::canvas() { return *m_canvas; }

TColor Bitmap::pixel(int x, int y) const
{
    const QImage& image = m_impl->image;
    if (!image.rect().contains(x, y))
        return clBlack;
    return fromQRgb(image.pixel(x, y));
}

void Bitmap::setPixel(int x, int y, TColor color)
{
    if (!m_impl->image.rect().contains(x, y))
        return;
    m_impl->canvas->end();
    m_impl->image.setPixel(x, y, toQColor(color).rgb());
}

void Bitmap::assignPixels(int width, int height, const TColor* pixels, size_t count)
{
    m_impl->canvas->end();
    m_impl->image = blankImage(width, height);
    QImage& image = m_impl->image;
    if (image.isNull())
        return;
    size_t const w = size_t(image.width());
    for (size_t y = 0, rows = size_t(image.height()); y < rows && y * w < count; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        const TColor* from = pixels + y * w;
        size_t const n = std::min(w, count - y * w);
        for (size_t x = 0; x < n; ++x) {
            TColor const c = from[x];
            line[x] = 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
        }
    }
}

std::vector<TColor> Bitmap::pixels() const
{
    const QImage& image = m_impl->settled();
    int const width = std::max(0, image.width());
    int const height = std::max(0, image.height());
    std::vector<TColor> colours(size_t(width) * size_t(height));
    bool const plain = image.format() == QImage::Format_RGB32;
    TColor* to = colours.data();
    for (int y = 0; y < height; ++y) {
        auto const* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb const p = plain ? line[x] : image.pixel(x, y);
            *to++ = ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
        }
    }
    return colours;
}

void Bitmap::loadFromBmpData(const std::string& bytes)
{
    QImage loaded;
    if (!loaded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP"))
        throw Exception("Bitmap image is not valid");
    m_impl->canvas->end();
    m_impl->image = loaded.convertToFormat(QImage::Format_RGB32);
}

void Bitmap::loadFromFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.exists())
        throw EInOutError("File not found", 2);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError("File access denied", 5);
    QByteArray data = file.readAll();
    QImage loaded;
    if (!loaded.loadFromData(data))
        throw Exception("Bitmap image is not valid");
    m_impl->canvas->end();
    m_impl->image = loaded.convertToFormat(QImage::Format_RGB32);
}

void Bitmap::saveToPng(const std::string& path) const
{
    // Encoded in memory first: the file is replaced only by a whole image.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!m_impl->settled().save(&buffer, "PNG"))
        throw EInOutError("Cannot create file \"" + path + "\"", 5);
    replaceFileAtomically(path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

Region::Region() : m_impl(std::make_unique<Impl>()) {}

Region::Region(const TRect& r) : Region() { m_impl->region = QRegion(toQRect(r)); }

Region::~Region() = default;

Region::Region(const Region& other) : Region() { m_impl->region = other.m_impl->region; }

Region& Region::operator=(const Region& other)
{
    m_impl->region = other.m_impl->region;
    return *this;
}

void Region::unite(const Region& other) { m_impl->region = m_impl->region.united(other.m_impl->region); }
void Region::intersect(const Region& other) { m_impl->region = m_impl->region.intersected(other.m_impl->region); }
void Region::subtract(const Region& other) { m_impl->region = m_impl->region.subtracted(other.m_impl->region); }
void Region::offset(int dx, int dy) { m_impl->region.translate(dx, dy); }
bool Region::contains(TPoint p) const { return m_impl->region.contains(QPoint(p.x, p.y)); }
bool Region::isEmpty() const { return m_impl->region.isEmpty(); }
TRect Region::boundingRect() const { return fromQRect(m_impl->region.boundingRect()); }

} // namespace qv
