#include "skin/frame/FrameObjects.h"

#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/controls/SkinBinding.h"
#include "skin/frame/SkinForm.h"

#include <algorithm>

namespace qv {

namespace {

TbsSkinPicture cut(const TbsSkinPicture* picture, const TRect& r)
{
    TbsSkinPicture out;
    if (!picture || r.isEmpty())
        return out;
    out.setSize(r.width(), r.height());
    out.copyRect(TRect{0, 0, r.width(), r.height()}, *picture, r);
    return out;
}

} // namespace

// ---- TbsActiveSkinObject ----

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinForm& parent, const TbsDataSkinObject& data)
    : m_parent(parent)
    , m_data(parent.SkinData())
    , m_name(data.Name)
    , m_hint(data.Hint)
    , m_skinRectInAPicture(data.SkinRectInAPicture)
    , m_skinRect(data.SkinRect)
    , m_activeSkinRect(data.ActiveSkinRect)
    , m_inActiveSkinRect(data.InActiveSkinRect)
    , m_morphing(data.Morphing && !data.ActiveSkinRect.isEmpty())
    , m_morphKind(data.MorphKind)
    , m_rect(data.SkinRect)
{
    if (m_data)
        m_picture = m_data->activePicture(data.ActivePictureIndex);
}

const TbsSkinPicture* TbsActiveSkinObject::normalPicture() const
{
    return m_skinRectInAPicture ? m_picture : &m_parent.framePicture();
}

bool TbsActiveSkinObject::canMorph() const { return m_morphing && !m_morph.reached(m_active); }

bool TbsActiveSkinObject::morphStep() { return m_morphing && m_morph.stepTowards(m_active); }

void TbsActiveSkinObject::resetState()
{
    m_active = false;
    m_mouseIn = false;
    m_morph.jumpTo(false);
}

void TbsActiveSkinObject::drawLook(Canvas& canvas, const TbsSkinPicture* normalPic, const TRect& normal,
    const TbsSkinPicture* activePic, const TRect& active)
{
    TbsSkinPicture shown;
    if (m_morphing && m_morph.blending())
        shown = morphBlend(cut(normalPic, normal), cut(activePic, active), m_morph.factor(), m_morphKind);
    else if (m_morphing ? m_morph.atActive() : m_active)
        shown = cut(activePic, active.isEmpty() ? normal : active);
    else
        shown = cut(normalPic, normal);
    drawSkinPicture(canvas, m_rect.left, m_rect.top, shown);
}

void TbsActiveSkinObject::draw(Canvas& canvas, bool full)
{
    bool const lookIsNormal = m_morphing ? m_morph.atNormal() : !m_active;
    // The normal look of an object that is part of the frame picture is already there.
    if (lookIsNormal && !m_skinRectInAPicture && full)
        return;
    drawLook(canvas, normalPicture(), m_skinRect, m_picture, m_activeSkinRect);
}

void TbsActiveSkinObject::redraw() { m_parent.redrawObject(*this); }

void TbsActiveSkinObject::activeChanged()
{
    if (m_morphing)
        m_parent.startMorph();
    else
        redraw();
}

void TbsActiveSkinObject::notify(const std::function<void(const std::string&)>& event) const
{
    if (event)
        event(m_name);
}

void TbsActiveSkinObject::setMouseOver(bool over)
{
    m_active = over;
    m_mouseIn = over;
    activeChanged();
}

void TbsActiveSkinObject::mouseDown(MouseButton, int, int) { notify(m_parent.OnMouseDownEvent); }

void TbsActiveSkinObject::mouseUp(MouseButton, int, int) { notify(m_parent.OnMouseUpEvent); }

void TbsActiveSkinObject::mouseMove(int, int) { notify(m_parent.OnMouseMoveEvent); }

void TbsActiveSkinObject::mouseEnter()
{
    setMouseOver(true);
    notify(m_parent.OnMouseEnterEvent);
}

void TbsActiveSkinObject::mouseLeave()
{
    setMouseOver(false);
    notify(m_parent.OnMouseLeaveEvent);
}

// ---- buttons ----

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinForm& parent, const TbsDataSkinButton& data)
    : TbsActiveSkinObject(parent, data)
    , m_downRect(data.DownRect)
    , m_disableSkinRect(data.DisableSkinRect)
{
}

void TbsSkinButtonObject::resetState()
{
    TbsActiveSkinObject::resetState();
    m_down = false;
}

