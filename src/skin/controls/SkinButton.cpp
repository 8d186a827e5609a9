#include "skin/controls/SkinButton.h"

#include "runtime/core/Property.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Menus.h"
#include "skin/bitmaps/SkinBitmaps.h"

namespace qv {

using namespace defaultlook;

TbsSkinButton::TbsSkinButton(TWinControl* parent) : TbsSkinControl(parent, "button")
{
    setFitsSection(true);
    setBounds(0, 0, 75, 25);
    setTabStop(true);
    setFocusesItselfOnPress(true);
    // A masked skin button is not rectangular; what lies outside its mask is the parent's.
    setTransparent(true);
}

void TbsSkinButton::setCaption(const std::string& caption)
{
    if (!assignChanged(m_caption, caption))
        return;
    invalidate();
    accessibleNotify(TAccessibleEvent::NameChanged);
}

void TbsSkinButton::setDown(bool down)
{
    if (!assignChanged(m_down, down))
        return;
    invalidate();
    accessibleNotify(TAccessibleEvent::StateChanged);
}

std::string TbsSkinButton::accessibleName() const
{
    std::string name = TbsSkinControl::accessibleName();
    return name.empty() ? stripAccelerator(m_caption) : name;
}

unsigned TbsSkinButton::accessibleStates() const
{
    unsigned states = m_down ? unsigned(asPressed) : 0u;
    return m_default ? states | asDefaultButton : states;
}

void TbsSkinButton::setCanFocused(bool canFocused)
{
    if (assignChanged(m_canFocused, canFocused))
        setTabStop(canFocused);
}

void TbsSkinButton::setRepeatMode(bool repeatMode)
{
    if (assignChanged(m_repeatMode, repeatMode) && !repeatMode)
        stopRepeat();
}

void TbsSkinButton::setRepeatInterval(int milliseconds)
{
    if (assignChanged(m_repeatInterval, milliseconds) && repeating())
        m_repeatTimer->setInterval(milliseconds);
}

void TbsSkinButton::bindSection()
{
    TbsSkinControl::bindSection();
    m_look = Look{};
    auto* s = skin().section<TbsDataSkinButtonControl>();
    if (!s)
        return;
    m_look.bound = true;
    m_look.font = s->Font;
    m_look.activeFontColor = s->ActiveFontColor;
    m_look.downFontColor = s->DownFontColor;
    m_look.disabledFontColor = s->DisabledFontColor;
    m_look.activeRect = s->ActiveSkinRect.isEmpty() ? s->SkinRect : s->ActiveSkinRect;
    m_look.downRect = s->DownSkinRect.isEmpty() ? m_look.activeRect : s->DownSkinRect;
    m_look.disabledRect = s->DisabledSkinRect;
    m_look.morphs = s->Morphing;
    m_look.morphKind = s->MorphKind;
}

void TbsSkinButton::skinChanged()
{
    TbsSkinControl::skinChanged();
    settleMorph();
}

Font TbsSkinButton::textFont() const
{
    Font f = m_look.bound && UseSkinFont() ? skinFont(m_look.font, DefaultFont()) : DefaultFont();
    f.charset = skin().charset(DefaultFont());
    return f;
}

const TRect& TbsSkinButton::stateRect() const
{
    if (!enabled() && !m_look.disabledRect.isEmpty())
        return m_look.disabledRect;
    if (showsDown())
        return m_look.downRect;
    if (wantsActive())
        return m_look.activeRect;
    // Leaving starts the fade from the active image; until the first step it stays.
    if (m_look.morphs && m_morph.atActive())
        return m_look.activeRect;
    return skin().pieces().fields.skinRect;
}

TColor TbsSkinButton::captionColor() const
{
    if (!enabled())
        return m_look.disabledFontColor;
    if (m_down && m_highlighted)
        return m_look.downFontColor;
    if (wantsActive())
        return m_look.activeFontColor;
    return m_look.font.FontColor;
}

bool TbsSkinButton::drawnDown() const
{
    if (!m_look.bound || SkinData() == nullptr)
        return m_down && m_highlighted;
    if (m_look.morphs && m_morph.blending() && enabled())
        return false;
    return &stateRect() == &m_look.downRect;
}

void TbsSkinButton::drawSkinLook(Canvas& canvas)
{
    if (!m_look.bound) {
        drawDefaultLook(canvas);
        return;
    }
    const TbsSkinSectionPieces& pieces = skin().pieces();
    TbsPieceGeometry g = pieces.geometry(width(), height());
    auto image = [&](const TRect& S) {
        TbsSkinPicture out;
        drawPiece(out, pieces.picture, pieces.fields, pieces.mode, g, S);
        return out;
    };
    TbsSkinPicture picture;
    bool downLook = false;
    if (m_look.morphs && m_morph.blending() && enabled()) {
        picture
            = morphBlend(image(pieces.fields.skinRect), image(m_look.activeRect), m_morph.factor(), m_look.morphKind);
    } else {
        const TRect& S = stateRect();
        downLook = &S == &m_look.downRect;
        picture = image(S);
    }
    // The mask gives the button its outline; outside it the parent shows through.
    if (pieces.mask)
        canvas.setClipRegion(toRegion(pieceRegion(pieces.mask, pieces.fields, pieces.mode, g)));
    drawSkinPicture(canvas, 0, 0, picture);
    canvas.clearClip();

    canvas.font = textFont();
    canvas.font.color = captionColor();
    TRect textArea = g.clientRect;
    if (downLook)
        textArea = TRect{textArea.left + 1, textArea.top + 1, textArea.right + 1, textArea.bottom + 1};
    centredText(canvas, textArea, stripAccelerator(m_caption));
}

void TbsSkinButton::activeStateChanged()
{
    if (!m_look.bound || !m_look.morphs) {
        invalidate();
        return;
    }
    m_morphAnimator.start();
}

bool TbsSkinButton::morphStep()
{
    bool const towardsActive = wantsActive();
    m_morph.stepTowards(towardsActive);
    invalidate();
    return !m_morph.reached(towardsActive);
}

void TbsSkinButton::settleMorph()
{
    m_morph.jumpTo(wantsActive());
    m_morphAnimator.stop();
    invalidate();
}

void TbsSkinButton::drawDefaultLook(Canvas& canvas)
{
    TRect r = clientRect();
    bool downLook = m_down && m_highlighted;
    if (downLook) {
        fillRect(canvas, r, downFill);
        frameRect(canvas, r, navyFrame);
    } else if (m_highlighted || (focused() && m_canFocused)) {
        fillRect(canvas, r, hotFill);
        frameRect(canvas, r, navyFrame);
    } else {
        fillRect(canvas, r, clBtnFace);
        frameRect(canvas, r, clBtnShadow);
    }
    canvas.font = textFont();
    if (!enabled())
        canvas.font.color = clBtnShadow;
    TRect textArea = r;
    if (downLook)
        textArea = TRect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    centredText(canvas, textArea, stripAccelerator(m_caption));
}

void TbsSkinButton::mouseDown(MouseButton button, unsigned, int, int)
{
    if (button != MouseButton::Left || !enabled())
        return;
    if (m_canFocused && !focused()) {
        setFocus();
        // A leave check elsewhere may have kept the focus; the press is then dropped.
        if (TForm* form = parentForm(); form && form->activeControl() != this)
            return;
    }
    m_pressedByMouse = true;
    m_highlighted = true;
    setDown(true);
    settleMorph();
    if (m_repeatMode)
        startRepeat();
}

// The first repeat comes one interval after the press, counted from then.
void TbsSkinButton::startRepeat()
{
    if (!m_repeatTimer) {
        m_repeatTimer = std::make_unique<TTimer>();
        m_repeatTimer->onTimer = [this] { repeatTick(); };
    }
    m_repeatTimer->setInterval(m_repeatInterval);
    m_repeatTimer->setEnabled(true);
}

void TbsSkinButton::stopRepeat()
{
    // Stopped, not freed: this may run inside the timer's own callback.
    if (m_repeatTimer)
        m_repeatTimer->setEnabled(false);
}

void TbsSkinButton::repeatTick()
{
    if (!m_down || !m_highlighted || !enabled()) {
        stopRepeat();
        return;
    }
    click();
}

void TbsSkinButton::mouseUp(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left || !m_pressedByMouse)
        return;
    m_pressedByMouse = false;
    stopRepeat();
    bool over = clientRect().contains(TPoint{x, y});
    setDown(false);
    if (over && enabled())
        click();
}

