#include "skin/controls/SkinPageControl.h"

#include "runtime/core/Property.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/Graphics.h"
#include "runtime/ui/Menus.h"
#include "skin/bitmaps/SkinBitmaps.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

namespace {

// Space the native control leaves on either side of a tab's caption.
constexpr int tabPadding = 6;


// Tiles src (a rectangle of the picture) over area of out from the area's
// top-left, the last column and row cut to fit.
void tile(TbsSkinPicture& out, const TRect& area, const TbsSkinPicture& picture, const TRect& src)
{
    const int tw = src.width(), th = src.height();
    if (tw <= 0 || th <= 0)
        return;
    for (int y = area.top; y < area.bottom; y += th) {
        for (int x = area.left; x < area.right; x += tw) {
            TRect dst{x, y, std::min(x + tw, area.right), std::min(y + th, area.bottom)};
            out.copyRect(dst, picture, TRect{src.left, src.top, src.left + dst.width(), src.top + dst.height()});
        }
    }
}

// Side tabs carry turned text: the tab is drawn lying down and turned into place.
Bitmap turned(Bitmap& tab, TTabPosition position)
{
    const int w = tab.width(), h = tab.height();
    Bitmap out(h, w);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (position == TTabPosition::tpLeft)
                out.setPixel(y, w - 1 - x, tab.pixel(x, y));
            else
                out.setPixel(h - 1 - y, x, tab.pixel(x, y));
        }
    }
    return out;
}

} // namespace

TbsSkinTabSheet::TbsSkinTabSheet(TbsSkinPageControl& pageControl, const std::string& caption)
    : TCustomControl(&pageControl), m_pageControl(pageControl), m_caption(caption)
{
    setColor(clBtnFace);
}

void TbsSkinTabSheet::setCaption(const std::string& caption)
{
    if (assignChanged(m_caption, caption))
        m_pageControl.tabsChanged();
}

void TbsSkinTabSheet::setTabVisible(bool visible)
{
    if (assignChanged(m_tabVisible, visible))
        m_pageControl.tabsChanged();
}

int TbsSkinTabSheet::PageIndex() const
{
    for (int i = 0; i < m_pageControl.PageCount(); ++i) {
        if (&m_pageControl.Page(i) == this)
            return i;
    }
    return -1;
}

void TbsSkinTabSheet::paint(Canvas& canvas) { m_pageControl.paintSheet(canvas, *this); }

void TbsSkinTabSheet::mouseEnter()
{
    m_pageControl.clearHotTab();
    TCustomControl::mouseEnter();
}

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
    tabsChanged();
    return *m_pages.back();
}

void TbsSkinPageControl::tabsChanged()
{
    setBounds(left(), top(), width(), height());
    invalidate();
    accessibleNotify(TAccessibleEvent::ItemsChanged);
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
    bringSelectedIntoView();
    invalidate();
    m_pages[index]->invalidate();
    int tab = visibleIndexOf(index);
    accessibleNotify(TAccessibleEvent::SelectionChanged, tab);
    if (focused())
        accessibleNotify(TAccessibleEvent::Focus, tab);
    if (onChange)
        onChange();
}

TAccessibleItem TbsSkinPageControl::accessibleItem(int index) const
{
    std::vector<int> tabs = visibleTabs();
    TAccessibleItem item;
    if (index < 0 || index >= static_cast<int>(tabs.size()))
        return item;
    item.role = TAccessibleRole::PageTab;
    item.name = stripAccelerator(m_pages[tabs[index]]->Caption());
    item.states = asSelectable | (tabs[index] == m_activeIndex ? asSelected : 0u);
    item.bounds = tabRect(index);
    item.actions = {TAccessibleAction::Press};
    return item;
}

void TbsSkinPageControl::accessibleItemDo(int index, TAccessibleAction)
{
    std::vector<int> tabs = visibleTabs();
    if (index >= 0 && index < static_cast<int>(tabs.size()))
        setActivePageIndex(tabs[index]);
}

void TbsSkinPageControl::setActivePage(TbsSkinTabSheet& page) { setActivePageIndex(page.PageIndex()); }

void TbsSkinPageControl::setTabHeight(int height)
{
    if (assignChanged(m_tabHeight, height))
        skinFontChanged();
}