void TbsSkinButtonObject::draw(Canvas& canvas, bool full)
{
    if (!m_enabled && !m_disableSkinRect.isEmpty()) {
        drawSkinPicture(canvas, m_rect.left, m_rect.top, cut(m_picture, m_disableSkinRect));
        return;
    }
    if (m_down && m_active && !m_downRect.isEmpty()) {
        drawSkinPicture(canvas, m_rect.left, m_rect.top, cut(m_picture, m_downRect));
        return;
    }
    TbsActiveSkinObject::draw(canvas, full);
}

void TbsSkinButtonObject::mouseDown(MouseButton button, int x, int y)
{
    if (button == MouseButton::Left && m_enabled) {
        m_down = true;
        if (m_morphing && m_active)
            setMorphFactorFull();
        redraw();
    }
    TbsActiveSkinObject::mouseDown(button, x, y);
}

void TbsSkinButtonObject::mouseUp(MouseButton button, int x, int y)
{
    if (button == MouseButton::Left && m_down) {
        m_down = false;
        redraw();
    }
    TbsActiveSkinObject::mouseUp(button, x, y);
}

void TbsSkinButtonObject::mouseEnter()
{
    TbsActiveSkinObject::mouseEnter();
    // Back over a button held down: the pressed look shows at once.
    if (m_down && !m_downRect.isEmpty()) {
        setMorphFactorFull();
        redraw();
    }
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm& parent, const TbsDataSkinStdButton& data)
    : TbsSkinButtonObject(parent, data)
    , m_command(data.Command)
    , m_restoreRect(data.RestoreRect)
    , m_restoreActiveRect(data.RestoreActiveRect)
    , m_restoreDownRect(data.RestoreDownRect)
    , m_restoreInActiveRect(data.RestoreInActiveRect)
{
}

bool TbsSkinStdButtonObject::inRestoreState() const
{
    switch (m_command) {
    case cmMaximize: return m_parent.windowState() == TbsWindowState::Maximized;
    case cmMinimize: return m_parent.windowState() == TbsWindowState::Minimized;
    case cmRollUp: return m_parent.rollUpState();
    default: return false;
    }
}

void TbsSkinStdButtonObject::draw(Canvas& canvas, bool full)
{
    auto put = [&](const TRect& r) { drawSkinPicture(canvas, m_rect.left, m_rect.top, cut(m_picture, r)); };
    if (!m_enabled && !m_disableSkinRect.isEmpty())
        return put(m_disableSkinRect);
    if (m_down && m_active && !m_downRect.isEmpty())
        return put(m_downRect);
    bool const inactiveWindow = !m_parent.active();
    if (inactiveWindow && m_enabled && !m_inActiveSkinRect.isEmpty() && !inRestoreState())
        return put(m_inActiveSkinRect);
    if (inRestoreState() && !m_restoreRect.isEmpty()) {
        if (inactiveWindow && m_enabled && !m_restoreInActiveRect.isEmpty())
            return put(m_restoreInActiveRect);
        if (m_down && m_active && !m_restoreDownRect.isEmpty())
            return put(m_restoreDownRect);
        return drawLook(canvas, m_picture, m_restoreRect, m_picture, m_restoreActiveRect);
    }
    TbsActiveSkinObject::draw(canvas, full);
}

void TbsSkinStdButtonObject::mouseDown(MouseButton button, int x, int y)
{
    TbsSkinButtonObject::mouseDown(button, x, y);
    if (button == MouseButton::Left && m_enabled && m_command == cmSysMenu)
        m_parent.systemMenuButtonPressed(*this);
}

void TbsSkinStdButtonObject::mouseUp(MouseButton button, int x, int y)
{
    bool const pressed = m_down && button == MouseButton::Left;
    bool const stillOver = m_active;
    if (pressed && stillOver && m_enabled && m_command != cmClose && m_command != cmSysMenu) {
        // The command changes the window; the released look follows it.
        m_down = false;
        m_parent.runCommand(m_command);
        TbsSkinButtonObject::mouseUp(button, x, y);
        redraw();
        return;
    }
    TbsSkinButtonObject::mouseUp(button, x, y);
    if (pressed && stillOver && m_enabled && m_command == cmClose)
        m_parent.runCommand(cmClose);
}

void TbsSkinStdButtonObject::dblClick()
{
    if (m_command == cmSysMenu && m_enabled)
        m_parent.runCommand(cmClose);
}

