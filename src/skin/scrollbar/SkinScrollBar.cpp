#include "skin/scrollbar/SkinScrollBar.h"

#include "runtime/core/Property.h"
#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/model/SkinControlData.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int buttonSize = 16;
constexpr int plainThumbLength = 16;

// Halves go to the even neighbour.
int nearest(double x) { return roundHalfEven(x); }

} // namespace

TbsSkinScrollBar::TbsSkinScrollBar(TWinControl* parent) : TbsSkinControl(parent, "hscrollbar")
{
    setFitsSection(true);
    setDefaultHeight(19);
    setBounds(0, 0, 200, 19);
    m_timer.onTimer = [this] { repeatTick(); };
}

void TbsSkinScrollBar::setBounds(int left, int top, int width, int height)
{
    m_askedWidth = width;
    m_askedHeight = height;
    TbsSkinControl::setBounds(left, top, width, height);
}

void TbsSkinScrollBar::setKind(TScrollBarKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    // The default size across the bar goes with it to the other side.
    int across = vertical() ? DefaultHeight() : DefaultWidth();
    setDefaultWidth(vertical() ? across : 0);
    setDefaultHeight(vertical() ? 0 : across);
    // From the size asked for, not the one a section or default allowed the old kind.
    int w = m_askedWidth;
    int h = m_askedHeight;
    if ((vertical() && w > h) || (!vertical() && h > w))
        std::swap(w, h);
    skin().setSkinDataName(vertical() ? "vscrollbar" : "hscrollbar");
    setBounds(left(), top(), w, h);
    // The other section may be masked even where the size stayed.
    updateRegion();
    invalidate();
}

void TbsSkinScrollBar::setPosition(int value)
{
    int high = m_pageSize > 0 ? m_max - m_pageSize + 1 : m_max;
    value = std::max(m_min, std::min(value, high));
    if (value == m_position)
        return;
    m_position = value;
    invalidate();
    if (onChange)
        onChange();
}

void TbsSkinScrollBar::setMin(int value)
{
    if (!assignChanged(m_min, value))
        return;
    invalidate();
    if (m_position < m_min)
        setPosition(m_min);
}

void TbsSkinScrollBar::setMax(int value)
{
    if (!assignChanged(m_max, value))
        return;
    invalidate();
    if (m_pageSize > 0) {
        if (m_max - m_min < m_pageSize + m_position)
            setPosition(std::max(m_min, m_max - m_min - m_pageSize + 1));
        return;
    }
    if (m_position > m_max)
        setPosition(m_max);
}

void TbsSkinScrollBar::setPageSize(int value)
{
    if (m_max - m_min + 1 < value + m_position)
        return;
    if (assignChanged(m_pageSize, value))
        invalidate();
}

void TbsSkinScrollBar::setSmallChange(int value)
{
    if (assignChanged(m_smallChange, value))
        invalidate();
}

void TbsSkinScrollBar::setLargeChange(int value)
{
    if (assignChanged(m_largeChange, value))
        invalidate();
}

void TbsSkinScrollBar::setCanFocused(bool value)
{
    if (assignChanged(m_canFocused, value))
        setTabStop(value);
}

void TbsSkinScrollBar::setRange(int min, int max, int pageSize, int position)
{
    m_min = min;
    m_max = std::max(min, max);
    m_pageSize = std::max(0, pageSize);
    int high = m_pageSize > 0 ? m_max - m_pageSize + 1 : m_max;
    m_position = std::max(m_min, std::min(position, high));
    invalidate();
}

// ---- skin ----

namespace {

const TRect& orElse(const TRect& r, const TRect& fallback) { return r.isEmpty() ? fallback : r; }

} // namespace