void TbsSkinPageControl::setTabWidth(int width)
{
    if (assignChanged(m_tabWidth, width))
        tabsChanged();
}

void TbsSkinPageControl::setTabPosition(TTabPosition position)
{
    if (!assignChanged(m_tabPosition, position))
        return;
    m_firstTab = 0;
    tabsChanged();
}

void TbsSkinPageControl::setDefaultItemHeight(int height)
{
    if (!assignChanged(m_defaultItemHeight, height))
        return;
    if (!skin().hasSection())
        skinFontChanged();
}

void TbsSkinPageControl::setBounds(int left, int top, int width, int height)
{
    TbsSkinControl::setBounds(left, top, width, height);
    layoutPages();
    requestMeasure(Measured::Content);
}

void TbsSkinPageControl::bindSection()
{
    TbsSkinControl::bindSection();
    m_look.reset();
    auto* s = skin().section<TbsDataSkinTabControl>();
    if (!s)
        return;
    Look look;
    look.picture = SkinData()->activePicture(s->PictureIndex);
    look.fields = TbsPieceFields{s->LTPoint, s->RTPoint, s->LBPoint, s->RBPoint, s->SkinRect, s->ClRect};
    look.normal = s->TabRect;
    look.selected = s->ActiveTabRect.isEmpty() ? s->TabRect : s->ActiveTabRect;
    look.focused = s->FocusTabRect.isEmpty() ? s->ActiveTabRect : s->FocusTabRect;
    look.hot = s->MouseInTabRect;
    look.tabsBG = s->TabsBGRect;
    look.leftOffset = s->TabLeftOffset;
    look.rightOffset = s->TabRightOffset;
    look.font = s->Font;
    look.activeFontColor = s->ActiveFontColor;
    look.focusFontColor = s->FocusFontColor;
    look.hotFontColor = s->MouseInFontColor;
    look.upDown = s->UpDown;
    look.bgPictureIndex = s->BGPictureIndex;
    m_look = look;
}

void TbsSkinPageControl::skinChangeBegins()
{
    TbsSkinControl::skinChangeBegins();
    m_look.reset();
}

void TbsSkinPageControl::skinChanged()
{
    bindSection();
    applyTabMetrics();
    // A scroller of the old skin goes; the check makes one of the new skin when tabs are still hidden.
    m_upDown.reset();
    layoutPages();
    requestMeasure(Measured::Content);
    invalidate();
    if (TbsSkinTabSheet* page = ActivePage())
        page->invalidate();
}

void TbsSkinPageControl::skinFontChanged()
{
    applyTabMetrics();
    setBounds(left(), top(), width(), height());
    invalidate();
}

// The control's Font becomes the tab font, which the tab widths are measured with.
void TbsSkinPageControl::applyTabMetrics()
{
    Font f = DefaultFont();
    if (m_look) {
        if (UseSkinFont())
            f = skinFont(m_look->font, DefaultFont());
        f.color = m_look->font.FontColor;
        m_itemHeight = m_tabHeight > 0 ? m_tabHeight : m_look->normal.height();
    } else {
        m_itemHeight = m_tabHeight > 0 ? m_tabHeight : m_defaultItemHeight;
    }
    f.charset = skin().charset(DefaultFont());
    setFont(f);
}

void TbsSkinPageControl::fontChanged()
{
    layoutPages();
    requestMeasure(Measured::Content);
    invalidate();
}

std::vector<int> TbsSkinPageControl::visibleTabs() const
{
    std::vector<int> out;
    for (int i = 0; i < PageCount(); ++i)
        if (m_pages[i]->TabVisible())
            out.push_back(i);
    return out;
}

int TbsSkinPageControl::visibleIndexOf(int pageIndex) const
{
    std::vector<int> tabs = visibleTabs();
    auto it = std::find(tabs.begin(), tabs.end(), pageIndex);
    return it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin());
}

int TbsSkinPageControl::platformTabLength(int pageIndex) const
{
    if (m_tabWidth > 0)
        return m_tabWidth;
    if (!m_captionsMeasured)
        measureCaptions();
    return pageIndex < static_cast<int>(m_captionWidths.size()) ? m_captionWidths[pageIndex] + 2 * tabPadding : 0;
}