// ---- caption ----

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinForm& parent, const TbsDataSkinCaption& data)
    : TbsActiveSkinObject(parent, data)
    , m_textRect(data.TextRect)
    , m_font(data.Font)
    , m_activeFontColor(data.ActiveFontColor)
    , m_alignment(data.Alignment)
    , m_shadow(data.Shadow)
    , m_shadowColor(data.ShadowColor)
    , m_activeShadowColor(data.ActiveShadowColor)
    , m_frameRect(data.FrameRect)
    , m_frameTextRect(data.FrameTextRect)
{
}

void TbsSkinCaptionObject::activationChanged(bool active, TbsMorphTransition transition)
{
    if (active == m_active)
        return;
    m_active = active;
    if (transition == TbsMorphTransition::Fade)
        activeChanged();
    else
        settleMorph();
}

std::string TbsSkinCaptionObject::shortenedText(Canvas& canvas, const std::string& text, int width)
{
    if (canvas.textWidth(text) <= width)
        return text;
    std::string shown = text;
    while (!shown.empty()) {
        shown.pop_back();
        if (canvas.textWidth(shown + "...") <= width)
            return shown + "...";
    }
    return "...";
}

void TbsSkinCaptionObject::draw(Canvas& canvas, bool)
{
    // The background: the caption's own images fitted to its width, over the frame.
    const TbsSkinFrameInfo& fi = m_data->frame();
    int const a = std::max(0, fi.LTPoint.x - m_skinRect.left);
    int const r = std::max(0, m_skinRect.right - fi.RTPoint.x);
    auto fitted = [&](const TbsSkinPicture* pic, const TRect& S) {
        TbsSkinPicture out;
        if (pic && !S.isEmpty())
            DrawHorizontalPiece(out, pic, a, r, m_rect.width(), S);
        return out;
    };
    if (m_morphing && m_morph.blending()) {
        drawSkinPicture(canvas, m_rect.left, m_rect.top,
                        morphBlend(fitted(normalPicture(), m_skinRect), fitted(m_picture, m_activeSkinRect),
                                   m_morph.factor(), m_morphKind));
    } else if (m_active && m_picture && !m_activeSkinRect.isEmpty()) {
        drawSkinPicture(canvas, m_rect.left, m_rect.top, fitted(m_picture, m_activeSkinRect));
    }

    TRect text = m_textRect;
    if (!text.isEmpty())
        text.right += m_rect.width() - m_skinRect.width();
    else
        text = TRect{0, 0, m_rect.width(), m_rect.height()};
    text = TRect{text.left + m_rect.left, text.top + m_rect.top, text.right + m_rect.left, text.bottom + m_rect.top};

    Font font = skinFont(m_font, m_parent.DefCaptionFont());
    font.color = m_active ? m_activeFontColor : m_font.FontColor;
    canvas.font = font;
    canvas.setBackgroundTransparent(true);
    canvas.setTextAlign(taLeft | taTop);
    std::string const caption = shortenedText(canvas, m_parent.form().caption(), text.width());
    int const tw = canvas.textWidth(caption), th = canvas.textHeight(caption);
    int x = text.left;
    if (m_alignment == TAlignment::Center)
        x = text.left + (text.width() - tw) / 2;
    else if (m_alignment == TAlignment::RightJustify)
        x = text.right - tw;
    int const y = text.top + text.height() / 2 - th / 2;
    canvas.intersectClipRect(m_rect);
    if (m_shadow) {
        canvas.font.color = m_active ? m_activeShadowColor : m_shadowColor;
        canvas.textOut(x + 1, y + 1, caption);
        canvas.font.color = font.color;
    }
    canvas.textOut(x, y, caption);
}

// ---- others ----

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinForm& parent, const TbsDataSkinAnimate& data)
    : TbsActiveSkinObject(parent, data)
    , m_command(data.Command)
{
    // The first frame is the normal look; frames follow across the picture.
    m_rect = TRect{m_skinRect.left, m_skinRect.top, m_skinRect.left + m_skinRect.width() / std::max(1, data.CountFrames),
        m_skinRect.bottom};
    m_skinRect = m_rect;
}

TbsUserObject::TbsUserObject(TbsSkinForm& parent, const TbsDataUserObject& data) : TbsActiveSkinObject(parent, data) {}

void TbsUserObject::draw(Canvas& canvas, bool)
{
    if (m_parent.OnPaintEvent)
        m_parent.OnPaintEvent(m_name, canvas, m_rect);
}

} // namespace qv
