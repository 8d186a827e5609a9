#include "runtime/graphics/Canvas.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/QtGraphics.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qv {

QPainter& Canvas::Impl::painter()
{
    if (m_external)
        return *m_external;
    if (!m_own) {
        m_own = std::make_unique<QPainter>(m_image);
        clipChanged = true;
    }
    return *m_own;
}

void Canvas::Impl::end()
{
    if (m_own) {
        m_own->end();
        m_own.reset();
    }
}

QRect Canvas::Impl::deviceRect() const
{
    if (m_image)
        return m_image->rect();
    if (m_external && m_external->device())
        return QRect(0, 0, m_external->device()->width(), m_external->device()->height());
    return QRect();
}

QFont Canvas::Impl::cachedQFont(const Font& font)
{
    if (!m_fontKey || !(*m_fontKey == font)) {
        m_qfont = toQFont(font);
        m_fontKey = font;
    }
    return m_qfont;
}

namespace {

QPainter::CompositionMode compositionFor(PenMode mode)
{
    switch (mode) {
    case PenMode::NotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case PenMode::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    case PenMode::Not:
        return QPainter::RasterOp_NotDestination;
    case PenMode::Copy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

QVector<qreal> dashesFor(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash:
        return {18, 6};
    case PenStyle::Dot:
        return {1, 1};
    case PenStyle::DashDot:
        return {9, 6, 3, 6};
    case PenStyle::DashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

bool drawsNothing(const Pen& pen) { return pen.style == PenStyle::Clear; }

QPen toQPen(const Pen& pen)
{
    if (drawsNothing(pen))
        return QPen(Qt::NoPen);
    // Flat caps leave the end pixel of a line unpainted, so joined lines never paint a pixel twice.
    QPen q(toQColor(pen.color), std::max(1, pen.width), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    QVector<qreal> dashes = pen.cosmeticDots ? QVector<qreal>{1, 1} : dashesFor(pen.style);
    if (!dashes.isEmpty() && q.width() == 1)
        q.setDashPattern(dashes);
    return q;
}

Qt::BrushStyle toQtBrushStyle(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Solid:
        return Qt::SolidPattern;
    case BrushStyle::Clear:
        return Qt::NoBrush;
    case BrushStyle::Horizontal:
        return Qt::HorPattern;
    case BrushStyle::Vertical:
        return Qt::VerPattern;
    case BrushStyle::FDiagonal:
        return Qt::FDiagPattern;
    case BrushStyle::BDiagonal:
        return Qt::BDiagPattern;
    case BrushStyle::Cross:
        return Qt::CrossPattern;
    case BrushStyle::DiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

QBrush toQBrush(const Brush& brush)
{
    if (brush.bitmap && !brush.bitmap->isEmpty())
        return QBrush(brush.bitmap->impl().settled());
    return QBrush(toQColor(brush.color), toQtBrushStyle(brush.style));
}

bool isHatch(const Brush& brush)
{
    return !brush.bitmap && brush.style != BrushStyle::Solid && brush.style != BrushStyle::Clear;
}

} // namespace

Canvas::Canvas(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

Canvas::~Canvas() = default;

// Opens the painter with the canvas' clip, ready for one operation; nullptr
// when there is nothing to paint on (an empty picture).
static QPainter* prepared(Canvas::Impl& impl)
{
    if (impl.deviceRect().isEmpty())
        return nullptr;
    QPainter& p = impl.painter();
    if (impl.clipChanged) {
        if (impl.clip)
            p.setClipRegion(*impl.clip);
        else
            p.setClipping(false);
        impl.clipChanged = false;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    return &p;
}

static void selectPen(QPainter& p, const Pen& pen)
{
    p.setPen(toQPen(pen));
    p.setBrush(Qt::NoBrush);
    p.setCompositionMode(compositionFor(pen.mode));
}

// Fills device rectangle r with the brush, hatches on the background colour when opaque.
static void fillDevice(Canvas::Impl& impl, const Brush& brush, const QRect& r)
{
    if (brush.style == BrushStyle::Clear && !brush.bitmap)
        return;
    if (r.isEmpty())
        return;
    QPainter* painter = prepared(impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (isHatch(brush) && !impl.backgroundTransparent)
        p.fillRect(r, toQColor(impl.backgroundColor));
    p.fillRect(r, toQBrush(brush));
}

void Canvas::moveTo(int x, int y) { m_impl->penPos = {x, y}; }

void Canvas::lineTo(int x, int y)
{
    TPoint from = m_impl->penPos;
    m_impl->penPos = {x, y};
    if (drawsNothing(pen) || (from.x == x && from.y == y))
        return;
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    selectPen(p, pen);
    QPoint o(m_impl->origin.x, m_impl->origin.y);
    p.drawLine(QPoint(from.x, from.y) + o, QPoint(x, y) + o);
}

TPoint Canvas::penPos() const { return m_impl->penPos; }

void Canvas::polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    TPoint saved = m_impl->penPos;
    moveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        lineTo(points[i].x, points[i].y);
    m_impl->penPos = saved;
}

namespace {

bool axisParallel(QPoint a, QPoint b) { return a.x() == b.x() || a.y() == b.y(); }

// The pixels a pen of `width` covers along an axis-parallel segment: from the
// smaller end up to the larger one, excluded, whichever way it runs (as lineTo).
QRect segmentPixels(QPoint a, QPoint b, int width)
{
    int before = width / 2;
    if (a.y() == b.y())
        return QRect(std::min(a.x(), b.x()), a.y() - before, std::abs(a.x() - b.x()), width);
    return QRect(a.x() - before, std::min(a.y(), b.y()), width, std::abs(a.y() - b.y()));
}

} // namespace

void Canvas::polyPolyline(const std::vector<TPoint>& points, const std::vector<int>& counts)
{
    if (drawsNothing(pen) || points.empty())
        return;
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    QPoint o(m_impl->origin.x, m_impl->origin.y);
    bool plain = pen.style == PenStyle::Solid || pen.style == PenStyle::InsideFrame;
    plain = plain && pen.mode == PenMode::Copy && !pen.cosmeticDots;
    // Grid-like lines are filled as the exact rectangles they cover, all at
    // once; anything else is stroked run by run.
    QVector<QRect> rects;
    QVector<QPolygon> runs;
    size_t next = 0;
    for (int count : counts) {
        if (count <= 0)
            continue;
        size_t end = std::min(points.size(), next + static_cast<size_t>(count));
        QPolygon run;
        for (size_t i = next; i < end; ++i)
            run << QPoint(points[i].x, points[i].y) + o;
        next = end;
        bool straight = plain;
        for (int i = 1; straight && i < run.size(); ++i)
            straight = axisParallel(run[i - 1], run[i]);
        if (!straight) {
            runs << run;
            continue;
        }
        for (int i = 1; i < run.size(); ++i)
            if (run[i - 1] != run[i])
                rects << segmentPixels(run[i - 1], run[i], std::max(1, pen.width));
    }
    if (!rects.isEmpty()) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(pen.color));
        p.drawRects(rects);
    }
    if (runs.isEmpty())
        return;
    selectPen(p, pen);
    for (const QPolygon& run : runs)
        p.drawPolyline(run);
}

void Canvas::polygon(const std::vector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    QPolygon poly;
    for (TPoint pt : points)
        poly << QPoint(pt.x + m_impl->origin.x, pt.y + m_impl->origin.y);
    if (brush.style != BrushStyle::Clear || brush.bitmap) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(Qt::NoPen);
        p.setBrush(toQBrush(brush));
        p.drawPolygon(poly);
    }
    if (drawsNothing(pen))
        return;
    selectPen(p, pen);
    p.drawPolygon(poly);
}

void Canvas::rectangle(const TRect& r)
{
    if (r.isEmpty())
        return;
    QRect device = toQRect(r).translated(m_impl->origin.x, m_impl->origin.y);
    if (drawsNothing(pen)) {
        fillDevice(*m_impl, brush, device);
        return;
    }
    // The outline lies inside the rectangle, each pixel painted once so that
    // xor-style modes can undo it by drawing again.
    int w = std::min({std::max(1, pen.width), device.width(), device.height()});
    fillDevice(*m_impl, brush, device.adjusted(w, w, -w, -w));
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    p.setCompositionMode(compositionFor(pen.mode));
    QColor c = toQColor(pen.color);
    int l = device.left(), t = device.top(), rr = l + device.width(), b = t + device.height();
    p.fillRect(QRect(l, t, rr - l, w), c);
    int bottomTop = std::max(t + w, b - w);
    if (b > bottomTop)
        p.fillRect(QRect(l, bottomTop, rr - l, b - bottomTop), c);
    int inner = bottomTop - (t + w);
    if (inner > 0) {
        p.fillRect(QRect(l, t + w, w, inner), c);
        int rightLeft = std::max(l + w, rr - w);
        if (rr > rightLeft)
            p.fillRect(QRect(rightLeft, t + w, rr - rightLeft, inner), c);
    }
}

void Canvas::fillRect(const TRect& r)
{
    fillDevice(*m_impl, brush, toQRect(r).translated(m_impl->origin.x, m_impl->origin.y));
}

void Canvas::frameRect(const TRect& r)
{
    if (r.isEmpty())
        return;
    Pen saved = pen;
    Brush savedBrush = brush;
    pen = Pen{brush.color, 1, PenStyle::Solid, PenMode::Copy, false};
    brush.style = BrushStyle::Clear;
    brush.bitmap = nullptr;
    rectangle(r);
    pen = saved;
    brush = savedBrush;
}

void Canvas::ellipse(const TRect& r)
{
    if (r.isEmpty())
        return;
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    QRect device = toQRect(r).translated(m_impl->origin.x, m_impl->origin.y);
    selectPen(p, pen);
    if (brush.style != BrushStyle::Clear || brush.bitmap)
        p.setBrush(toQBrush(brush));
    p.drawEllipse(device.adjusted(0, 0, -1, -1));
}

void Canvas::roundRect(const TRect& r, int cornerWidth, int cornerHeight)
{
    if (r.isEmpty())
        return;
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    QRect device = toQRect(r).translated(m_impl->origin.x, m_impl->origin.y);
    selectPen(p, pen);
    if (brush.style != BrushStyle::Clear || brush.bitmap)
        p.setBrush(toQBrush(brush));
    double rx = std::clamp(cornerWidth / 2.0, 0.0, device.width() / 2.0);
    double ry = std::clamp(cornerHeight / 2.0, 0.0, device.height() / 2.0);
    p.drawRoundedRect(QRectF(device.adjusted(0, 0, -1, -1)), rx, ry);
}

void Canvas::setPixel(int x, int y, TColor color)
{
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(x + m_impl->origin.x, y + m_impl->origin.y, 1, 1), toQColor(color));
}

TColor Canvas::pixel(int x, int y) const
{
    const QImage* image = m_impl->image();
    QPoint d(x + m_impl->origin.x, y + m_impl->origin.y);
    if (!image || !image->rect().contains(d))
        return clBlack;
    return fromQRgb(image->pixel(d));
}

void Canvas::setTextAlign(unsigned flags) { m_impl->textAlign = flags; }
unsigned Canvas::textAlign() const { return m_impl->textAlign; }
void Canvas::setBackgroundColor(TColor color) { m_impl->backgroundColor = color; }
TColor Canvas::backgroundColor() const { return m_impl->backgroundColor; }
void Canvas::setBackgroundTransparent(bool transparent) { m_impl->backgroundTransparent = transparent; }
bool Canvas::backgroundTransparent() const { return m_impl->backgroundTransparent; }

void Canvas::textOut(int x, int y, const std::string& text)
{
    if (text.empty())
        return;
    QFont qf = m_impl->cachedQFont(font);
    QFontMetrics fm(qf);
    QString s = QString::fromStdString(text);
    int w = fm.horizontalAdvance(s);
    int h = fm.ascent() + fm.descent();
    unsigned align = m_impl->textAlign;
    // Offsets of the text cell's top-left corner from the reference point.
    int dx = (align & taRight) ? -w : (align & taCenter) ? -w / 2 : 0;
    int dy = (align & taBaseline) ? -fm.ascent() : (align & taBottom) ? -h : 0;

    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    p.save();
    p.translate(x + m_impl->origin.x, y + m_impl->origin.y);
    if (font.orientation != 0)
        p.rotate(-font.orientation / 10.0);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!m_impl->backgroundTransparent)
        p.fillRect(QRect(dx, dy, w, h), toQColor(m_impl->backgroundColor));
    p.setFont(qf);
    p.setPen(toQColor(font.color));
    p.drawText(QPoint(dx, dy + fm.ascent()), s);
    p.restore();
}

void Canvas::textRect(const TRect& r, int x, int y, const std::string& text, bool opaque)
{
    if (opaque)
        fillRect(r);
    QRect device = toQRect(r).translated(m_impl->origin.x, m_impl->origin.y);
    std::optional<QRegion> saved = m_impl->clip;
    QRegion limited = saved ? saved->intersected(device) : QRegion(device);
    m_impl->clip = limited;
    m_impl->clipChanged = true;
    textOut(x, y, text);
    m_impl->clip = saved;
    m_impl->clipChanged = true;
}

int Canvas::textWidth(const std::string& text)
{
    if (text.empty())
        return 0;
    return QFontMetrics(m_impl->cachedQFont(font)).horizontalAdvance(QString::fromStdString(text));
}

int Canvas::textHeight(const std::string&)
{
    QFontMetrics fm(m_impl->cachedQFont(font));
    return fm.ascent() + fm.descent();
}

int Canvas::fontAscent() { return QFontMetrics(m_impl->cachedQFont(font)).ascent(); }
int Canvas::fontDescent() { return QFontMetrics(m_impl->cachedQFont(font)).descent(); }

void Canvas::draw(int x, int y, const Bitmap& bitmap)
{
    if (bitmap.isEmpty())
        return;
    copyRect(TRect{x, y, x + bitmap.width(), y + bitmap.height()}, bitmap,
             TRect{0, 0, bitmap.width(), bitmap.height()});
}

void Canvas::drawPixels(int x, int y, int width, int height, const TColor* pixels)
{
    if (width <= 0 || height <= 0 || !pixels)
        return;
    // 0x00BBGGRR in memory is R, G, B, X: the toolkit reads it as is, the X byte as opaque.
    static_assert(sizeof(TColor) == 4);
    QImage const view(reinterpret_cast<const uchar*>(pixels), width, height, width * 4, QImage::Format_RGBX8888);
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(QPoint(x + m_impl->origin.x, y + m_impl->origin.y), view);
}

void Canvas::drawTransparent(int x, int y, const Bitmap& bitmap, TColor transparentColor)
{
    if (bitmap.isEmpty())
        return;
    QImage masked = bitmap.impl().settled().convertToFormat(QImage::Format_ARGB32);
    QRgb key = toQColor(transparentColor).rgb() & 0x00FFFFFFu;
    for (int row = 0; row < masked.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
        for (int col = 0; col < masked.width(); ++col) {
            if ((line[col] & 0x00FFFFFFu) == key)
                line[col] = 0;
        }
    }
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(x + m_impl->origin.x, y + m_impl->origin.y), masked);
}

void Canvas::copyRect(const TRect& dst, const Bitmap& source, const TRect& src)
{
    if (dst.isEmpty() || src.isEmpty() || source.isEmpty())
        return;
    const QImage& image = source.impl().settled();
    QRect from = toQRect(src);
    QRect target = toQRect(dst).translated(m_impl->origin.x, m_impl->origin.y);
    // Copying within one picture works on a copy of the source part, so it reads before it writes.
    QImage part;
    const QImage* pixels = &image;
    if (&image == m_impl->image()) {
        part = image.copy(from);
        pixels = &part;
        from = part.rect();
    }
    QPainter* painter = prepared(*m_impl);
    if (!painter)
        return;
    QPainter& p = *painter;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (target.size() == from.size())
        p.drawImage(target.topLeft(), *pixels, from);
    else
        p.drawImage(target, *pixels, from);
}

void Canvas::stretchDraw(const TRect& dst, const Bitmap& bitmap)
{
    copyRect(dst, bitmap, TRect{0, 0, bitmap.width(), bitmap.height()});
}

void Canvas::intersectClipRect(const TRect& r)
{
    QRect device = toQRect(r).translated(m_impl->origin.x, m_impl->origin.y);
    m_impl->clip = m_impl->currentClip().intersected(device);
    m_impl->clipChanged = true;
}

void Canvas::setClipRegion(const Region& region)
{
    m_impl->clip = m_impl->currentClip().intersected(region.impl().region);
    m_impl->clipChanged = true;
}

void Canvas::clearClip()
{
    m_impl->clip = m_impl->systemClip;
    m_impl->clipChanged = true;
}

bool Canvas::rectVisible(const TRect& r) const
{
    if (r.isEmpty())
        return false;
    QRect device = toQRect(r).translated(m_impl->origin.x, m_impl->origin.y);
    return m_impl->currentClip().intersects(device);
}

TRect Canvas::clipBox() const
{
    QRect box = m_impl->clip ? m_impl->clip->boundingRect() : m_impl->deviceRect();
    return fromQRect(box.translated(-m_impl->origin.x, -m_impl->origin.y));
}

void Canvas::setOrigin(int x, int y) { m_impl->origin = {x, y}; }
TPoint Canvas::origin() const { return m_impl->origin; }

std::unique_ptr<Canvas> makePainterCanvas(QPainter& painter)
{
    ensureGraphicsApplication();
    return std::make_unique<Canvas>(std::make_unique<Canvas::Impl>(painter));
}

} // namespace qv