void TbsSkinPageControl::measure() { checkScroller(); }

void TbsSkinPageControl::measureCaptions() const
{
    m_captionsMeasured = true;
    Bitmap probe(1, 1);
    probe.canvas().font = font();
    m_captionWidths.clear();
    for (const TbsSkinTabSheet* page : m_pages)
        m_captionWidths.push_back(probe.canvas().textWidth(stripAccelerator(page->Caption())));
}

// The native control lays its tabs out from 2 pixels in, one row, scrolled by
// firstTab, and keeps the pages 4 pixels inside its edges and the tab row.
TRect TbsSkinPageControl::platformTabRect(int visibleIndex) const
{
    std::vector<int> tabs = visibleTabs();
    if (visibleIndex < 0 || visibleIndex >= static_cast<int>(tabs.size()))
        return TRect{};
    int start = 2;
    for (int i = 0; i < visibleIndex; ++i)
        start += platformTabLength(tabs[i]);
    for (int i = 0; i < m_firstTab && i < static_cast<int>(tabs.size()); ++i)
        start -= platformTabLength(tabs[i]);
    const int end = start + platformTabLength(tabs[visibleIndex]), h = m_itemHeight, W = width(), H = height();
    switch (m_tabPosition) {
    case TTabPosition::tpTop: return TRect{start, 2, end, 2 + h};
    case TTabPosition::tpBottom: return TRect{start, H - 2 - h, end, H - 2};
    case TTabPosition::tpLeft: return TRect{2, start, 2 + h, end};
    case TTabPosition::tpRight: return TRect{W - 2 - h, start, W - 2, end};
    }
    return TRect{};
}

TRect TbsSkinPageControl::platformDisplayRect() const
{
    const int h = m_itemHeight, W = width(), H = height();
    switch (m_tabPosition) {
    case TTabPosition::tpTop: return TRect{4, h + 6, W - 4, H - 4};
    case TTabPosition::tpBottom: return TRect{4, 4, W - 4, H - h - 4};
    case TTabPosition::tpLeft: return TRect{h + 4, 4, W - 4, H - 4};
    case TTabPosition::tpRight: return TRect{4, 4, W - h - 4, H - 4};
    }
    return TRect{};
}

TRect TbsSkinPageControl::tabRect(int visibleIndex) const
{
    TRect r = platformTabRect(visibleIndex);
    if (r.isEmpty())
        return r;
    switch (m_tabPosition) {
    case TTabPosition::tpTop: return r.offset(-2, -2);
    case TTabPosition::tpBottom: return r.offset(-2, 2);
    case TTabPosition::tpLeft: return r.offset(-2, 0);
    case TTabPosition::tpRight: return r.offset(2, 0);
    }
    return r;
}

// The skin's frame is a and b pixels wide on the right and bottom; the pages sit inside it.
TRect TbsSkinPageControl::displayRect() const
{
    TRect R = platformDisplayRect();
    const int CW = width(), CH = height();
    if (!m_look) {
        switch (m_tabPosition) {
        case TTabPosition::tpTop: return TRect{1, R.top - 5, CW - 1, CH - 1};
        case TTabPosition::tpBottom: return TRect{1, 1, CW - 1, R.bottom + 3};
        case TTabPosition::tpLeft: return TRect{R.left - 3, R.top - 5, CW - 1, CH - 1};
        case TTabPosition::tpRight: return TRect{R.left - 3, R.top - 5, R.right + 3, CH - 1};
        }
        return R;
    }
    const TRect& C = m_look->fields.clientRect;
    const int a = m_look->fields.sw() - C.right, b = m_look->fields.sh() - C.bottom;
    switch (m_tabPosition) {
    case TTabPosition::tpTop: return TRect{C.left, R.top + C.top - 6, CW - a, CH - b};
    case TTabPosition::tpBottom: return TRect{C.left, R.top + C.top - 4, CW - a, R.bottom + 4 - b};
    case TTabPosition::tpLeft: return TRect{R.left + C.left - 4, R.top + C.top - 4, CW - a, CH - b};
    case TTabPosition::tpRight: return TRect{C.left, R.top + C.top - 4, R.right + 4 - a, CH - b};
    }
    return R;
}

