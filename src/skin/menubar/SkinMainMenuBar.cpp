#include "skin/menubar/SkinMainMenuBar.h"

#include "runtime/graphics/Bitmap.h"
#include "skin/bitmaps/SkinBitmaps.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

namespace {

constexpr int markerWidth = 5;

// A bar item image with its caption drawn in, so that a morph fades text and picture together.
TbsSkinPicture withCaption(const TbsSkinPicture& image, const std::string& caption, Font font, TColor color, TPoint at)
{
    Bitmap bitmap = toBitmap(image);
    font.color = color;
    bitmap.canvas().font = font;
    drawMenuCaption(bitmap.canvas(), at.x, at.y, caption);
    TbsSkinPicture out(image.width(), image.height());
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, bitmap.pixel(x, y));
    }
    return out;
}

} // namespace

TbsSkinMainMenuBar::TbsSkinMainMenuBar(TWinControl* parent) : TbsSkinControl(parent, "mainmenubar")
{
    m_itemFont = skinDefaultFont();
    m_itemFont.color = clBtnText;
    setDefaultHeight(22);
    setBounds(0, 0, parent ? parent->width() : 100, 22);
    m_mouseTimer.setInterval(50);
    m_mouseTimer.onTimer = [this] { poll(); };
}

TbsSkinMainMenuBar::~TbsSkinMainMenuBar()
{
    // The frame may outlive the bar; it must not reach back into it.
    if (m_skinForm && TbsSkinFormMenus::of(parentForm()) == m_skinForm && m_skinForm->MainMenuBar() == this)
        m_skinForm->setMainMenuBar(nullptr);
}

void TbsSkinMainMenuBar::setMainMenu(TMainMenu* menu)
{
    m_menu = menu;
    rebuild();
}

void TbsSkinMainMenuBar::setScrollMenu(bool scrollMenu)
{
    if (m_scrollMenu == scrollMenu)
        return;
    m_scrollMenu = scrollMenu;
    layoutItems();
}

void TbsSkinMainMenuBar::setDefItemFont(const Font& font)
{
    m_itemFont = font;
    layoutItems();
}

void TbsSkinMainMenuBar::bindSection()
{
    TbsSkinControl::bindSection();
    m_look = Look{};
    auto* bar = skin().section<TbsDataSkinMainMenuBar>();
    if (!bar)
        return;
    const TbsSkinData& model = *SkinData();
    m_look.bar = bar;
    m_look.picture = model.activePicture(bar->PictureIndex);
    int index = model.FindSkinObject(bar->MenuBarItem);
    if (index < 0)
        return;
    auto* item = dynamic_cast<const TbsDataSkinMainMenuItem*>(&model.skinObject(index));
    if (!item)
        return;
    m_look.item = item;
    m_look.itemPicture = model.activePicture(item->ActivePictureIndex);
    m_look.activeRect = item->ActiveSkinRect.isEmpty() ? item->SkinRect : item->ActiveSkinRect;
    m_look.downRect = item->DownRect.isEmpty() ? m_look.activeRect : item->DownRect;
    m_look.morphs = item->Morphing && !item->ActiveSkinRect.isEmpty();
}

void TbsSkinMainMenuBar::setBounds(int left, int top, int width, int height)
{
    bindSection();
    if (m_look.bar)
        height = m_look.bar->SkinRect.height();
    else if (DefaultHeight() > 0)
        height = DefaultHeight();
    TbsSkinControl::setBounds(left, top, width, height);
    layoutItems();
}

void TbsSkinMainMenuBar::skinChangeBegins()
{
    TbsSkinControl::skinChangeBegins();
    m_look = Look{};
    m_items.clear();
    m_active = m_previousActive = m_capture = -1;
    m_morphAnimator.stop();
}

void TbsSkinMainMenuBar::skinChanged()
{
    TbsSkinControl::skinChanged();
    rebuild();
}

void TbsSkinMainMenuBar::rebuild()
{
    m_items.clear();
    m_active = m_previousActive = m_capture = -1;
    if (m_menu) {
        TMenuItem& root = m_menu->items();
        for (int i = 0; i < root.count(); ++i) {
            TMenuItem& item = root.item(i);
            if (!item.visible())
                continue;
            BarItem bar;
            bar.item = &item;
            bar.name = item.name();
            bar.enabled = bar.keptEnabled = item.enabled();
            m_items.push_back(bar);
        }
    }
    bindSection();
    layoutItems();
    accessibleNotify(TAccessibleEvent::ItemsChanged);
}

