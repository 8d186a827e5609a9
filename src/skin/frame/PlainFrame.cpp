// The frame without a skin: a 3-pixel raised border, a striped caption band and
// plain caption buttons with our own glyphs.

#include "skin/drawing/DefaultLook.h"
#include "skin/frame/SkinForm.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

namespace {

constexpr int border = 3;
constexpr int buttonSide = 17;
constexpr int buttonTop = 4;

void hLine(Canvas& c, int x1, int x2, int y, TColor color) { fillRect(c, TRect{x1, y, x2, y + 1}, color); }
void vLine(Canvas& c, int x, int y1, int y2, TColor color) { fillRect(c, TRect{x, y1, x + 1, y2}, color); }

void drawGlyph(Canvas& c, TbsStdCommand command, const TRect& r, TColor color, bool restoreLook)
{
    int const cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    switch (command) {
    case cmClose:
        for (int i = -4; i <= 4; ++i) {
            fillRect(c, TRect{cx + i, cy + i, cx + i + 2, cy + i + 1}, color);
            fillRect(c, TRect{cx + i, cy - i, cx + i + 2, cy - i + 1}, color);
        }
        break;
    case cmMaximize:
        if (restoreLook) {
            frameRect(c, TRect{cx - 2, cy - 5, cx + 5, cy + 1}, color);
            hLine(c, cx - 2, cx + 5, cy - 4, color);
            fillRect(c, TRect{cx - 5, cy - 2, cx + 2, cy + 5}, clBtnFace);
            frameRect(c, TRect{cx - 5, cy - 2, cx + 2, cy + 5}, color);
            hLine(c, cx - 5, cx + 2, cy - 1, color);
        } else {
            frameRect(c, TRect{cx - 5, cy - 5, cx + 5, cy + 4}, color);
            hLine(c, cx - 5, cx + 5, cy - 4, color);
        }
        break;
    case cmMinimize: fillRect(c, TRect{cx - 4, cy + 2, cx + 3, cy + 4}, color); break;
    case cmRollUp:
        // A triangle pointing the way the window folds.
        for (int i = 0; i < 4; ++i) {
            int const y = restoreLook ? cy - 2 + i : cy + 1 - i;
            hLine(c, cx - 3 + i, cx + 4 - i, y, color);
        }
        break;
    case cmMinimizeToTray: fillRect(c, TRect{cx - 2, cy + 1, cx + 3, cy + 4}, color); break;
    case cmSysMenu:
        frameRect(c, TRect{cx - 5, cy - 4, cx + 5, cy + 4}, color);
        fillRect(c, TRect{cx - 5, cy - 4, cx + 5, cy - 2}, color);
        break;
    case cmDefault: break;
    }
}

} // namespace

std::vector<TbsStdCommand> TbsSkinForm::plainButtons() const
{
    std::vector<TbsStdCommand> right{cmClose};
    if (m_borderIcons & biMaximize)
        right.push_back(cmMaximize);
    if (m_borderIcons & biMinimize)
        right.push_back(cmMinimize);
    if (m_borderIcons & biRollUp)
        right.push_back(cmRollUp);
    if (m_borderIcons & biMinimizeToTray)
        right.push_back(cmMinimizeToTray);
    return right;
}

TRect TbsSkinForm::plainButtonRect(int slot) const
{
    if (slot == 0)
        return TRect{border, buttonTop, border + buttonSide, buttonTop + buttonSide};
    int const right = m_form.width() - border - (slot - 1) * buttonSide;
    return TRect{right - buttonSide, buttonTop, right, buttonTop + buttonSide};
}

TbsStdCommand TbsSkinForm::plainButtonAt(TPoint p) const
{
    if ((m_borderIcons & biSystemMenu) && plainButtonRect(0).contains(p))
        return cmSysMenu;
    std::vector<TbsStdCommand> const right = plainButtons();
    for (size_t i = 0; i < right.size(); ++i) {
        if (plainButtonRect(static_cast<int>(i) + 1).contains(p))
            return right[i];
    }
    return cmDefault;
}

void TbsSkinForm::paintPlainFrame(Canvas& c)
{
    int const W = m_form.width(), H = m_form.height();
    int const capBottom = border + defaultCaptionHeight;
    fillRect(c, TRect{0, 0, W, capBottom}, clBtnFace);
    fillRect(c, TRect{0, capBottom, border, H}, clBtnFace);
    fillRect(c, TRect{W - border, capBottom, W, H}, clBtnFace);
    fillRect(c, TRect{0, H - border, W, H}, clBtnFace);
    // Outer ring light / dark shadow, inner ring highlight / shadow, then the face.
    hLine(c, 0, W, 0, cl3DLight);
    vLine(c, 0, 0, H, cl3DLight);
    hLine(c, 0, W, H - 1, cl3DDkShadow);
    vLine(c, W - 1, 0, H, cl3DDkShadow);
    hLine(c, 1, W - 1, 1, clBtnHighlight);
    vLine(c, 1, 1, H - 1, clBtnHighlight);
    hLine(c, 1, W - 1, H - 2, clBtnShadow);
    vLine(c, W - 2, 1, H - 1, clBtnShadow);

    bool const enabled = !m_hideCaptionButtons;
    std::vector<TbsStdCommand> const right = plainButtons();
    int const stripesLeft = (m_borderIcons & biSystemMenu) ? plainButtonRect(0).right + 2 : border + 2;
    int const stripesRight = plainButtonRect(static_cast<int>(right.size())).left - 2;
    for (int row = 2; row <= defaultCaptionHeight - 4; ++row)
        hLine(c, stripesLeft, std::max(stripesLeft, stripesRight), border + row, row % 2 ? clBtnHighlight : clBtnShadow);

    c.font = m_active ? m_defCaptionFont : m_defInActiveCaptionFont;
    c.setBackgroundTransparent(true);
    c.setTextAlign(taLeft | taTop);
    int const span = std::max(0, stripesRight - stripesLeft - 8);
    std::string const text = TbsSkinCaptionObject::shortenedText(c, m_form.caption(), span);
    int const tw = c.textWidth(text), th = c.textHeight(text);
    int const tx = stripesLeft + (stripesRight - stripesLeft - tw) / 2;
    int const ty = border + defaultCaptionHeight / 2 - th / 2;
    if (!m_form.caption().empty()) {
        fillRect(c, TRect{tx - 4, border + 1, tx + tw + 4, capBottom - 1}, clBtnFace);
        c.textOut(tx, ty, text);
    }

    auto drawButton = [&](TbsStdCommand command, const TRect& r) {
        bool const hot = enabled && m_plainHot == command;
        if (hot) {
            fillRect(c, r, m_plainDown == command ? downFill : hotFill);
            frameRect(c, r, navyFrame);
        }
        bool const restoreLook = (command == cmMaximize && m_windowState == TbsWindowState::Maximized)
            || (command == cmRollUp && m_rollUpState);
        drawGlyph(c, command, r, enabled ? clBtnText : clBtnShadow, restoreLook);
    };
    if (m_borderIcons & biSystemMenu)
        drawButton(cmSysMenu, plainButtonRect(0));
    for (size_t i = 0; i < right.size(); ++i)
        drawButton(right[i], plainButtonRect(static_cast<int>(i) + 1));
}

} // namespace qv