void TbsSkinScrollBar::bindSection()
{
    TbsSkinControl::bindSection();
    m_look = Look{};
    auto* s = skin().section<TbsDataSkinScrollBarControl>();
    if (!s)
        return;
    m_look.bound = true;
    m_look.trackArea = s->TrackArea;
    m_look.upButtonArea = s->UpButtonRect;
    m_look.downButtonArea = s->DownButtonRect;
    m_look.upButton = StateImages{TRect{}, s->ActiveUpButtonRect, orElse(s->DownUpButtonRect, s->ActiveUpButtonRect)};
    m_look.downButton
        = StateImages{TRect{}, s->ActiveDownButtonRect, orElse(s->DownDownButtonRect, s->ActiveDownButtonRect)};
    const TRect& activeThumb = orElse(s->ActiveThumbRect, s->ThumbRect);
    m_look.thumb = StateImages{s->ThumbRect, activeThumb, orElse(s->DownThumbRect, activeThumb)};
    const TRect& activeGlyph = orElse(s->ActiveGlyphRect, s->GlyphRect);
    m_look.glyph = StateImages{s->GlyphRect, activeGlyph, orElse(s->DownGlyphRect, activeGlyph)};
    m_look.thumbOffset1 = s->ThumbOffset1;
    m_look.thumbOffset2 = s->ThumbOffset2;
}

void TbsSkinScrollBar::skinChanged()
{
    TbsSkinControl::skinChanged();
    updateRegion();
}

void TbsSkinScrollBar::skinChangeBegins()
{
    TbsSkinControl::skinChangeBegins();
    m_look = Look{};
    m_masked = false;
    m_region = Region();
}

void TbsSkinScrollBar::resized()
{
    updateRegion();
    invalidate();
}

void TbsSkinScrollBar::updateRegion()
{
    const TbsSkinSectionPieces& pieces = skin().pieces();
    m_masked = m_look.bound && pieces.mask;
    m_region = m_masked
        ? toRegion(pieceRegion(pieces.mask, pieces.fields, pieces.mode, pieces.geometry(width(), height())))
        : Region();
    // Outside its shape the bar shows what lies behind it.
    setTransparent(m_masked);
}

// ---- geometry ----

TRect TbsSkinScrollBar::oriented(int alongFrom, int alongTo, int acrossFrom, int acrossTo) const
{
    if (vertical())
        return TRect{acrossFrom, alongFrom, acrossTo, alongTo};
    return TRect{alongFrom, acrossFrom, alongTo, acrossTo};
}

int TbsSkinScrollBar::growth() const
{
    const TbsPieceFields& f = skin().pieces().fields;
    return barLength() - (vertical() ? f.sh() : f.sw());
}

TRect TbsSkinScrollBar::afterStretch(const TRect& r) const
{
    const TbsPieceFields& f = skin().pieces().fields;
    if (alongStart(r) < (vertical() ? f.LB.y : f.RT.x))
        return r;
    int d = growth();
    return oriented(alongStart(r) + d, alongEnd(r) + d, acrossStart(r), acrossEnd(r));
}

TRect TbsSkinScrollBar::trackArea() const
{
    if (m_look.bound) {
        const TRect& t = m_look.trackArea;
        return oriented(alongStart(t), alongEnd(t) + growth(), acrossStart(t), acrossEnd(t));
    }
    return oriented(1 + buttonSize, barLength() - 1 - buttonSize, 1, barBreadth() - 1);
}

int TbsSkinScrollBar::trackStart() const { return alongStart(trackArea()); }
int TbsSkinScrollBar::trackEnd() const { return alongEnd(trackArea()); }

int TbsSkinScrollBar::minThumbLength() const
{
    if (!m_look.bound)
        return plainThumbLength;
    const TRect& t = m_look.thumb.normal;
    return alongEnd(t) - alongStart(t);
}

int TbsSkinScrollBar::thumbLength() const
{
    // Max may be set below Min; such a range has no page to show.
    int range = m_max - m_min + 1;
    if (m_pageSize <= 0 || range <= 0)
        return minThumbLength();
    int length = nearest(double(trackEnd() - trackStart()) * m_pageSize / double(range));
    return std::max(length, minThumbLength());
}

int TbsSkinScrollBar::firstCentre() const { return trackStart() + thumbLength() / 2; }
int TbsSkinScrollBar::lastCentre() const { return trackEnd() - thumbLength() / 2; }

int TbsSkinScrollBar::thumbOffset() const
{
    double fraction = 0;
    if (m_pageSize <= 0) {
        if (m_max != m_min)
            fraction = double(m_position - m_min) / double(m_max - m_min);
    } else {
        int denominator = m_max - m_pageSize - m_min + 1;
        if (denominator > 0)
            fraction = double(m_position - m_min) / double(denominator);
        else
            fraction = vertical() ? 0 : 1;
    }
    return nearest(fraction * (lastCentre() - firstCentre()));
}