void TbsSkinButton::releasePress()
{
    m_pressedByMouse = false;
    stopRepeat();
    m_highlighted = mouseInside();
    setDown(false);
    settleMorph();
}

void TbsSkinButton::mouseEnter()
{
    bool was = wantsActive();
    m_highlighted = true;
    if (!was)
        activeStateChanged();
    else
        invalidate();
    // Held down and dragged back over the button: repeating goes on.
    if (m_repeatMode && m_down && m_pressedByMouse && !repeating())
        startRepeat();
    TbsSkinControl::mouseEnter();
}

void TbsSkinButton::mouseLeave()
{
    bool was = wantsActive();
    m_highlighted = false;
    stopRepeat();
    if (was && !wantsActive())
        activeStateChanged();
    else
        invalidate();
    TbsSkinControl::mouseLeave();
}

void TbsSkinButton::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    if (!m_canFocused || !enabled())
        return;
    if (key == VK_SPACE) {
        m_highlighted = true;
        setDown(true);
        // The keyboard's own auto-repeat brings further presses, each a click.
        if (m_repeatMode)
            click();
    } else if (key == VK_RETURN) {
        click();
    }
}

void TbsSkinButton::keyUp(int& key, unsigned shift)
{
    TbsSkinControl::keyUp(key, shift);
    if (key != VK_SPACE || !m_down || m_pressedByMouse)
        return;
    setDown(false);
    m_highlighted = mouseInside();
    if (enabled())
        click();
}

void TbsSkinButton::focusIn()
{
    activeStateChanged();
    TbsSkinControl::focusIn();
}

void TbsSkinButton::focusOut()
{
    stopRepeat();
    if (!m_pressedByMouse)
        setDown(false);
    activeStateChanged();
    TbsSkinControl::focusOut();
}

void TbsSkinButton::enabledChanged()
{
    if (!enabled()) {
        m_down = false;
        m_pressedByMouse = false;
        stopRepeat();
    }
    settleMorph();
}

} // namespace qv