TAccessibleItem TbsSkinMainMenuBar::accessibleItem(int index) const
{
    TAccessibleItem out;
    if (index < 0 || index >= itemCount())
        return out;
    const BarItem& bar = m_items[index];
    out.role = bar.item->count() > 0 ? TAccessibleRole::Menu : TAccessibleRole::MenuItem;
    out.name = stripAccelerator(bar.item->caption());
    out.shortcut = bar.item->shortCut();
    out.menu = bar.item->count() > 0 ? bar.item : nullptr;
    out.bounds = bar.shown ? bar.rect : TRect{};
    out.states = (bar.enabled ? 0u : asDisabled) | (bar.down ? asExpanded : 0u)
        | (m_menuMode && (bar.active || bar.down) ? asSelected | asFocused : 0u);
    if (bar.enabled)
        out.actions = {out.menu ? TAccessibleAction::Open : TAccessibleAction::Press};
    return out;
}

void TbsSkinMainMenuBar::accessibleItemDo(int index, TAccessibleAction)
{
    if (index < 0 || index >= itemCount() || m_items[index].down)
        return;
    itemMouseDown(index);
}

void TbsSkinMainMenuBar::accessibleMenuChosen(TMenuItem& item)
{
    // As a command chosen from an open menu: the menus close first.
    if (m_skinForm)
        m_skinForm->engine().closeAll();
    if (item.enabled())
        item.click();
}

Font TbsSkinMainMenuBar::itemFont() const
{
    Font f = m_itemFont;
    if (m_look.item && UseSkinFont()) {
        f.name = m_look.item->Font.FontName;
        f.cellHeight = m_look.item->Font.FontHeight;
        f.height = 0;
        f.style = m_look.item->Font.FontStyle;
        f.color = m_look.item->Font.FontColor;
    }
    if (SkinData() && SkinData()->ResourceStrData())
        f.charset = SkinData()->ResourceStrData()->CharSet;
    return f;
}

void TbsSkinMainMenuBar::layoutItems()
{
    requestMeasure(Measured::Content);
    invalidate();
}

void TbsSkinMainMenuBar::measure() { placeItems(); }

void TbsSkinMainMenuBar::placeItems()
{
    if (m_look.bar) {
        const TRect& I = m_look.bar->ItemsRect;
        m_itemsRect = TRect{I.left, I.top, width() + I.right - m_look.bar->SkinRect.width(), I.bottom};
    } else {
        m_itemsRect = TRect{2, 2, width() - 2, height() - 2};
    }
    m_scrolled = false;
    Bitmap probe(1, 1);
    Canvas& canvas = probe.canvas();
    canvas.font = itemFont();
    int limit = m_itemsRect.right - (m_scrollMenu ? markerWidth : 0);
    int x = m_itemsRect.left;
    for (auto& bar : m_items) {
        int textWidth = canvas.textWidth(stripAccelerator(bar.item->caption()));
        int w = 0, h = 0;
        if (m_look.item) {
            w = m_look.item->SkinRect.width() - m_look.item->TextRect.width() + textWidth + 2;
            h = m_look.item->SkinRect.height();
        } else {
            w = textWidth + 12;
            h = m_itemsRect.height();
        }
        bar.rect = TRect{x, m_itemsRect.top, x + w, m_itemsRect.top + h};
        x = bar.rect.right > 0 ? bar.rect.right : m_itemsRect.left;
        bool fits = bar.rect.right <= limit;
        if (fits && !bar.shown)
            bar.enabled = bar.keptEnabled;
        if (!fits && bar.shown) {
            bar.keptEnabled = bar.enabled;
            bar.enabled = false;
        }
        bar.shown = fits;
        m_scrolled = m_scrolled || !fits;
    }
}

int TbsSkinMainMenuBar::itemAt(TPoint p) const
{
    for (int i = 0; i < itemCount(); ++i) {
        const BarItem& bar = m_items[i];
        if (bar.enabled && bar.shown && bar.rect.contains(p))
            return i;
    }
    return -1;
}

TRect TbsSkinMainMenuBar::markerRect() const
{
    return TRect{m_itemsRect.right - markerWidth, m_itemsRect.top, m_itemsRect.right, m_itemsRect.bottom};
}

