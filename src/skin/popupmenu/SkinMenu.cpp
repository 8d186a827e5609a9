#include "skin/popupmenu/SkinMenu.h"

#include "runtime/graphics/Bitmap.h"
#include "skin/drawing/DefaultLook.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

namespace {

constexpr int itemHeight = 20;
constexpr int separatorHeight = 4;

Font menuFont()
{
    Font f;
    f.name = "Arial";
    f.height = 14;
    f.color = clWindowText;
    return f;
}

std::string itemText(const TMenuItem& item)
{
    std::string text = stripAccelerator(item.caption());
    if (!item.shortCut().empty())
        text += "  " + item.shortCut();
    return text;
}

char acceleratorOf(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] == '&') {
                ++i;
                continue;
            }
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        }
    }
    return 0;
}

} // namespace

// ---- popup window ----

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu& engine, TMenuItem& root, int firstIndex) : m_engine(engine)
{
    setColor(clWindow);
    setFont(menuFont());
    Bitmap probe(1, 1);
    Canvas& canvas = probe.canvas();
    canvas.font = menuFont();
    int widest = 0;
    int y = 2;
    for (int i = firstIndex; i < root.count(); ++i) {
        TMenuItem& item = root.item(i);
        if (!item.visible())
            continue;
        int h = item.isSeparator() ? separatorHeight : itemHeight;
        if (!item.isSeparator())
            widest = std::max(widest, canvas.textWidth(itemText(item)) + 2);
        m_items.push_back(Entry{&item, TRect{2, y, 0, y + h}});
        y += h;
    }
    m_width = widest + glyphWidth + 19 + 10;
    m_height = y + 2;
    for (auto& entry : m_items)
        entry.rect.right = m_width - 2;
    for (int i = 0; i < itemCount(); ++i) {
        if (selectable(i)) {
            m_active = i;
            break;
        }
    }
}

bool TbsSkinPopupWindow::selectable(int index) const
{
    const TMenuItem& it = item(index);
    return it.enabled() && !it.isSeparator();
}

void TbsSkinPopupWindow::setActiveItem(int index)
{
    if (index == m_active)
        return;
    m_active = index;
    invalidate();
}

int TbsSkinPopupWindow::itemAt(int x, int y) const
{
    for (int i = 0; i < itemCount(); ++i) {
        if (m_items[i].rect.contains(TPoint{x, y}))
            return i;
    }
    return -1;
}

void TbsSkinPopupWindow::paint(Canvas& canvas)
{
    TRect r = clientRect();
    fillRect(canvas, TRect{0, 0, glyphWidth + 2, r.bottom}, clBtnFace);
    fillRect(canvas, TRect{glyphWidth + 2, 0, r.right, r.bottom}, clWindow);
    frameRect(canvas, r, clBtnShadow);
    frameRect(canvas, inflate(r, -1), clWindow);
    for (int i = 0; i < itemCount(); ++i)
        drawItem(canvas, i);
}

void TbsSkinPopupWindow::drawItem(Canvas& canvas, int index)
{
    const TMenuItem& it = item(index);
    TRect r = itemRect(index);
    if (it.isSeparator()) {
        int y = r.top + r.height() / 2;
        fillRect(canvas, TRect{r.left + glyphWidth, y, r.right, y + 1}, clBtnShadow);
        return;
    }
    if (index == m_active) {
        fillRect(canvas, r, hotFill);
        frameRect(canvas, r, navyFrame);
    }
    TRect inner = inflate(r, -2);
    canvas.font = menuFont();
    canvas.font.color = it.enabled() ? clWindowText : clBtnShadow;
    canvas.setBackgroundTransparent(true);
    std::string caption = stripAccelerator(it.caption());
    int textTop = inner.top + inner.height() / 2 - canvas.textHeight("Ag") / 2;
    canvas.textOut(inner.left + glyphWidth + 1, textTop, caption);
    if (!it.shortCut().empty())
        canvas.textOut(inner.right - 19 - canvas.textWidth(it.shortCut()), textTop, it.shortCut());
    if (it.count() > 0) {
        int x = inner.right - 7;
        int cy = inner.top + inner.height() / 2;
        canvas.brush.color = canvas.font.color;
        for (int i = 0; i < 4; ++i)
            canvas.fillRect(TRect{x + i, cy - 3 + i, x + i + 1, cy + 4 - i});
    }
    if (it.checked()) {
        int x = inner.left + 3;
        int y = inner.top + inner.height() / 2 - 4;
        canvas.pen.color = canvas.font.color;
        for (int i = 0; i < 3; ++i)
            canvas.polyline({TPoint{x, y + 5 - i}, TPoint{x + 2, y + 7 - i}, TPoint{x + 7, y + 2 - i}});
    }
}

void TbsSkinPopupWindow::mouseMove(unsigned, int x, int y)
{
    int index = itemAt(x, y);
    if (index >= 0 && selectable(index))
        setActiveItem(index);
}

void TbsSkinPopupWindow::mouseUp(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left)
        return;
    int index = itemAt(x, y);
    if (index < 0 || item(index).isSeparator())
        return;
    setActiveItem(index);
    m_engine.choose(*this, index);
}

void TbsSkinPopupWindow::moveActive(int step)
{
    int n = itemCount();
    if (n == 0)
        return;
    int start = m_active < 0 ? (step > 0 ? -1 : n) : m_active;
    for (int i = start + step; i >= 0 && i < n; i += step) {
        if (selectable(i)) {
            setActiveItem(i);
            return;
        }
    }
}

