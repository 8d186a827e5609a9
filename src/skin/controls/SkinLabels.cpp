#include "skin/controls/SkinLabels.h"

#include "runtime/core/Property.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Menus.h"

#include <sstream>

namespace qv {

TbsSkinStdLabel::TbsSkinStdLabel(TWinControl* parent) : TbsSkinControl(parent, "stdlabel")
{
    setTransparent(true);
    setBounds(0, 0, 65, 17);
}

void TbsSkinStdLabel::setCaption(const std::string& caption)
{
    bool changed = assignChanged(m_caption, caption);
    adjustSize();
    invalidate();
    if (!changed)
        return;
    accessibleNotify(TAccessibleEvent::NameChanged);
    accessibleNotify(TAccessibleEvent::ValueChanged);
}

std::string TbsSkinStdLabel::accessibleName() const
{
    std::string name = TbsSkinControl::accessibleName();
    return name.empty() ? accessibleValue() : name;
}

std::string TbsSkinStdLabel::accessibleValue() const { return stripAccelerator(m_caption); }

void TbsSkinStdLabel::setAutoSize(bool autoSize)
{
    if (assignChanged(m_autoSize, autoSize))
        adjustSize();
}

void TbsSkinStdLabel::setWordWrap(bool wordWrap)
{
    if (!assignChanged(m_wordWrap, wordWrap))
        return;
    adjustSize();
    invalidate();
}

void TbsSkinStdLabel::setAlignment(TAlignment alignment)
{
    if (assignChanged(m_alignment, alignment))
        invalidate();
}

void TbsSkinStdLabel::setBounds(int left, int top, int width, int height)
{
    TbsSkinControl::setBounds(left, top, width, height);
    adjustSize();
}

void TbsSkinStdLabel::fontChanged()
{
    adjustSize();
    invalidate();
}

void TbsSkinStdLabel::bindSection()
{
    TbsSkinControl::bindSection();
    if (!skin().hasSection()) {
        m_section.reset();
        return;
    }
    // A section of another class leaves what the label had.
    if (auto* s = skin().section<TbsDataSkinStdLabelControl>())
        m_section = *s;
}

Font TbsSkinStdLabel::textFont() const
{
    Font f;
    if (!m_section) {
        f = UseSkinFont() ? DefaultFont() : font();
    } else {
        f = UseSkinFont() ? skinFont(m_section->Font, DefaultFont()) : font();
        f.color = m_section->Font.FontColor;
    }
    f.charset = skin().charset(DefaultFont());
    return f;
}

TColor TbsSkinStdLabel::currentTextColor() const { return textFont().color; }

std::vector<std::string> TbsSkinStdLabel::lines(Canvas& canvas) const
{
    std::string text = stripAccelerator(m_caption);
    if (text.empty())
        return {std::string(1, ' ')};
    if (!m_wordWrap)
        return {text};
    std::vector<std::string> out;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && canvas.textWidth(candidate) > width()) {
            out.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    out.push_back(line.empty() ? " " : line);
    return out;
}

void TbsSkinStdLabel::adjustSize()
{
    if (m_autoSize)
        requestMeasure();
}

void TbsSkinStdLabel::measure()
{
    if (!m_autoSize)
        return;
    Bitmap probe(1, 1);
    Canvas& canvas = probe.canvas();
    canvas.font = textFont();
    int lineHeight = canvas.textHeight("Ag");
    std::vector<std::string> text = lines(canvas);
    int w = 0;
    for (const auto& line : text)
        w = std::max(w, canvas.textWidth(line));
    int h = lineHeight * static_cast<int>(text.size());
    // A wrapping label keeps its width and grows downwards.
    TbsSkinControl::setBounds(left(), top(), m_wordWrap ? width() : w, h);
}

void TbsSkinStdLabel::drawDefaultLook(Canvas& canvas)
{
    canvas.font = textFont();
    canvas.setBackgroundTransparent(true);
    int lineHeight = canvas.textHeight("Ag");
    int y = 0;
    for (const auto& line : lines(canvas)) {
        int w = canvas.textWidth(line);
        int x = 0;
        if (m_alignment == TAlignment::Center)
            x = (width() - w) / 2;
        else if (m_alignment == TAlignment::RightJustify)
            x = width() - w;
        if (enabled()) {
            canvas.font.color = currentTextColor();
            canvas.textOut(x, y, line);
        } else {
            canvas.font.color = clBtnHighlight;
            canvas.textOut(x + 1, y + 1, line);
            canvas.font.color = clBtnShadow;
            canvas.textOut(x, y, line);
        }
        y += lineHeight;
    }
}

TbsSkinLinkLabel::TbsSkinLinkLabel(TWinControl* parent, const UiServices& ui) : TbsSkinStdLabel(parent), m_ui(ui)
{
    Font f = skinDefaultFont();
    f.style = fsUnderline;
    setDefaultFont(f);
    setCursor(TCursor::HandPoint);
    setTabStop(true);
}

void TbsSkinLinkLabel::keyDown(int& key, unsigned shift)
{
    TbsSkinStdLabel::keyDown(key, shift);
    if (key != VK_RETURN && key != VK_SPACE)
        return;
    key = 0;
    click();
}

void TbsSkinLinkLabel::paint(Canvas& canvas)
{
    TbsSkinStdLabel::paint(canvas);
    if (!focused())
        return;
    // The keyboard's place, dotted as the grid's focused cell.
    TRect const r = clientRect();
    canvas.pen = Pen{};
    canvas.pen.color = currentTextColor();
    canvas.pen.cosmeticDots = true;
    canvas.polyline({TPoint{r.left, r.top}, TPoint{r.right - 1, r.top}, TPoint{r.right - 1, r.bottom - 1},
                     TPoint{r.left, r.bottom - 1}, TPoint{r.left, r.top}});
}

Font TbsSkinLinkLabel::textFont() const
{
    Font f = TbsSkinStdLabel::textFont();
    f.style |= fsUnderline;
    return f;
}

TColor TbsSkinLinkLabel::currentTextColor() const
{
    if (!m_hot)
        return textFont().color;
    return section() ? section()->ActiveFontColor : m_activeColor;
}

void TbsSkinLinkLabel::mouseEnter()
{
    m_hot = true;
    invalidate();
    TbsSkinStdLabel::mouseEnter();
}

void TbsSkinLinkLabel::mouseLeave()
{
    m_hot = false;
    invalidate();
    TbsSkinStdLabel::mouseLeave();
}

void TbsSkinLinkLabel::mouseUp(MouseButton button, unsigned, int x, int y)
{
    if (button == MouseButton::Left && clientRect().contains(TPoint{x, y}))
        click();
}

void TbsSkinLinkLabel::click()
{
    TbsSkinStdLabel::click();
    if (!m_url.empty() && m_ui.shellOpen)
        m_ui.shellOpen(m_url);
}

} // namespace qv
