#include "skin/menubar/SkinMainMenuBar.h"

#include "runtime/graphics/Bitmap.h"

namespace qv {

using namespace defaultlook;

TbsSkinMainMenuBar::TbsSkinMainMenuBar(TWinControl* parent) : TbsSkinControl(parent, "mainmenubar")
{
    m_itemFont = skinDefaultFont();
    m_itemFont.color = clBtnText;
    setDefaultHeight(22);
    setBounds(0, 0, parent ? parent->width() : 100, 22);
    m_mouseTimer.setInterval(50);
    m_mouseTimer.onTimer = [this] { poll(); };
}

void TbsSkinMainMenuBar::setMainMenu(TMainMenu* menu)
{
    m_menu = menu;
    rebuild();
}

void TbsSkinMainMenuBar::setDefItemFont(const Font& font)
{
    m_itemFont = font;
    layout();
}

void TbsSkinMainMenuBar::setBounds(int left, int top, int width, int)
{
    int h = DefaultHeight() > 0 ? DefaultHeight() : 22;
    TbsSkinControl::setBounds(left, top, width, h);
    layout();
}

void TbsSkinMainMenuBar::rebuild()
{
    m_items.clear();
    if (m_menu) {
        TMenuItem& root = m_menu->items();
        for (int i = 0; i < root.count(); ++i) {
            if (root.item(i).visible())
                m_items.push_back(BarItem{&root.item(i), TRect{}, false, false});
        }
    }
    layout();
}

void TbsSkinMainMenuBar::layout()
{
    Bitmap probe(1, 1);
    probe.canvas().font = m_itemFont;
    TRect area{2, 2, width() - 2, height() - 2};
    int x = area.left;
    for (auto& bar : m_items) {
        int w = probe.canvas().textWidth(stripAccelerator(bar.item->caption())) + 12;
        bar.rect = TRect{x, area.top, x + w, area.bottom};
        x += w;
    }
    invalidate();
}

int TbsSkinMainMenuBar::itemAt(TPoint p) const
{
    for (int i = 0; i < itemCount(); ++i) {
        if (m_items[i].rect.contains(p) && m_items[i].rect.right <= width() - 2 && m_items[i].item->enabled())
            return i;
    }
    return -1;
}

void TbsSkinMainMenuBar::drawDefaultLook(Canvas& canvas)
{
    fillRect(canvas, clientRect(), clBtnFace);
    canvas.font = m_itemFont;
    for (const auto& bar : m_items) {
        if (bar.rect.right > width() - 2)
            continue;
        TRect r = bar.rect;
        if (bar.down) {
            fillRect(canvas, r, downFill);
            frameRect(canvas, r, navyFrame);
        } else if (bar.active) {
            fillRect(canvas, r, hotFill);
            frameRect(canvas, r, navyFrame);
        }
        canvas.font.color = bar.item->enabled() ? m_itemFont.color : clBtnShadow;
        TRect textArea = bar.down ? TRect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1} : r;
        centredText(canvas, textArea, stripAccelerator(bar.item->caption()));
    }
}

void TbsSkinMainMenuBar::press(int index)
{
    BarItem& bar = m_items[index];
    bar.down = true;
    bar.active = true;
    invalidate();
    TPoint topLeft = clientToScreen(TPoint{bar.rect.left, bar.rect.top});
    TRect anchor{topLeft.x, topLeft.y, topLeft.x + bar.rect.width(), topLeft.y + bar.rect.height()};
    m_engine.popup(SkinData(), false, *bar.item, anchor, 0);
    m_mouseTimer.setEnabled(true);
}

void TbsSkinMainMenuBar::release(int index)
{
    m_items[index].down = false;
    m_items[index].active = false;
    invalidate();
}

void TbsSkinMainMenuBar::trackPoint(TPoint p)
{
    int hit = itemAt(p);
    int down = -1;
    for (int i = 0; i < itemCount(); ++i) {
        if (m_items[i].down)
            down = i;
    }
    // With a menu open (or the bar still in menu mode), moving along the bar switches the open menu.
    if (hit >= 0 && down >= 0 && hit != down) {
        release(down);
        press(hit);
        return;
    }
    for (int i = 0; i < itemCount(); ++i) {
        bool active = i == hit || m_items[i].down;
        if (m_items[i].active != active) {
            m_items[i].active = active;
            invalidate();
        }
    }
}

void TbsSkinMainMenuBar::poll()
{
    TPoint p = screenToClient(mouseCursorPos());
    bool inside = p.x >= 0 && p.y >= 0 && p.x < width() && p.y < height();
    if (!inside) {
        if (!m_engine.visible())
            m_mouseTimer.setEnabled(false);
        trackPoint(TPoint{-1, -1});
        return;
    }
    trackPoint(p);
}

void TbsSkinMainMenuBar::mouseDown(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left)
        return;
    int index = itemAt(TPoint{x, y});
    if (index < 0)
        return;
    TMenuItem& item = *m_items[index].item;
    if (item.count() > 0) {
        m_menuMode = true;
        for (int i = 0; i < itemCount(); ++i) {
            if (i != index && m_items[i].down)
                release(i);
        }
        press(index);
        return;
    }
    invalidate();
    item.click();
}

void TbsSkinMainMenuBar::mouseMove(unsigned, int x, int y)
{
    m_mouseTimer.setEnabled(true);
    trackPoint(TPoint{x, y});
}

void TbsSkinMainMenuBar::mouseEnter()
{
    m_mouseTimer.setEnabled(true);
    TbsSkinControl::mouseEnter();
}

void TbsSkinMainMenuBar::mouseLeave()
{
    if (!m_engine.visible())
        m_mouseTimer.setEnabled(false);
    trackPoint(TPoint{-1, -1});
    TbsSkinControl::mouseLeave();
}

} // namespace qv
