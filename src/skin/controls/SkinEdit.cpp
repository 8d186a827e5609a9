#include "skin/controls/SkinEdit.h"

#include "runtime/core/Property.h"
#include "runtime/graphics/Bitmap.h"
#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/drawing/DefaultLook.h"

namespace qv {

TbsSkinEdit::TbsSkinEdit(TWinControl* parent) : TCustomEdit(parent)
{
    setFont(m_skin.defaultFont);
    setBounds(0, 0, 121, 20);
}

void TbsSkinEdit::bind()
{
    m_skin.bind();
    m_section = m_skin.sectionCopy<TbsDataSkinEditControl>();
}

// A new section can change the height, the text area, the font and its colour.
void TbsSkinEdit::rebind()
{
    bind();
    TRect const placed = boundsAsPlaced();
    setBounds(placed.left, placed.top, placed.width(), placed.height());
    updateEditor();
    invalidate();
}

void TbsSkinEdit::skinChangeBegins()
{
    m_skin.forget();
    m_section.reset();
}

void TbsSkinEdit::setSkinData(TbsSkinData* data)
{
    m_skin.setSkinData(data);
    rebind();
}

void TbsSkinEdit::setSkinDataName(const std::string& name)
{
    m_skin.setSkinDataName(name);
    rebind();
}

void TbsSkinEdit::setUseSkinFont(bool use)
{
    m_skin.useSkinFont = use;
    rebind();
}

void TbsSkinEdit::setDefaultFont(const Font& font)
{
    m_skin.defaultFont = font;
    setFont(font);
    rebind();
}

void TbsSkinEdit::setDefaultHeight(int height)
{
    m_skin.defaultHeight = height;
    TRect const placed = boundsAsPlaced();
    setBounds(placed.left, placed.top, placed.width(), placed.height());
}

int TbsSkinEdit::textHeight() const
{
    Bitmap probe(1, 1);
    probe.canvas().font = m_skin.defaultFont;
    return probe.canvas().textHeight("Ag");
}

bool TbsSkinEdit::heightFromText() const
{
    if (skinned())
        return !m_skin.useSkinFont;
    return m_skin.defaultHeight <= 0;
}

int TbsSkinEdit::naturalHeight() const
{
    if (skinned()) {
        const TRect& S = m_section->SkinRect;
        if (m_skin.useSkinFont)
            return S.height();
        return textHeight() + S.height() - m_section->ClRect.height();
    }
    if (m_skin.defaultHeight > 0)
        return m_skin.defaultHeight;
    return textHeight() + 4;
}

void TbsSkinEdit::setBounds(int left, int top, int width, int height)
{
    bind();
    if (!heightFromText()) {
        TCustomEdit::setBounds(left, top, width, naturalHeight());
        return;
    }
    // Placed as asked until the text can be measured.
    TCustomEdit::setBounds(left, top, width, height);
    requestMeasure();
}

void TbsSkinEdit::measure()
{
    TCustomEdit::measure();
    TRect const placed = boundsAsPlaced();
    TCustomEdit::setBounds(placed.left, placed.top, placed.width(), naturalHeight());
}

void TbsSkinEdit::setButtonMode(bool buttonMode)
{
    if (!assignChanged(m_buttonMode, buttonMode))
        return;
    m_buttonHovered = m_buttonPressed = false;
    updateEditor();
    invalidate();
}

TRect TbsSkinEdit::textRect() const
{
    if (!skinned()) {
        TRect r = TCustomEdit::textRect();
        if (m_buttonMode)
            r.right -= height();
        return r;
    }
    const TRect& C = m_section->ClRect;
    const TRect& S = m_section->SkinRect;
    TRect r{C.left, C.top, width() + C.right - S.width(), C.bottom};
    if (!m_skin.useSkinFont)
        r.bottom += height() - S.height();
    return r;
}

TRect TbsSkinEdit::buttonRect() const
{
    if (!m_buttonMode)
        return {};
    if (!skinned())
        return TRect{width() - height(), 0, width(), height()};
    TRect r = m_section->ButtonRect;
    const TRect& S = m_section->SkinRect;
    int rightPart = S.width() - m_section->RTPoint.x;
    // A button in the right part stays at the right end as the edit widens.
    if (r.left >= S.width() - rightPart) {
        r.left += width() - S.width();
        r.right += width() - S.width();
    }
    if (!m_skin.useSkinFont)
        r.bottom += height() - S.height();
    return r;
}

Font TbsSkinEdit::textFont() const
{
    Font f = skinned() && m_skin.useSkinFont ? skinFont(m_section->Font, m_skin.defaultFont) : m_skin.defaultFont;
    f.charset = m_skin.charset(m_skin.defaultFont);
    return f;
}

// The frame and the text area's background are one picture: the section's image
// fitted to the width, its left and right parts kept, the middle tiled.
void TbsSkinEdit::paintFrame(Canvas& canvas)
{
    bind();
    if (!skinned()) {
        TCustomEdit::paintFrame(canvas);
        paintButton(canvas);
        return;
    }
    const TbsDataSkinEditControl& s = *m_section;
    bool active = (m_hovered || focused()) && !s.ActiveSkinRect.isEmpty();
    TbsSkinPicture image;
    int leftWidth = s.LTPoint.x, rightWidth = s.SkinRect.width() - s.RTPoint.x;
    DrawHorizontalPiece(image, m_skin.pieces().picture, leftWidth, rightWidth, width(), active ? s.ActiveSkinRect : s.SkinRect);
    if (m_skin.useSkinFont || image.height() == height()) {
        drawSkinPicture(canvas, 0, 0, image);
    } else {
        TbsSkinPicture stretched(width(), height());
        stretched.copyRect(TRect{0, 0, width(), height()}, image, TRect{0, 0, image.width(), image.height()});
        drawSkinPicture(canvas, 0, 0, stretched);
    }
    paintButton(canvas);
}

// The frame's own image already shows the button at rest; only other states are drawn over it.
void TbsSkinEdit::paintButton(Canvas& canvas)
{
    if (!m_buttonMode)
        return;
    TRect r = buttonRect();
    bool down = m_buttonPressed && m_buttonHovered;
    if (!skinned()) {
        using namespace defaultlook;
        if (down) {
            fillRect(canvas, r, downFill);
            frameRect(canvas, r, navyFrame);
        } else if (m_buttonHovered) {
            fillRect(canvas, r, hotFill);
            frameRect(canvas, r, navyFrame);
        } else {
            fillRect(canvas, r, clBtnFace);
            frameRect(canvas, r, clBtnShadow);
        }
        return;
    }
    const TbsDataSkinEditControl& s = *m_section;
    TRect source;
    if (!enabled() && !s.UnEnabledButtonRect.isEmpty())
        source = s.UnEnabledButtonRect;
    else if (down)
        source = s.DownButtonRect.isEmpty() ? s.ActiveButtonRect : s.DownButtonRect;
    else if (m_buttonHovered)
        source = s.ActiveButtonRect;
    const TbsSkinPicture* picture = m_skin.pieces().picture;
    if (source.isEmpty() || !picture || r.isEmpty())
        return;
    TbsSkinPicture piece(r.width(), r.height());
    piece.copyRect(TRect{0, 0, r.width(), r.height()}, *picture, source);
    drawSkinPicture(canvas, r.left, r.top, piece);
}

bool TbsSkinEdit::contextMenu(TPoint p)
{
    m_contextMenu.popup(*this, SkinData(), p);
    return true;
}

TColor TbsSkinEdit::textColor() const
{
    if (!skinned())
        return enabled() ? m_skin.defaultFont.color : clGrayText;
    if (!enabled())
        return m_section->DisabledFontColor;
    if (focused() || m_hovered)
        return m_section->ActiveFontColor;
    return m_section->Font.FontColor;
}

void TbsSkinEdit::mouseEnter()
{
    m_hovered = true;
    TCustomEdit::mouseEnter();
}

void TbsSkinEdit::mouseLeave()
{
    m_hovered = false;
    m_buttonHovered = m_buttonPressed = false;
    setCursor(TCursor::IBeam);
    TCustomEdit::mouseLeave();
}

void TbsSkinEdit::setButtonHovered(bool hovered)
{
    if (!assignChanged(m_buttonHovered, hovered))
        return;
    setCursor(hovered ? TCursor::Default : TCursor::IBeam);
    invalidate();
}

void TbsSkinEdit::mouseMove(unsigned shift, int x, int y)
{
    setButtonHovered(buttonRect().contains(TPoint{x, y}));
    TCustomEdit::mouseMove(shift, x, y);
}

void TbsSkinEdit::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TCustomEdit::mouseDown(button, shift, x, y);
    if (button != MouseButton::Left || !enabled() || !buttonRect().contains(TPoint{x, y}))
        return;
    m_buttonHovered = m_buttonPressed = true;
    invalidate();
}

void TbsSkinEdit::mouseUp(MouseButton button, unsigned shift, int x, int y)
{
    TCustomEdit::mouseUp(button, shift, x, y);
    if (button != MouseButton::Left || !m_buttonPressed)
        return;
    m_buttonPressed = false;
    bool over = buttonRect().contains(TPoint{x, y});
    setButtonHovered(over);
    invalidate();
    if (!over)
        return;
    if (!focused())
        setFocus();
    buttonClick();
}

void TbsSkinEdit::buttonClick()
{
    if (onButtonClick)
        onButtonClick();
}

std::vector<TAccessibleAction> TbsSkinEdit::accessibleActions() const
{
    if (!m_buttonMode)
        return {};
    return {TAccessibleAction::Open};
}

void TbsSkinEdit::accessibleDo(TAccessibleAction) { buttonClick(); }

void TbsSkinEdit::focusOut()
{
    updateEditor();
    invalidate();
    TCustomEdit::focusOut();
}

} // namespace qv