bool TbsSkinMainMenuBar::popupOpen() const { return m_skinForm && m_skinForm->engine().visible(); }

// ---- painting ----

void TbsSkinMainMenuBar::drawSkinLook(Canvas& canvas)
{
    if (!m_look.bar) {
        drawDefaultLook(canvas);
        return;
    }
    const TRect& S = m_look.bar->SkinRect;
    const TRect& I = m_look.bar->ItemsRect;
    TbsSkinPicture background;
    DrawHorizontalPiece(background, m_look.picture, I.left, S.width() - I.right, width(), S);
    drawSkinPicture(canvas, 0, 0, background);
    drawItems(canvas);
}

void TbsSkinMainMenuBar::drawDefaultLook(Canvas& canvas)
{
    fillRect(canvas, clientRect(), clBtnFace);
    drawItems(canvas);
}

void TbsSkinMainMenuBar::drawItems(Canvas& canvas)
{
    placeItems();
    for (const auto& bar : m_items) {
        if (bar.shown)
            drawItem(canvas, bar);
    }
    drawMarker(canvas);
}

void TbsSkinMainMenuBar::drawMarker(Canvas& canvas)
{
    if (!m_scrolled || !m_scrollMenu)
        return;
    TColor normal = m_look.bar ? m_look.bar->TrackMarkColor : clBtnShadow;
    TColor hot = m_look.bar ? m_look.bar->TrackMarkActiveColor : clBtnText;
    drawMenuArrow(canvas, markerRect(), TbsArrow::Right, m_markerActive ? hot : normal);
}

void TbsSkinMainMenuBar::drawItem(Canvas& canvas, const BarItem& bar)
{
    if (m_look.item)
        drawSkinnedItem(canvas, bar);
    else
        drawPlainItem(canvas, bar);
}

void TbsSkinMainMenuBar::drawSkinnedItem(Canvas& canvas, const BarItem& bar)
{
    const TbsDataSkinMainMenuItem& s = *m_look.item;
    const TRect& r = bar.rect;
    Font font = itemFont();
    TPoint textAt{s.TextRect.left + 1, s.TextRect.top};
    const std::string& caption = bar.item->caption();
    auto image = [&](const TRect& source, TColor color) {
        TbsSkinPicture p;
        DrawHorizontalPiece(p, m_look.itemPicture, s.ItemLeftOffset, s.ItemRightOffset, r.width(), source);
        return withCaption(p, caption, font, color, textAt);
    };
    TColor normalColor = bar.item->enabled() ? s.Font.FontColor : s.UnEnabledFontColor;
    // While morphing the factor alone decides, so a fade never jumps ahead of its steps.
    bool activeLook = m_look.morphs ? bar.morph.atActive() : bar.active;
    TbsSkinPicture look;
    if (bar.down)
        look = image(m_look.downRect, s.DownFontColor);
    else if (m_look.morphs && bar.morph.blending())
        look = morphBlend(image(s.SkinRect, normalColor), image(m_look.activeRect, s.ActiveFontColor),
                          bar.morph.factor(), s.MorphKind);
    else if (activeLook)
        look = image(m_look.activeRect, s.ActiveFontColor);
    else
        look = image(s.SkinRect, normalColor);
    drawSkinPicture(canvas, r.left, r.top, look);
}

void TbsSkinMainMenuBar::drawPlainItem(Canvas& canvas, const BarItem& bar)
{
    TRect r = bar.rect;
    if (bar.down) {
        fillRect(canvas, r, downFill);
        frameRect(canvas, r, navyFrame);
    } else if (bar.active) {
        fillRect(canvas, r, hotFill);
        frameRect(canvas, r, navyFrame);
    }
    Font font = m_itemFont;
    font.color = bar.item->enabled() ? m_itemFont.color : clBtnShadow;
    canvas.font = font;
    const std::string& caption = bar.item->caption();
    std::string text = stripAccelerator(caption);
    int shift = bar.down ? 1 : 0;
    int x = r.left + (r.width() - canvas.textWidth(text)) / 2 + shift;
    int y = r.top + (r.height() - canvas.textHeight(text)) / 2 + shift;
    drawMenuCaption(canvas, x, y, caption);
}

// ---- morphing ----

