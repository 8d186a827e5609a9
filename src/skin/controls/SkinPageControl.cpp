#include "skin/controls/SkinPageControl.h"

#include "runtime/graphics/Bitmap.h"

namespace qv {

using namespace defaultlook;

namespace {
constexpr int tabPadding = 6;
}

TbsSkinTabSheet::TbsSkinTabSheet(TbsSkinPageControl& pageControl, const std::string& caption)
    : TCustomControl(&pageControl), m_pageControl(pageControl), m_caption(caption)
{
    setColor(clBtnFace);
}

void TbsSkinTabSheet::setCaption(const std::string& caption)
{
    m_caption = caption;
    m_pageControl.invalidate();
}

int TbsSkinTabSheet::PageIndex() const
{
    for (int i = 0; i < m_pageControl.PageCount(); ++i) {
        if (&m_pageControl.Page(i) == this)
            return i;
    }
    return -1;
}

void TbsSkinTabSheet::paint(Canvas& canvas) { fillRect(canvas, clientRect(), clBtnFace); }

TbsSkinPageControl::TbsSkinPageControl(TWinControl* parent) : TbsSkinControl(parent, "tab")
{
    Font f = skinDefaultFont();
    f.color = clBtnText;
    setDefaultFont(f);
    setFont(f);
    setTabStop(true);
    setBounds(0, 0, 289, 193);
}

TbsSkinTabSheet& TbsSkinPageControl::addPage(const std::string& caption)
{
    m_ownedPages.push_back(std::make_unique<TbsSkinTabSheet>(*this, caption));
    m_pages.push_back(m_ownedPages.back().get());
    if (m_activeIndex < 0)
        m_activeIndex = 0;
    layoutPages();
    invalidate();
    return *m_pages.back();
}

TbsSkinTabSheet* TbsSkinPageControl::ActivePage() const
{
    return m_activeIndex >= 0 && m_activeIndex < PageCount() ? m_pages[m_activeIndex] : nullptr;
}

void TbsSkinPageControl::setActivePageIndex(int index)
{
    if (index < 0 || index >= PageCount() || index == m_activeIndex)
        return;
    bool allow = true;
    if (onChanging)
        onChanging(allow);
    if (!allow)
        return;
    m_activeIndex = index;
    layoutPages();
    invalidate();
    if (onChange)
        onChange();
}

void TbsSkinPageControl::setActivePage(TbsSkinTabSheet& page) { setActivePageIndex(page.PageIndex()); }

void TbsSkinPageControl::setTabHeight(int height)
{
    m_tabHeight = height;
    layoutPages();
    invalidate();
}

void TbsSkinPageControl::setDefaultItemHeight(int height)
{
    m_defaultItemHeight = height;
    layoutPages();
    invalidate();
}

void TbsSkinPageControl::setBounds(int left, int top, int width, int height)
{
    TbsSkinControl::setBounds(left, top, width, height);
    layoutPages();
}

int TbsSkinPageControl::itemHeight() const { return m_tabHeight > 0 ? m_tabHeight : m_defaultItemHeight; }

TRect TbsSkinPageControl::displayRect() const
{
    // The native control would put the pages below the tab row with a margin;
    // the plain look pulls them up by 5 and keeps a 1-pixel frame around them.
    int platformTop = itemHeight() + 4;
    return TRect{1, platformTop - 5, width() - 1, height() - 1};
}

TRect TbsSkinPageControl::tabRect(int index) const
{
    Bitmap probe(1, 1);
    Canvas& canvas = probe.canvas();
    canvas.font = font();
    int x = 0;
    for (int i = 0; i < PageCount(); ++i) {
        int w = canvas.textWidth(m_pages[i]->Caption()) + 2 * tabPadding;
        if (i == index)
            return TRect{x, 0, x + w, itemHeight()};
        x += w;
    }
    return TRect{};
}

int TbsSkinPageControl::tabAt(int x, int y) const
{
    for (int i = 0; i < PageCount(); ++i) {
        if (tabRect(i).contains(TPoint{x, y}))
            return i;
    }
    return -1;
}

void TbsSkinPageControl::layoutPages()
{
    TRect r = displayRect();
    for (int i = 0; i < PageCount(); ++i) {
        m_pages[i]->setBounds(r.left, r.top, r.width(), r.height());
        m_pages[i]->setVisible(i == m_activeIndex);
    }
}

void TbsSkinPageControl::drawDefaultLook(Canvas& canvas)
{
    if (width() <= 0 || height() <= 0)
        return;
    fillRect(canvas, clientRect(), clBtnFace);
    frameRect(canvas, inflate(displayRect(), 1), clBtnShadow);
    for (int i = 0; i < PageCount(); ++i)
        drawTab(canvas, i);
}

void TbsSkinPageControl::paintBackgroundFor(Canvas& canvas, const TControl&) { drawDefaultLook(canvas); }

void TbsSkinPageControl::drawTab(Canvas& canvas, int index)
{
    TRect r = tabRect(index);
    bool selected = index == m_activeIndex;
    bool hot = index == m_hotTab;
    if (hot && !selected) {
        fillRect(canvas, r, hotFill);
    } else if (selected) {
        fillRect(canvas, r, focused() ? downFill : hotFill);
        frameRect(canvas, r, navyFrame);
    } else {
        fillRect(canvas, r, clBtnFace);
    }
    canvas.font = font();
    centredText(canvas, r, m_pages[index]->Caption());
}

void TbsSkinPageControl::mouseDown(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left)
        return;
    int index = tabAt(x, y);
    if (index >= 0) {
        setFocus();
        setActivePageIndex(index);
    }
}

void TbsSkinPageControl::mouseMove(unsigned, int x, int y)
{
    int hot = tabAt(x, y);
    if (hot == m_hotTab)
        return;
    m_hotTab = hot;
    invalidate();
}

void TbsSkinPageControl::mouseLeave()
{
    m_hotTab = -1;
    invalidate();
    TbsSkinControl::mouseLeave();
}

void TbsSkinPageControl::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    if (key == VK_LEFT && m_activeIndex > 0)
        setActivePageIndex(m_activeIndex - 1);
    else if (key == VK_RIGHT && m_activeIndex + 1 < PageCount())
        setActivePageIndex(m_activeIndex + 1);
}

} // namespace qv
