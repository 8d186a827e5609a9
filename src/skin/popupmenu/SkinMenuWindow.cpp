// One open menu level: its layout, keys, pointer and fades.

#include "skin/popupmenu/SkinMenu.h"

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/AppHook.h"
#include "skin/drawing/DefaultLook.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

namespace {

constexpr int separatorHeight = 4;

std::string measuredText(const TMenuItem& item)
{
    std::string text = stripAccelerator(item.caption());
    if (!item.shortCut().empty())
        text += "  " + item.shortCut();
    return text;
}

const TbsDataSkinMenuItem* firstMenuItemSection(const TbsSkinData& model)
{
    for (int i = 0; i < model.skinObjectCount(); ++i) {
        if (auto* s = dynamic_cast<const TbsDataSkinMenuItem*>(&model.skinObject(i)))
            return s;
    }
    return nullptr;
}

} // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu& engine, TMenuItem& root, int firstIndex)
    : TPopupWindow(PopupInput::Passive), m_engine(engine), m_root(root)
{
    setColor(clWindow);
    TbsSkinData* model = engine.model();
    if (model && !model->empty()) {
        const TbsDataSkinPopupWindow& data = model->popupWindow();
        const TbsDataSkinMenuItem* section = firstMenuItemSection(*model);
        const TbsSkinPicture* picture = model->activePicture(data.WindowPictureIndex);
        // A window picture without an item section could not size its items.
        if (picture && section) {
            m_data = &data;
            m_picture = picture;
            m_section = section;
            m_sectionPicture = model->activePicture(section->ActivePictureIndex);
        }
    }
    for (int i = firstIndex; i < root.count(); ++i) {
        TMenuItem& item = root.item(i);
        if (item.visible()) {
            TbsSkinMenuItem entry;
            entry.item = &item;
            m_items.push_back(entry);
        }
    }
    measure();
    m_mouseTimer.setInterval(50);
    m_mouseTimer.onTimer = [this] { pollCursor(); };
    m_scrollTimer.setInterval(100);
    m_scrollTimer.onTimer = [this] { autoScrollStep(); };
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() { onClosed = nullptr; }

std::string TbsSkinPopupWindow::accessibleName() const { return stripAccelerator(m_root.caption()); }

TAccessibleItem TbsSkinPopupWindow::accessibleItem(int index) const
{
    TAccessibleItem out;
    if (index < 0 || index >= itemCount())
        return out;
    const TbsSkinMenuItem& entry = m_items[index];
    const TMenuItem& item = *entry.item;
    if (item.isSeparator()) {
        out.role = TAccessibleRole::Separator;
        out.bounds = entry.shown ? entry.rect : TRect{};
        return out;
    }
    out.role = item.count() > 0 ? TAccessibleRole::Menu : TAccessibleRole::MenuItem;
    out.name = stripAccelerator(item.caption());
    out.shortcut = item.shortCut();
    out.bounds = entry.shown ? entry.rect : TRect{};
    out.states = (item.checked() || item.radioItem() ? asCheckable : 0u) | (item.checked() ? asChecked : 0u)
        | (item.enabled() ? 0u : asDisabled) | (entry.active ? asSelected | asFocused : 0u)
        | (item.count() > 0 ? asHasPopup : 0u) | (entry.open ? asExpanded : 0u);
    if (item.enabled())
        out.actions = {item.count() > 0 ? TAccessibleAction::Open : TAccessibleAction::Press};
    return out;
}

void TbsSkinPopupWindow::accessibleItemDo(int index, TAccessibleAction)
{
    if (index >= 0 && index < itemCount())
        m_engine.choose(*this, index);
}

Font TbsSkinPopupWindow::itemFont() const
{
    const TbsMenuSettings& settings = m_engine.settings();
    Font f = settings.defaultItemFont;
    if (skinned() && settings.useSkinFont) {
        f.name = m_section->Font.FontName;
        f.cellHeight = m_section->Font.FontHeight;
        f.height = 0;
        f.style = m_section->Font.FontStyle;
    }
    TbsSkinData* model = m_engine.model();
    if (model && model->ResourceStrData())
        f.charset = model->ResourceStrData()->CharSet;
    return f;
}

void TbsSkinPopupWindow::measure()
{
    const TbsMenuSettings& settings = m_engine.settings();
    Bitmap probe(1, 1);
    Canvas& canvas = probe.canvas();
    canvas.font = itemFont();
    setFont(canvas.font);
    int widest = 0;
    for (const auto& entry : m_items) {
        if (!entry.item->isSeparator())
            widest = std::max(widest, canvas.textWidth(measuredText(*entry.item)) + 2);
    }
    int w = widest + glyphWidth + 19;
    int frame = 4;
    int normalHeight = settings.defaultItemHeight;
    if (skinned()) {
        const TRect& ir = m_data->ItemsRect;
        const TRect& tr = m_section->TextRect;
        w += m_picture->width() + tr.left + m_section->SkinRect.width() - tr.right + ir.left - ir.right;
        frame = m_picture->height() + ir.top - ir.bottom;
        normalHeight = m_section->SkinRect.height();
    } else {
        w += 10;
    }
    int h = frame;
    int limit = settings.maxMenuItemsInWindow;
    if (limit > 0 && itemCount() > limit) {
        h = normalHeight * limit + frame + 20;
        m_scrollMode = true;
        m_limited = true;
    } else {
        for (const auto& entry : m_items) {
            if (entry.item->isSeparator())
                h += skinned() ? m_section->DividerRect.height() : separatorHeight;
            else
                h += normalHeight;
        }
    }
    const TRect& area = m_engine.workArea();
    if (area.height() > 0 && h > area.height()) {
        h = area.height();
        m_scrollMode = true;
        m_tall = !m_limited;
    }
    m_width = w;
    m_height = h;
    fitTo(w, h);
}

void TbsSkinPopupWindow::fitTo(int W, int H)
{
    if (skinned()) {
        int pw = m_picture->width();
        int ph = m_picture->height();
        const TbsDataSkinPopupWindow& d = *m_data;
        m_geometry.width = W;
        m_geometry.height = H;
        m_geometry.LT = d.LTPoint;
        m_geometry.RT = TPoint{W + d.RTPoint.x - pw, d.RTPoint.y};
        m_geometry.LB = TPoint{d.LBPoint.x, H + d.LBPoint.y - ph};
        m_geometry.RB = TPoint{W + d.RBPoint.x - pw, H + d.RBPoint.y - ph};
        m_itemsRect = TRect{d.ItemsRect.left, d.ItemsRect.top, W + d.ItemsRect.right - pw, H + d.ItemsRect.bottom - ph};
        m_geometry.clientRect = m_itemsRect;
    } else {
        m_itemsRect = TRect{2, 2, W - 2, H - 2};
    }
    layout();
}

void TbsSkinPopupWindow::layout()
{
    int y = m_itemsRect.top + (m_scrollMode ? markerHeight : 0);
    int bottom = m_itemsRect.bottom - (m_scrollMode ? markerHeight : 0);
    bool stopped = false;
    for (int i = 0; i < itemCount(); ++i) {
        TbsSkinMenuItem& e = m_items[i];
        bool wasShown = e.shown;
        e.shown = false;
        if (i >= m_startIndex && !stopped) {
            int h = e.item->isSeparator()
                ? (skinned() ? m_section->DividerRect.height() : separatorHeight)
                : (skinned() ? m_section->SkinRect.height() : m_engine.settings().defaultItemHeight);
            e.rect = TRect{m_itemsRect.left, y, m_itemsRect.right, y + h};
            if (y + h <= bottom) {
                e.shown = true;
                y += h;
            } else {
                stopped = true;
            }
        }
        if (wasShown && !e.shown) {
            e.active = false;
            e.morph.jumpTo(false);
        }
    }
    invalidate();
}

bool TbsSkinPopupWindow::selectable(int index) const
{
    const TMenuItem& it = item(index);
    return it.enabled() && !it.isSeparator();
}

int TbsSkinPopupWindow::itemAt(TPoint p) const
{
    for (int i = 0; i < itemCount(); ++i) {
        if (m_items[i].shown && m_items[i].rect.contains(p))
            return i;
    }
    return -1;
}

int TbsSkinPopupWindow::lastShown() const
{
    int last = -1;
    for (int i = 0; i < itemCount(); ++i) {
        if (m_items[i].shown)
            last = i;
    }
    return last;
}

// ---- activation ----

// Painting is per window; a morphing item asks for its fade instead of jumping.
void TbsSkinPopupWindow::redrawItem()
{
    if (skinned() && m_section->Morphing && !m_section->ActiveSkinRect.isEmpty())
        m_morphAnimator.start();
    invalidate();
}

void TbsSkinPopupWindow::activate(int index, TbsMenuInput input)
{
    TbsSkinMenuItem& e = m_items.at(index);
    e.active = true;
    bool otherWasOpen = false;
    for (int i = 0; i < itemCount(); ++i) {
        if (i != index && m_items[i].open) {
            m_items[i].open = false;
            otherWasOpen = true;
            redrawItem();
        }
    }
    if (input == TbsMenuInput::Keys)
        e.keySelected = true;
    if (e.keySelected && input == TbsMenuInput::Pointer) {
        redrawItem();
        return;
    }
    int level = m_engine.levelOf(*this);
    if (e.open) {
        if (level + 2 < m_engine.levelCount())
            m_engine.closeFrom(level + 2);
        if (level + 1 < m_engine.levelCount()) {
            TbsSkinPopupWindow& next = m_engine.level(level + 1);
            for (auto& item : next.m_items) {
                if (item.open) {
                    item.open = false;
                    next.redrawItem();
                }
            }
        }
        return;
    }
    redrawItem();
    if (e.item->count() == 0) {
        m_engine.closeAfter(*this);
        return;
    }
    if (input == TbsMenuInput::Pointer) {
        m_engine.closeAfter(*this);
        m_engine.startWait(*this, index);
        return;
    }
    // By keys the submenu waits for Right or Enter; one left open by another item goes.
    if (otherWasOpen)
        m_engine.closeAfter(*this);
}

void TbsSkinPopupWindow::deactivate(int index)
{
    TbsSkinMenuItem& e = m_items.at(index);
    e.active = false;
    e.keySelected = false;
    if (!e.open)
        redrawItem();
    if (m_engine.waiting(*this, index))
        m_engine.cancelWait();
}

void TbsSkinPopupWindow::setActive(int index)
{
    if (m_active >= 0 && m_active != index)
        deactivate(m_active);
    m_previousActive = m_active;
    m_active = index;
    if (index >= 0 && index != m_previousActive)
        accessibleNotify(TAccessibleEvent::Focus, index);
}

void TbsSkinPopupWindow::trackPoint(TPoint p)
{
    if (m_scrollMode) {
        bool inTop = p.y >= m_itemsRect.top && p.y < m_itemsRect.top + markerHeight && p.x >= 0 && p.x < width();
        bool inBottom
            = p.y >= m_itemsRect.bottom - markerHeight && p.y < m_itemsRect.bottom && p.x >= 0 && p.x < width();
        if (inTop && m_autoScroll == 0 && m_startIndex > 0) {
            setAutoScroll(1);
            return;
        }
        if (inBottom && m_autoScroll == 0 && lastShown() < itemCount() - 1) {
            setAutoScroll(2);
            return;
        }
        if (!inTop && !inBottom && m_autoScroll != 0)
            setAutoScroll(0);
    }
    int index = itemAt(p);
    if (index < 0)
        return;
    if (index == m_active) {
        TbsSkinMenuItem& e = m_items[index];
        if (e.keySelected) {
            e.keySelected = false;
            if (e.item->count() > 0)
                activate(index, TbsMenuInput::Pointer);
        }
        return;
    }
    int previous = m_active;
    m_previousActive = previous;
    m_active = index;
    if (previous >= 0 && selectable(previous))
        deactivate(previous);
    if (selectable(index))
        activate(index, TbsMenuInput::Pointer);
}

void TbsSkinPopupWindow::setAutoScroll(int code)
{
    m_autoScroll = code;
    if (code != 0)
        m_engine.closeAfter(*this);
    m_scrollTimer.setEnabled(code != 0);
    invalidate();
}

void TbsSkinPopupWindow::autoScrollStep()
{
    if ((m_autoScroll == 1 && m_startIndex > 0) || (m_autoScroll == 2 && lastShown() < itemCount() - 1)) {
        m_startIndex += m_autoScroll == 1 ? -1 : 1;
        layout();
        return;
    }
    setAutoScroll(0);
}

void TbsSkinPopupWindow::scrollBy(int step)
{
    int shown = 0;
    for (const auto& e : m_items)
        shown += e.shown ? 1 : 0;
    int maxStart = std::max(0, itemCount() - std::max(shown, 1));
    if (step > 0)
        m_startIndex = m_startIndex >= maxStart ? 0 : m_startIndex + 1;
    else
        m_startIndex = m_startIndex <= 0 ? maxStart : m_startIndex - 1;
    layout();
}

void TbsSkinPopupWindow::moveDown()
{
    int n = itemCount();
    if (n == 0)
        return;
    if (m_scrollMode && m_active >= 0 && m_active == lastShown())
        scrollBy(1);
    int start = m_active < 0 || m_active == n - 1 ? 0 : m_active + 1;
    for (int i = start; i < n; ++i) {
        if (m_scrollMode && i > lastShown())
            scrollBy(1);
        if (!selectable(i))
            continue;
        setActive(i);
        activate(i, TbsMenuInput::Keys);
        return;
    }
}

void TbsSkinPopupWindow::moveUp()
{
    int n = itemCount();
    if (n == 0)
        return;
    if (m_scrollMode && m_active >= 0 && m_active == m_startIndex)
        scrollBy(-1);
    int start = m_active <= 0 ? n - 1 : m_active - 1;
    for (int i = start; i >= 0; --i) {
        if (m_scrollMode && i < m_startIndex)
            scrollBy(-1);
        if (!selectable(i))
            continue;
        setActive(i);
        activate(i, TbsMenuInput::Keys);
        return;
    }
}

void TbsSkinPopupWindow::keyDown(int key)
{
    for (int i = 0; i < itemCount(); ++i) {
        if (isAccelerator(item(i).caption(), key)) {
            setActive(i);
            m_items[i].active = true;
            redrawItem();
            m_engine.choose(*this, i);
            return;
        }
    }
    switch (key) {
    case VK_RETURN:
        if (m_active >= 0)
            m_engine.choose(*this, m_active);
        return;
    case VK_ESCAPE:
    case VK_LEFT: {
        if (key == VK_LEFT && m_engine.levelCount() < 2)
            return;
        TbsSkinMenu& engine = m_engine;
        engine.closeFrom(engine.levelOf(*this));
        // This window is closed now; the level above takes the highlight back.
        if (TbsSkinPopupWindow* above = engine.deepest()) {
            if (above->m_active >= 0 && above->m_items[above->m_active].open) {
                above->m_items[above->m_active].open = false;
                above->redrawItem();
            }
        }
        return;
    }
    case VK_UP: moveUp(); return;
    case VK_DOWN: moveDown(); return;
    case VK_RIGHT:
        if (m_active >= 0 && item(m_active).count() > 0)
            m_engine.choose(*this, m_active);
        return;
    default: return;
    }
}

// ---- pointer and timers ----

void TbsSkinPopupWindow::pollCursor()
{
    TPoint p = mouseCursorPos();
    bool moved = p.x != m_lastCursor.x || p.y != m_lastCursor.y;
    bool over = windowAtScreen(p) == this;
    if (moved && over) {
        m_lastCursor = p;
        trackPoint(screenToClient(p));
        return;
    }
    m_lastCursor = p;
    if (!over && m_scrollMode && m_autoScroll != 0)
        setAutoScroll(0);
}

void TbsSkinPopupWindow::mouseMove(unsigned, int x, int y)
{
    m_lastCursor = clientToScreen(TPoint{x, y});
    trackPoint(TPoint{x, y});
}

void TbsSkinPopupWindow::mouseUp(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left)
        return;
    int index = itemAt(TPoint{x, y});
    if (index < 0 || item(index).isSeparator())
        return;
    trackPoint(TPoint{x, y});
    if (m_active >= 0)
        m_engine.choose(*this, m_active);
}

bool TbsSkinPopupWindow::morphStep()
{
    bool moved = false;
    bool moving = false;
    for (auto& e : m_items) {
        if (!e.shown)
            continue;
        bool const towardsActive = e.active || e.open;
        moved = e.morph.stepTowards(towardsActive) || moved;
        moving = moving || !e.morph.reached(towardsActive);
    }
    if (moved)
        invalidate();
    return moving;
}

TColor TbsSkinPopupWindow::activeFill(const TbsSkinMenuItem& entry) const
{
    return entry.active || entry.open ? hotFill : clWindow;
}

} // namespace qv