void TbsSkinPopupWindow::handleKey(int key)
{
    switch (key) {
    case VK_DOWN: moveActive(1); return;
    case VK_UP: moveActive(-1); return;
    case VK_RETURN:
        if (m_active >= 0)
            m_engine.choose(*this, m_active);
        return;
    case VK_RIGHT:
        if (m_active >= 0 && item(m_active).count() > 0)
            m_engine.choose(*this, m_active);
        return;
    case VK_ESCAPE:
    case VK_LEFT:
        closePopup();
        return;
    default: break;
    }
    for (int i = 0; i < itemCount(); ++i) {
        if (selectable(i) && acceleratorOf(item(i).caption()) == static_cast<char>(key)) {
            setActiveItem(i);
            m_engine.choose(*this, i);
            return;
        }
    }
}

void TbsSkinPopupWindow::keyDown(int& key, unsigned)
{
    int k = key;
    key = 0;
    handleKey(k);
}

// ---- engine ----

namespace {
std::vector<TbsSkinMenu*>& liveEngines()
{
    static std::vector<TbsSkinMenu*> engines;
    return engines;
}
} // namespace

TbsSkinMenu::TbsSkinMenu()
{
    liveEngines().push_back(this);
}

TbsSkinMenu::~TbsSkinMenu()
{
    auto& engines = liveEngines();
    engines.erase(std::remove(engines.begin(), engines.end(), this), engines.end());
    m_closing = true;
    for (auto& w : m_windows)
        w->onClosed = nullptr;
}

void TbsSkinMenu::popup(TbsSkinData* model, bool up, TMenuItem& root, const TRect& anchor, int firstIndex)
{
    closeAll();
    m_model = model;
    if (root.count() == 0 || firstIndex >= root.count())
        return;
    openLevel(root, anchor, up, false, firstIndex);
}

void TbsSkinMenu::openLevel(TMenuItem& root, const TRect& a, bool up, bool submenu, int firstIndex)
{
    auto window = std::make_unique<TbsSkinPopupWindow>(*this, root, firstIndex);
    int w = window->neededWidth();
    int h = window->neededHeight();
    TRect area = screenWorkArea(TPoint{a.left, a.top});
    h = std::min(h, area.height());
    int y = 0;
    bool overlapping = false;
    bool upperHalf = a.top < area.top + area.height() / 2;
    if (submenu) {
        y = a.top - 2 + h <= area.bottom ? a.top - 2 : (upperHalf ? area.bottom - h : std::max(area.top, a.bottom + 2 - h));
    } else if (up) {
        if (a.top - h >= area.top) y = a.top - h;
        else if (upperHalf) { y = a.bottom + h <= area.bottom ? a.bottom : area.bottom - h; overlapping = y != a.bottom; }
        else { y = area.top; overlapping = true; }
    } else {
        if (a.bottom + h <= area.bottom) y = a.bottom;
        else if (upperHalf) { y = area.bottom - h; overlapping = true; }
        else if (a.top - h >= area.top) y = a.top - h;
        else { y = area.top; overlapping = true; }
    }
    int x = 0;
    if (!submenu && !overlapping) {
        x = a.left;
        if (x + w > area.right) x = area.right - w;
        if (x < area.left) x = area.left;
    } else {
        x = a.right + w + 1 <= area.right ? a.right + 1 : a.left - w - 1;
    }
    TbsSkinPopupWindow* raw = window.get();
    raw->onClosed = [this, raw] { levelClosed(raw); };
    m_windows.push_back(std::move(window));
    raw->popup(TRect{x, y, x + w, y + h});
}

void TbsSkinMenu::closeOpenMenus()
{
    // Closing may destroy engines or open none; work on a copy.
    std::vector<TbsSkinMenu*> engines = liveEngines();
    for (TbsSkinMenu* engine : engines) {
        auto& live = liveEngines();
        if (std::find(live.begin(), live.end(), engine) != live.end() && engine->visible())
            engine->closeAll();
    }
}

void TbsSkinMenu::closeAfter(TbsSkinPopupWindow& window)
{
    while (!m_windows.empty() && m_windows.back().get() != &window) {
        std::unique_ptr<TbsSkinPopupWindow> last = std::move(m_windows.back());
        m_windows.pop_back();
        last->onClosed = nullptr;
        last->closePopup();
    }
}

void TbsSkinMenu::levelClosed(TbsSkinPopupWindow* window)
{
    if (m_closing)
        return;
    auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](auto& w) { return w.get() == window; });
    if (it == m_windows.end())
        return;
    closeAfter(*window);
    std::unique_ptr<TbsSkinPopupWindow> closed = std::move(m_windows.back());
    m_windows.pop_back();
    closed->onClosed = nullptr;
    if (m_windows.empty() && onClosed)
        onClosed();
}

void TbsSkinMenu::closeAll()
{
    m_closing = true;
    while (!m_windows.empty()) {
        std::unique_ptr<TbsSkinPopupWindow> last = std::move(m_windows.back());
        m_windows.pop_back();
        last->onClosed = nullptr;
        last->closePopup();
    }
    m_closing = false;
    if (onClosed)
        onClosed();
}

void TbsSkinMenu::choose(TbsSkinPopupWindow& window, int index)
{
    TMenuItem& item = window.item(index);
    if (!item.enabled() || item.isSeparator())
        return;
    if (item.count() == 0) {
        closeAll();
        item.click();
        return;
    }
    item.click();
    closeAfter(window);
    TRect r = window.itemRect(index);
    TPoint topLeft = window.clientToScreen(TPoint{r.left, r.top});
    openLevel(item, TRect{topLeft.x, topLeft.y, topLeft.x + r.width(), topLeft.y + r.height()}, false, true, 0);
}

} // namespace qv