TRect TbsSkinScrollBar::partRect(int part) const
{
    switch (part) {
    case partDown:
        if (m_look.bound)
            return afterStretch(m_look.downButtonArea);
        return oriented(1, 1 + buttonSize, 1, barBreadth() - 1);
    case partUp:
        if (m_look.bound)
            return afterStretch(m_look.upButtonArea);
        return oriented(barLength() - 1 - buttonSize, barLength() - 1, 1, barBreadth() - 1);
    case partThumb: {
        if (lastCentre() < firstCentre())
            return TRect{};
        int half = thumbLength() / 2;
        int centre = firstCentre() + thumbOffset();
        TRect track = trackArea();
        int from = acrossStart(track);
        int to = acrossEnd(track);
        // A skinned thumb keeps its picture's breadth, centred on the track.
        if (m_look.bound) {
            int breadth = acrossEnd(m_look.thumb.normal) - acrossStart(m_look.thumb.normal);
            from += (to - from - breadth) / 2;
            to = from + breadth;
        }
        return oriented(centre - half, centre + half, from, to);
    }
    default:
        return TRect{};
    }
}

int TbsSkinScrollBar::partAt(int x, int y) const
{
    TPoint p{x, y};
    if (enabled() && partRect(partThumb).contains(p))
        return partThumb;
    if (partRect(partUp).contains(p))
        return partUp;
    if (partRect(partDown).contains(p))
        return partDown;
    return partNone;
}

// ---- input ----

void TbsSkinScrollBar::stepUp()
{
    if (onUpButtonClick)
        onUpButtonClick();
    else
        setPosition(m_position + m_smallChange);
}

void TbsSkinScrollBar::stepDown()
{
    if (onDownButtonClick)
        onDownButtonClick();
    else
        setPosition(m_position - m_smallChange);
}

bool TbsSkinScrollBar::mouseBeforeThumb() const
{
    TRect thumb = partRect(partThumb);
    return trackArea().contains(m_mouse) && along(m_mouse.x, m_mouse.y) < alongStart(thumb);
}

bool TbsSkinScrollBar::mouseAfterThumb() const
{
    TRect thumb = partRect(partThumb);
    return trackArea().contains(m_mouse) && along(m_mouse.x, m_mouse.y) >= alongEnd(thumb);
}

void TbsSkinScrollBar::pageStep()
{
    if (m_repeat == Repeat::PageDown) {
        setPosition(m_position - m_largeChange);
        if (onPageUp)
            onPageUp();
    } else {
        setPosition(m_position + m_largeChange);
        if (onPageDown)
            onPageDown();
    }
}

void TbsSkinScrollBar::startRepeat(Repeat mode)
{
    m_repeat = mode;
    m_waiting = true;
    m_timer.setInterval(firstDelay);
    m_timer.setEnabled(true);
}

void TbsSkinScrollBar::stopRepeat()
{
    m_timer.setEnabled(false);
    m_repeat = Repeat::None;
    m_waiting = false;
}

void TbsSkinScrollBar::repeatTick()
{
    if (m_waiting) {
        m_waiting = false;
        m_timer.setInterval(repeatInterval);
    }
    switch (m_repeat) {
    case Repeat::UpStep:
        if (partRect(partUp).contains(m_mouse))
            stepUp();
        break;
    case Repeat::DownStep:
        if (partRect(partDown).contains(m_mouse))
            stepDown();
        break;
    case Repeat::PageDown:
        if (mouseBeforeThumb())
            pageStep();
        else
            stopRepeat();
        break;
    case Repeat::PageUp:
        if (mouseAfterThumb())
            pageStep();
        else
            stopRepeat();
        break;
    case Repeat::None:
        stopRepeat();
        break;
    }
}

void TbsSkinScrollBar::setActivePart(int part)
{
    if (part == m_activePart)
        return;
    for (int i = 0; i < 3; ++i)
        m_parts[i].active = i == part;
    m_activePart = part;
    invalidate();
}