// The bar paints as a whole; a morphing item asks for its fade instead of jumping.
void TbsSkinMainMenuBar::redrawItem()
{
    if (m_look.item && m_look.morphs)
        m_morphAnimator.start();
    invalidate();
}

bool TbsSkinMainMenuBar::morphStep()
{
    if (!m_look.morphs)
        return false;
    bool moved = false;
    bool moving = false;
    for (auto& bar : m_items) {
        // A down item shows its down look and counts as at rest.
        if (bar.down)
            continue;
        moved = bar.morph.stepTowards(bar.active) || moved;
        moving = moving || !bar.morph.reached(bar.active);
    }
    if (moved)
        invalidate();
    return moving;
}

// ---- pointer ----

void TbsSkinMainMenuBar::trackPoint(TPoint p)
{
    int hit = itemAt(p);
    if (hit < 0 && m_menuMode && m_active >= 0)
        hit = m_active;
    if (m_capture >= 0 && hit != m_capture)
        hit = -1;
    if (hit != m_active) {
        int old = m_active;
        m_previousActive = old;
        m_active = hit;
        if (old >= 0 && old < itemCount())
            itemMouseLeave(old);
        if (hit >= 0)
            itemMouseEnter(hit);
    }
    if (m_scrolled) {
        bool onMarker = markerRect().contains(p);
        if (onMarker != m_markerActive) {
            m_markerActive = onMarker;
            invalidate();
        }
    }
}

void TbsSkinMainMenuBar::poll()
{
    TPoint p = screenToClient(mouseCursorPos());
    if (p.x < 0 || p.y < 0 || p.x >= width() || p.y >= height()) {
        m_mouseTimer.setEnabled(false);
        trackPoint(TPoint{-1, -1});
        return;
    }
    trackPoint(p);
}

void TbsSkinMainMenuBar::mouseEnter()
{
    m_mouseTimer.setEnabled(true);
    TbsSkinControl::mouseEnter();
}

void TbsSkinMainMenuBar::mouseMove(unsigned, int x, int y)
{
    m_mouseTimer.setEnabled(true);
    trackPoint(TPoint{x, y});
}

void TbsSkinMainMenuBar::mouseLeave()
{
    m_mouseTimer.setEnabled(false);
    trackPoint(TPoint{-1, -1});
    TbsSkinControl::mouseLeave();
}

void TbsSkinMainMenuBar::mouseDown(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left)
        return;
    trackPoint(TPoint{x, y});
    if (m_active >= 0) {
        m_capture = m_active;
        itemMouseDown(m_active);
        return;
    }
    if (m_scrolled && m_scrollMenu && markerRect().contains(TPoint{x, y}))
        openMarkerMenu();
}

void TbsSkinMainMenuBar::mouseUp(MouseButton, unsigned, int, int) { m_capture = -1; }

void TbsSkinMainMenuBar::openMarkerMenu()
{
    if (!m_skinForm || !m_menu)
        return;
    int shown = 0;
    for (const auto& bar : m_items)
        shown += bar.shown ? 1 : 0;
    TRect marker = markerRect();
    TPoint topLeft = clientToScreen(TPoint{marker.left, marker.top});
    m_skinForm->mainMenuPressed(*this);
    m_skinForm->engine().popup(nullptr, SkinData(), m_popupToUp, m_menu->items(),
                               TRect{topLeft.x, topLeft.y, topLeft.x + marker.width(), topLeft.y + marker.height()},
                               shown);
}

// ---- bar item events ----

void TbsSkinMainMenuBar::itemMouseEnter(int index)
{
    int down = -1;
    for (int i = 0; i < itemCount(); ++i) {
        if (i != index && m_items[i].down)
            down = i;
    }
    BarItem& bar = m_items[index];
    if (down >= 0) {
        // With a popup open, moving along the bar switches the open menu.
        release(down);
        bar.active = true;
        bar.morph.jumpTo(true);
        m_active = index;
        press(index);
        return;
    }
    for (int i = 0; i < itemCount(); ++i) {
        if (i != index && m_items[i].active)
            itemMouseLeave(i);
    }
    bar.active = true;
    bar.mouseIn = true;
    m_active = index;
    redrawItem();
    if (m_menuMode)
        accessibleNotify(TAccessibleEvent::Focus, index);
    if (onItemMouseEnter)
        onItemMouseEnter(*bar.item);
}