int TbsSkinPageControl::tabAt(int x, int y) const
{
    for (int i = 0; i < visibleTabCount(); ++i) {
        if (tabRect(i).contains(TPoint{x, y}))
            return i;
    }
    return -1;
}

void TbsSkinPageControl::layoutPages()
{
    m_captionsMeasured = false;
    TRect r = displayRect();
    for (int i = 0; i < PageCount(); ++i) {
        m_pages[i]->setBounds(r.left, r.top, r.width(), r.height());
        m_pages[i]->setVisible(i == m_activeIndex);
    }
}

int TbsSkinPageControl::hiddenTabCount() const
{
    const int limit = width() - (m_upDown ? m_upDown->width() : 0) - 3;
    int hidden = 0;
    for (int i = 0; i < visibleTabCount(); ++i) {
        TRect r = tabRect(i);
        hidden += r.right > limit || r.right <= 0;
    }
    return hidden;
}

int TbsSkinPageControl::tabsScrolledOff() const
{
    int off = 0;
    for (int i = 0; i < visibleTabCount(); ++i)
        off += tabRect(i).right <= 0;
    return off;
}

void TbsSkinPageControl::checkScroller()
{
    if (!horizontalTabs()) {
        m_upDown.reset();
        return;
    }
    if (hiddenTabCount() == 0) {
        m_upDown.reset();
        return;
    }
    if (!m_upDown) {
        m_upDown = std::make_unique<TbsSkinUpDown>(this);
        m_upDown->setBounds(0, 0, 2 * m_defaultItemHeight, m_defaultItemHeight);
        m_upDown->setMin(0);
        m_upDown->setMax(hiddenTabCount());
        m_upDown->setPosition(tabsScrolledOff());
        m_upDown->setIncrement(1);
        m_upDown->setSkinDataName(m_look ? m_look->upDown : std::string());
        m_upDown->setSkinData(SkinData());
        m_upDown->onChange = [this] { scrollerMoved(); };
        m_upDown->onMouseEnter = [this] { clearHotTab(); };
        m_upDown->show();
    }
    m_upDown->setMax(hiddenTabCount());
    const int w = m_upDown->width(), h = m_upDown->height();
    m_upDown->setBounds(width() - w, m_tabPosition == TTabPosition::tpBottom ? height() - h : 0, w, h);
}

void TbsSkinPageControl::scrollerMoved()
{
    m_upDown->setMax(hiddenTabCount());
    m_firstTab = std::clamp(m_upDown->Position(), 0, std::max(0, visibleTabCount() - 1));
    invalidate();
}

// The native control scrolls a newly selected tab into view; the scroller follows.
void TbsSkinPageControl::bringSelectedIntoView()
{
    if (!m_upDown)
        return;
    int selected = visibleIndexOf(m_activeIndex);
    if (selected < 0)
        return;
    if (selected < m_firstTab)
        m_firstTab = selected;
    const int limit = width() - m_upDown->width() - 3;
    while (m_firstTab < selected && tabRect(selected).right > limit)
        ++m_firstTab;
    m_upDown->setMax(hiddenTabCount());
    m_upDown->setPosition(tabsScrolledOff());
}

TbsSkinPageControl::TabState TbsSkinPageControl::tabState(int visibleIndex) const
{
    bool selected = visibleIndex == visibleIndexOf(m_activeIndex);
    if (visibleIndex == m_hotTab && !selected)
        return TabState::Hot;
    if (selected)
        return focused() ? TabState::Focused : TabState::Selected;
    return TabState::Normal;
}

Font TbsSkinPageControl::tabTextFont() const
{
    Font f = m_look && UseSkinFont() ? skinFont(m_look->font, font()) : font();
    f.charset = skin().charset(font());
    return f;
}

void TbsSkinPageControl::drawDefaultLook(Canvas& canvas)
{
    if (width() <= 0 || height() <= 0)
        return;
    fillRect(canvas, clientRect(), clBtnFace);
    frameRect(canvas, inflate(displayRect(), 1), clBtnShadow);
    for (int i = 0; i < visibleTabCount(); ++i)
        drawTab(canvas, i);
}