void TbsSkinScrollBar::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseDown(button, shift, x, y);
    // The parts are where the section puts them now.
    bindSection();
    if (m_canFocused && canFocus() && !focused())
        setFocus();
    if (button != MouseButton::Left)
        return;
    m_mouse = TPoint{x, y};
    int part = partAt(x, y);
    if (part != partNone) {
        m_capturePart = part;
        m_parts[part].pressed = true;
        setActivePart(part);
        invalidate();
    }
    switch (part) {
    case partThumb:
        m_dragging = true;
        m_pressPos = along(x, y);
        m_pressOffset = thumbOffset();
        return;
    case partUp:
        stepUp();
        startRepeat(Repeat::UpStep);
        return;
    case partDown:
        stepDown();
        startRepeat(Repeat::DownStep);
        return;
    default:
        break;
    }
    if (!enabled())
        return;
    if (mouseBeforeThumb()) {
        m_repeat = Repeat::PageDown;
        pageStep();
        startRepeat(Repeat::PageDown);
    } else if (mouseAfterThumb()) {
        m_repeat = Repeat::PageUp;
        pageStep();
        startRepeat(Repeat::PageUp);
    }
}

void TbsSkinScrollBar::mouseMove(unsigned shift, int x, int y)
{
    TbsSkinControl::mouseMove(shift, x, y);
    m_mouse = TPoint{x, y};
    if (m_dragging) {
        int travel = lastCentre() - firstCentre();
        double fraction = 0;
        if (travel > 0)
            fraction = std::clamp(double(m_pressOffset + along(x, y) - m_pressPos) / travel, 0.0, 1.0);
        int span = m_pageSize > 0 ? m_max - m_min - m_pageSize + 1 : m_max - m_min;
        setPosition(m_min + nearest(fraction * span));
        return;
    }
    if (m_capturePart != partNone) {
        bool over = partRect(m_capturePart).contains(m_mouse);
        if (over != m_parts[m_capturePart].active) {
            m_parts[m_capturePart].active = over;
            m_activePart = over ? m_capturePart : partNone;
            invalidate();
        }
        return;
    }
    setActivePart(partAt(x, y));
}

void TbsSkinScrollBar::mouseUp(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseUp(button, shift, x, y);
    m_mouse = TPoint{x, y};
    stopRepeat();
    int captured = m_capturePart;
    m_capturePart = partNone;
    if (captured != partNone) {
        m_parts[captured].pressed = false;
        if (!partRect(captured).contains(m_mouse))
            setActivePart(partNone);
        invalidate();
    }
    bool wasDragging = m_dragging;
    m_dragging = false;
    if (wasDragging && captured == partThumb && onLastChange)
        onLastChange();
}

void TbsSkinScrollBar::mouseLeave()
{
    TbsSkinControl::mouseLeave();
    if (m_repeat == Repeat::PageDown || m_repeat == Repeat::PageUp)
        stopRepeat();
    if (m_capturePart != partNone || m_dragging)
        return;
    setActivePart(partNone);
}

void TbsSkinScrollBar::mouseWheel(int delta, unsigned shift)
{
    TbsSkinControl::mouseWheel(delta, shift);
    if (!m_canFocused || !focused())
        return;
    setPosition(m_position + (delta > 0 ? -m_smallChange : m_smallChange));
}

void TbsSkinScrollBar::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    if (!m_canFocused || !focused())
        return;
    if (key == VK_LEFT || key == VK_UP) {
        setPosition(m_position - m_smallChange);
        key = 0;
    } else if (key == VK_RIGHT || key == VK_DOWN) {
        setPosition(m_position + m_smallChange);
        key = 0;
    }
}

// ---- painting ----

void TbsSkinScrollBar::drawBox(Canvas& canvas, const TRect& r, bool down, bool hot)
{
    if (r.isEmpty())
        return;
    if (down || hot) {
        defaultlook::fillRect(canvas, r, down ? defaultlook::downFill : defaultlook::hotFill);
        defaultlook::frameRect(canvas, r, defaultlook::navyFrame);
        return;
    }
    defaultlook::fillRect(canvas, r, clBtnFace);
    defaultlook::frameRect(canvas, r, clBtnShadow);
}