void TbsSkinMainMenuBar::itemMouseLeave(int index)
{
    BarItem& bar = m_items[index];
    bar.active = false;
    bar.mouseIn = false;
    if (m_look.morphs && bar.down)
        bar.morph.jumpTo(false);
    redrawItem();
    if (onItemMouseLeave)
        onItemMouseLeave(*bar.item);
}

void TbsSkinMainMenuBar::itemMouseDown(int index)
{
    BarItem& bar = m_items[index];
    if (!bar.enabled)
        return;
    if (bar.item->count() > 0) {
        m_menuMode = true;
        press(index);
        return;
    }
    if (m_skinForm)
        m_skinForm->mainMenuCommand();
    redrawItem();
    bar.item->click();
}

void TbsSkinMainMenuBar::press(int index)
{
    BarItem& bar = m_items[index];
    bar.down = true;
    bar.morph.jumpTo(true);
    redrawItem();
    if (!m_skinForm)
        return;
    m_skinForm->mainMenuPressed(*this);
    TPoint topLeft = clientToScreen(TPoint{bar.rect.left, bar.rect.top});
    TRect anchor{topLeft.x, topLeft.y, topLeft.x + bar.rect.width(), topLeft.y + bar.rect.height()};
    m_skinForm->engine().popup(nullptr, SkinData(), m_popupToUp, *bar.item, anchor, 0);
}

void TbsSkinMainMenuBar::release(int index)
{
    BarItem& bar = m_items[index];
    bar.down = false;
    bar.active = false;
    if (m_look.morphs)
        bar.morph.jumpTo(true);
    redrawItem();
}

// ---- keyboard, for the linked frame ----

std::vector<int> TbsSkinMainMenuBar::usable() const
{
    std::vector<int> list;
    for (int i = 0; i < itemCount(); ++i) {
        if (m_items[i].enabled && m_items[i].shown)
            list.push_back(i);
    }
    return list;
}

void TbsSkinMainMenuBar::enterMenuMode()
{
    m_menuMode = true;
    accessibleNotify(TAccessibleEvent::MenuStart);
    int first = -1;
    for (int i = 0; i < itemCount() && first < 0; ++i) {
        if (m_items[i].active)
            first = i;
    }
    if (first < 0 && itemCount() > 0)
        first = 0;
    if (first >= 0)
        itemMouseEnter(first);
}

void TbsSkinMainMenuBar::leaveMenuMode()
{
    m_menuMode = false;
    for (auto& bar : m_items) {
        if (bar.down || bar.active) {
            bar.active = bar.mouseIn = bar.down = false;
            redrawItem();
            break;
        }
    }
    m_active = -1;
    m_capture = -1;
    accessibleNotify(TAccessibleEvent::MenuEnd);
}

void TbsSkinMainMenuBar::nextItem() { moveAlong(1); }

void TbsSkinMainMenuBar::previousItem() { moveAlong(-1); }

void TbsSkinMainMenuBar::moveAlong(int step)
{
    std::vector<int> list = usable();
    if (list.empty())
        return;
    int const n = static_cast<int>(list.size());
    for (int k = 0; k < n; ++k) {
        BarItem& bar = m_items[list[k]];
        if (bar.active || bar.down) {
            itemMouseLeave(list[k]);
            itemMouseEnter(list[(k + step + n) % n]);
            return;
        }
    }
    itemMouseEnter(step > 0 ? list.front() : list.back());
}

bool TbsSkinMainMenuBar::takeAccelerator(int key)
{
    for (int i : usable()) {
        BarItem& bar = m_items[i];
        if (!isAccelerator(bar.item->caption(), key))
            continue;
        itemMouseEnter(i);
        if (!(popupOpen() && bar.item->count() > 0))
            itemMouseDown(i);
        return true;
    }
    return false;
}

bool TbsSkinMainMenuBar::takeEnter()
{
    for (int i = 0; i < itemCount(); ++i) {
        BarItem& bar = m_items[i];
        if ((bar.down && bar.item->count() == 0) || (bar.active && !popupOpen())) {
            bar.active = false;
            itemMouseDown(i);
            return true;
        }
    }
    return false;
}

void TbsSkinMainMenuBar::popupClosed()
{
    for (auto& bar : m_items) {
        if (bar.down) {
            bar.down = false;
            bar.active = true;
            redrawItem();
        }
    }
}

} // namespace qv