// The frame around the pages in the skin: the display rectangle grown by the section's margins.
void TbsSkinPageControl::drawFrame(TbsSkinPicture& out) const
{
    const TbsPieceFields& f = m_look->fields;
    if (f.RB.x == f.LT.x || f.RB.y == f.LT.y || f.skinRect.isEmpty())
        return;
    const TRect D = displayRect(), &C = f.clientRect;
    const TRect F{D.left - C.left, D.top - C.top, D.right + f.sw() - C.right, D.bottom + f.sh() - C.bottom};
    if (F.isEmpty())
        return;
    TbsPieceGeometry g = newGeometry(f, TbsPieceMode::Framed, F.width(), F.height());
    TbsSkinPicture frame;
    DrawFramedPiece(frame, m_look->picture, f, g, false);
    // The centre stays as it was: the pages cover it.
    const TRect& Cn = g.clientRect;
    const int W = g.width, H = g.height;
    for (TRect band : {TRect{0, 0, W, Cn.top}, TRect{0, Cn.bottom, W, H}, TRect{0, Cn.top, Cn.left, Cn.bottom},
                       TRect{Cn.right, Cn.top, W, Cn.bottom}})
        if (!band.isEmpty())
            out.copyRect(band.offset(F.left, F.top), frame, band);
}

void TbsSkinPageControl::tileTabStrip(TbsSkinPicture& out) const
{
    if (m_look->tabsBG.isEmpty())
        return;
    const TRect D = displayRect(), &C = m_look->fields.clientRect;
    const TRect F{D.left - C.left, D.top - C.top, D.right + m_look->fields.sw() - C.right,
                  D.bottom + m_look->fields.sh() - C.bottom};
    const int W = width(), H = height();
    TRect area;
    switch (m_tabPosition) {
    case TTabPosition::tpTop: area = TRect{0, 0, W, F.top}; break;
    case TTabPosition::tpBottom: area = TRect{0, F.bottom, W, H}; break;
    case TTabPosition::tpLeft: area = TRect{0, 0, F.left, H}; break;
    case TTabPosition::tpRight: area = TRect{F.right, 0, W, H}; break;
    }
    tile(out, area, *m_look->picture, m_look->tabsBG);
}

void TbsSkinPageControl::drawSkinLook(Canvas& canvas)
{
    if (width() <= 0 || height() <= 0)
        return;
    if (!m_look || !m_look->picture) {
        drawDefaultLook(canvas);
        return;
    }
    // Composed for each paint, not kept: the control paints seldom (a tab or a size
    // changes), and a picture of its whole size held memory the window never needed.
    TbsSkinPicture out(width(), height(), colorToRGB(clBtnFace));
    tileTabStrip(out);
    drawFrame(out);
    drawSkinPicture(canvas, 0, 0, out);
    for (int i = 0; i < visibleTabCount(); ++i)
        drawTab(canvas, i);
}