void TbsSkinScrollBar::drawArrow(Canvas& canvas, const TRect& r, bool towardsEnd)
{
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2;
    canvas.pen.color = clBlack;
    canvas.pen.style = PenStyle::Solid;
    canvas.pen.width = 1;
    canvas.brush.color = clBlack;
    canvas.brush.style = BrushStyle::Solid;
    std::vector<TPoint> points;
    if (vertical()) {
        int tip = towardsEnd ? cy + 2 : cy - 2;
        int base = towardsEnd ? cy - 1 : cy + 1;
        points = {TPoint{cx - 3, base}, TPoint{cx + 3, base}, TPoint{cx, tip}};
    } else {
        int tip = towardsEnd ? cx + 2 : cx - 2;
        int base = towardsEnd ? cx - 1 : cx + 1;
        points = {TPoint{base, cy - 3}, TPoint{base, cy + 3}, TPoint{tip, cy}};
    }
    canvas.polygon(points);
}

void TbsSkinScrollBar::drawDefaultLook(Canvas& canvas)
{
    defaultlook::fillRect(canvas, clientRect(), clBtnFace);
    for (int part : {partDown, partUp}) {
        const PartState& state = m_parts[part];
        TRect r = partRect(part);
        drawBox(canvas, r, state.pressed && state.active, state.active);
        drawArrow(canvas, r, part == partUp);
    }
    if (!enabled())
        return;
    const PartState& thumb = m_parts[partThumb];
    drawBox(canvas, partRect(partThumb), m_dragging || focused(), thumb.active);
}

const TRect& TbsSkinScrollBar::stateImage(int part, const StateImages& images) const
{
    const PartState& state = m_parts[part];
    bool down = part == partThumb ? m_dragging || focused() : state.pressed && state.active;
    if (down)
        return images.down;
    if (state.active)
        return images.active;
    return images.normal;
}

void TbsSkinScrollBar::drawThumb(TbsSkinPicture& out, const TRect& thumb) const
{
    const TbsSkinPicture* picture = skin().pieces().picture;
    const TRect& S = stateImage(partThumb, m_look.thumb);
    if (!picture || thumb.isEmpty() || S.isEmpty())
        return;
    if (m_pageSize > 0) {
        // A page-sized thumb keeps both ends and repeats its middle.
        TbsSkinPicture fitted;
        if (vertical())
            DrawVerticalPiece(fitted, picture, m_look.thumbOffset1, m_look.thumbOffset2, thumb.height(), S);
        else
            DrawHorizontalPiece(fitted, picture, m_look.thumbOffset1, m_look.thumbOffset2, thumb.width(), S);
        out.copyRect(thumb, fitted, TRect{0, 0, fitted.width(), fitted.height()});
    } else {
        out.copyRect(thumb, *picture, S);
    }
    const TRect& glyph = stateImage(partThumb, m_look.glyph);
    if (glyph.isEmpty())
        return;
    int x = thumb.left + (thumb.width() - glyph.width()) / 2;
    int y = thumb.top + (thumb.height() - glyph.height()) / 2;
    out.copyRect(TRect{x, y, x + glyph.width(), y + glyph.height()}, *picture, glyph);
}

void TbsSkinScrollBar::drawSkinLook(Canvas& canvas)
{
    if (!m_look.bound) {
        drawDefaultLook(canvas);
        return;
    }
    const TbsSkinSectionPieces& pieces = skin().pieces();
    TbsSkinPicture out;
    drawPiece(out, pieces.picture, pieces.fields, pieces.mode, pieces.geometry(width(), height()),
              pieces.fields.skinRect);
    // The normal picture already shows both buttons at rest.
    for (int part : {partDown, partUp}) {
        const TRect& image = stateImage(part, part == partUp ? m_look.upButton : m_look.downButton);
        if (pieces.picture && !image.isEmpty())
            out.copyRect(partRect(part), *pieces.picture, image);
    }
    if (enabled())
        drawThumb(out, partRect(partThumb));
    if (m_masked)
        canvas.setClipRegion(m_region);
    drawSkinPicture(canvas, 0, 0, out);
    canvas.clearClip();
}

} // namespace qv