void TbsSkinPageControl::drawTab(Canvas& canvas, int visibleIndex)
{
    const TRect r = tabRect(visibleIndex);
    if (r.isEmpty())
        return;
    const int w = horizontalTabs() ? r.width() : r.height();
    const int h = horizontalTabs() ? r.height() : r.width();
    const TabState state = tabState(visibleIndex);
    Bitmap tab;
    Font textFont;
    if (m_look && m_look->picture) {
        const Look& look = *m_look;
        const TRect* source = &look.selected;
        TColor color = look.activeFontColor;
        if (state == TabState::Hot) {
            source = look.hot.isEmpty() ? &look.normal : &look.hot;
            color = look.hotFontColor;
        } else if (state == TabState::Focused) {
            source = &look.focused;
            color = look.focusFontColor;
        } else if (state == TabState::Normal) {
            source = &look.normal;
            color = look.font.FontColor;
        }
        TbsSkinPicture piece;
        DrawHorizontalPiece(piece, look.picture, look.leftOffset, look.rightOffset, w, *source);
        if (m_tabHeight > 0 && piece.height() != h) {
            TbsSkinPicture stretched(w, h);
            stretched.copyRect(TRect{0, 0, w, h}, piece, TRect{0, 0, piece.width(), piece.height()});
            piece = stretched;
        }
        if (m_tabPosition == TTabPosition::tpBottom) {
            TbsSkinPicture mirrored(piece.width(), piece.height());
            for (int y = 0; y < piece.height(); ++y)
                mirrored.copyRect(TRect{0, y, piece.width(), y + 1}, piece,
                                  TRect{0, piece.height() - 1 - y, piece.width(), piece.height() - y});
            piece = mirrored;
        }
        tab = toBitmap(piece);
        textFont = tabTextFont();
        textFont.color = color;
    } else {
        tab.setSize(w, h);
        Canvas& c = tab.canvas();
        const TRect all{0, 0, w, h};
        switch (state) {
        case TabState::Hot: fillRect(c, all, hotFill); break;
        case TabState::Focused:
            fillRect(c, all, downFill);
            frameRect(c, all, navyFrame);
            break;
        case TabState::Selected:
            fillRect(c, all, hotFill);
            frameRect(c, all, navyFrame);
            break;
        case TabState::Normal: fillRect(c, all, clBtnFace); break;
        }
        textFont = font();
        textFont.charset = skin().charset(font());
    }
    Canvas& c = tab.canvas();
    c.font = textFont;
    centredText(c, TRect{0, 0, tab.width(), tab.height()},
                stripAccelerator(m_pages[visibleTabs()[visibleIndex]]->Caption()));
    if (horizontalTabs())
        canvas.draw(r.left, r.top, tab);
    else
        canvas.draw(r.left, r.top, turned(tab, m_tabPosition));
}

void TbsSkinPageControl::paintSheet(Canvas& canvas, const TbsSkinTabSheet& sheet)
{
    const int W = sheet.width(), H = sheet.height();
    if (W <= 0 || H <= 0)
        return;
    bindSection();
    const TbsSkinPicture* picture = nullptr;
    TRect piece;
    if (m_look && m_look->bgPictureIndex == -1 && m_look->picture) {
        const TRect &S = m_look->fields.skinRect, &C = m_look->fields.clientRect;
        picture = m_look->picture;
        piece = TRect{S.left + C.left, S.top + C.top, S.left + C.right, S.top + C.bottom};
    } else if (m_look && m_look->bgPictureIndex != -1) {
        picture = SkinData()->activePicture(m_look->bgPictureIndex);
        if (picture)
            piece = TRect{0, 0, picture->width(), picture->height()};
    }
    if (!picture || piece.isEmpty()) {
        fillRect(canvas, sheet.clientRect(), clBtnFace);
        return;
    }
    // Only the part asked for is tiled, in the sheet's phase: every transparent control
    // on the sheet asks for the part behind it.
    TRect const clip = canvas.clipBox();
    TRect const box{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, W), std::min(clip.bottom, H)};
    if (box.isEmpty())
        return;
    TbsSkinPicture part;
    part.setSize(box.width(), box.height());
    tile(part, TRect{-box.left, -box.top, W - box.left, H - box.top}, *picture, piece);
    drawSkinPicture(canvas, box.left, box.top, part);
}

void TbsSkinPageControl::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    mouseMove(shift, x, y);
    if (button != MouseButton::Left)
        return;
    int index = tabAt(x, y);
    if (index < 0)
        return;
    setFocus();
    setActivePageIndex(visibleTabs()[index]);
}

void TbsSkinPageControl::mouseMove(unsigned, int x, int y)
{
    if (assignChanged(m_hotTab, tabAt(x, y)))
        invalidate();
}

void TbsSkinPageControl::clearHotTab()
{
    if (assignChanged(m_hotTab, -1))
        invalidate();
}

void TbsSkinPageControl::mouseLeave()
{
    clearHotTab();
    TbsSkinControl::mouseLeave();
}

void TbsSkinPageControl::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    std::vector<int> tabs = visibleTabs();
    int current = visibleIndexOf(m_activeIndex);
    if ((key == VK_LEFT || key == VK_UP) && current > 0)
        setActivePageIndex(tabs[current - 1]);
    else if ((key == VK_RIGHT || key == VK_DOWN) && current >= 0 && current + 1 < static_cast<int>(tabs.size()))
        setActivePageIndex(tabs[current + 1]);
}

} // namespace qv
