#include "skin/popupmenu/SkinMenu.h"

#include "runtime/ui/AppHook.h"
#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/drawing/DefaultLook.h"

#include <algorithm>
#include <cctype>

namespace qv {

namespace {

void fillColumn(Canvas& canvas, int x, int top, int bottom) { canvas.fillRect(TRect{x, top, x + 1, bottom}); }

void fillRow(Canvas& canvas, int y, int left, int right) { canvas.fillRect(TRect{left, y, right, y + 1}); }

} // namespace

TbsMenuSettings::TbsMenuSettings()
{
    defaultItemFont.name = "Arial";
    defaultItemFont.cellHeight = 14;
    defaultItemFont.color = clWindowText;
}

char acceleratorOf(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

bool isAccelerator(const std::string& caption, int key)
{
    // Letter keys arrive as their capitals; lower-case codes are other keys (F1 is 'p').
    bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (!letterOrDigit)
        return false;
    char a = acceleratorOf(caption);
    return a != 0 && a == static_cast<char>(std::toupper(key));
}

void drawMenuCaption(Canvas& canvas, int x, int y, const std::string& caption)
{
    std::string text;
    int underline = -1;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                text += '&';
                ++i;
            } else if (underline < 0 && i + 1 < caption.size()) {
                underline = static_cast<int>(text.size());
            }
            continue;
        }
        text += caption[i];
    }
    canvas.setBackgroundTransparent(true);
    canvas.textOut(x, y, text);
    if (underline < 0)
        return;
    int left = x + canvas.textWidth(text.substr(0, underline));
    int right = left + canvas.textWidth(text.substr(underline, 1));
    int row = y + canvas.fontAscent() + 1;
    canvas.brush.color = canvas.font.color;
    canvas.brush.style = BrushStyle::Solid;
    canvas.fillRect(TRect{left, row, right, row + 1});
}

void drawMenuArrow(Canvas& canvas, const TRect& r, TbsArrow direction, TColor color)
{
    int cx = r.left + r.width() / 2;
    int cy = r.top + r.height() / 2;
    canvas.brush.color = color;
    canvas.brush.style = BrushStyle::Solid;
    for (int i = 0; i < 4; ++i) {
        int half = 3 - i;
        switch (direction) {
        case TbsArrow::Right: fillColumn(canvas, cx - 1 + i, cy - half, cy + half + 1); break;
        case TbsArrow::Left: fillColumn(canvas, cx + 1 - i, cy - half, cy + half + 1); break;
        case TbsArrow::Up: fillRow(canvas, cy - 2 + i, cx - i, cx + i + 1); break;
        case TbsArrow::Down: fillRow(canvas, cy - 1 + i, cx - half, cx + half + 1); break;
        }
    }
}

// ---- engine ----

namespace {
std::vector<TbsSkinMenu*>& liveEngines()
{
    static std::vector<TbsSkinMenu*> engines;
    return engines;
}
} // namespace

TbsSkinMenu::TbsSkinMenu(TbsMenuNoticeTarget* form, const TControl* formControl)
    : m_form(form), m_formControl(formControl)
{
    liveEngines().push_back(this);
    m_waitTimer.setInterval(500);
    m_waitTimer.onTimer = [this] { waitElapsed(); };
}

TbsSkinMenu::~TbsSkinMenu()
{
    auto& engines = liveEngines();
    engines.erase(std::remove(engines.begin(), engines.end(), this), engines.end());
    m_waitTimer.setEnabled(false);
    for (auto& w : m_windows)
        w->onClosed = nullptr;
}

int TbsSkinMenu::levelOf(const TbsSkinPopupWindow& window) const
{
    for (int i = 0; i < levelCount(); ++i) {
        if (m_windows[i].get() == &window)
            return i;
    }
    return -1;
}

bool TbsSkinMenu::ownsWindow(const TControl* window) const
{
    return std::any_of(m_windows.begin(), m_windows.end(), [&](auto& w) { return w.get() == window; });
}

void TbsSkinMenu::popup(TbsMenuNoticeTarget* opener, TbsSkinData* model, bool up, TMenuItem& root, const TRect& anchor,
                        int firstIndex)
{
    m_firstShow = !m_visible;
    m_closed.clear();
    // The levels of an earlier menu close without telling its opener twice.
    if (!m_windows.empty())
        closeFrom(0);
    m_opener = opener;
    TPoint reference = m_formControl ? m_formControl->clientToScreen(TPoint{0, 0}) : TPoint{anchor.left, anchor.top};
    m_workArea = screenWorkArea(reference);
    m_model = model;
    bool anyShown = false;
    for (int i = std::max(firstIndex, 0); i < root.count(); ++i)
        anyShown = anyShown || root.item(i).visible();
    if (firstIndex >= 0 && firstIndex < root.count() && anyShown) {
        m_visible = true;
        openLevel(root, anchor, up, false, firstIndex);
    }
    m_firstShow = false;
}

void TbsSkinMenu::openLevel(TMenuItem& root, const TRect& anchor, bool up, bool submenu, int firstIndex)
{
    auto window = std::make_unique<TbsSkinPopupWindow>(*this, root, firstIndex);
    TbsSkinPopupWindow* raw = window.get();
    TRect place = placement(*raw, anchor, up, submenu);
    raw->onClosed = [this, raw] {
        int level = levelOf(*raw);
        if (level >= 0)
            closeFrom(level);
    };
    m_windows.push_back(std::move(window));
    raw->popup(place);
    raw->m_mouseTimer.setEnabled(true);
    raw->m_lastCursor = mouseCursorPos();
    for (int i = 0; i < raw->itemCount(); ++i) {
        if (raw->selectable(i) && raw->m_items[i].shown) {
            raw->m_active = i;
            raw->m_items[i].active = true;
            raw->m_items[i].keySelected = true;
            raw->redrawItem();
            break;
        }
    }
    raw->accessibleNotify(TAccessibleEvent::PopupMenuStart);
    if (raw->m_active >= 0)
        raw->accessibleNotify(TAccessibleEvent::Focus, raw->m_active);
}

TRect TbsSkinMenu::placement(const TbsSkinPopupWindow& window, const TRect& A, bool up, bool submenu) const
{
    const TRect& R = m_workArea;
    int w = window.neededWidth();
    int h = window.neededHeight();
    int t = window.itemsRect().top;
    bool tall = window.tall();
    bool upperHalf = A.top < R.top + R.height() / 2;
    bool overlapping = false;
    int y = 0;
    if (tall) {
        y = R.top;
    } else if (submenu) {
        if (A.top + h - t <= R.bottom)
            y = A.top - t;
        else if (upperHalf)
            y = R.bottom - h;
        else
            y = std::max(R.top, A.bottom + t - h);
    } else if (up) {
        if (A.top - h >= R.top) {
            y = A.top - h;
        } else if (upperHalf) {
            y = A.bottom + h <= R.bottom ? A.bottom : R.bottom - h;
            overlapping = y != A.bottom;
        } else {
            y = R.top;
            overlapping = true;
        }
    } else {
        if (A.bottom + h <= R.bottom) {
            y = A.bottom;
        } else if (upperHalf) {
            y = R.bottom - h;
            overlapping = true;
        } else if (A.top - h >= R.top) {
            y = A.top - h;
        } else {
            y = R.top;
            overlapping = true;
        }
    }
    int x = 0;
    if (!submenu && !tall && !overlapping) {
        x = A.left;
        if (x + w > R.right)
            x = R.right - w;
        else if (x < R.left)
            x = R.left;
    } else {
        x = A.right + w + 1 <= R.right ? A.right + 1 : A.left - w - 1;
    }
    return TRect{x, y, x + w, y + h};
}

void TbsSkinMenu::closeFrom(int level)
{
    level = std::max(level, 0);
    while (levelCount() > level) {
        std::unique_ptr<TbsSkinPopupWindow> last = std::move(m_windows.back());
        m_windows.pop_back();
        if (m_waitWindow == last.get())
            cancelWait();
        last->onClosed = nullptr;
        last->m_mouseTimer.setEnabled(false);
        last->m_morphAnimator.stop();
        last->m_scrollTimer.setEnabled(false);
        last->closePopup();
        last->accessibleNotify(TAccessibleEvent::PopupMenuEnd);
        // Kept until the next menu opens: the closing may run inside its own handler.
        m_closed.push_back(std::move(last));
    }
    if (level > 0 || !m_visible)
        return;
    m_visible = false;
    cancelWait();
    m_afterCommand = m_opener;
    m_opener = nullptr;
    if (m_afterCommand)
        m_afterCommand->menuNotice(MenuClosed);
}

void TbsSkinMenu::closeAll()
{
    bool wasVisible = m_visible;
    closeFrom(0);
    cancelWait();
    if (wasVisible && m_form)
        m_form->menuNotice(MenuClosed);
}

void TbsSkinMenu::closeAfter(const TbsSkinPopupWindow& window)
{
    int level = levelOf(window);
    if (level >= 0)
        closeFrom(level + 1);
}

void TbsSkinMenu::closeOpenMenus()
{
    // Closing may destroy engines or open others; work on a copy.
    std::vector<TbsSkinMenu*> engines = liveEngines();
    for (TbsSkinMenu* engine : engines) {
        auto& live = liveEngines();
        if (std::find(live.begin(), live.end(), engine) == live.end())
            continue;
        if (engine->closingCheck)
            engine->closingCheck();
        else if (engine->visible())
            engine->closeAll();
    }
}

void TbsSkinMenu::startWait(TbsSkinPopupWindow& window, int index)
{
    m_waitWindow = &window;
    m_waitIndex = index;
    m_waitTimer.setEnabled(false);
    m_waitTimer.setEnabled(true);
}

void TbsSkinMenu::cancelWait()
{
    m_waitTimer.setEnabled(false);
    m_waitWindow = nullptr;
    m_waitIndex = -1;
}

bool TbsSkinMenu::waiting(const TbsSkinPopupWindow& window, int index) const
{
    return m_waitWindow == &window && m_waitIndex == index;
}

void TbsSkinMenu::waitElapsed()
{
    TbsSkinPopupWindow* window = m_waitWindow;
    int index = m_waitIndex;
    cancelWait();
    if (window && levelOf(*window) >= 0 && index >= 0 && index < window->itemCount())
        choose(*window, index);
}

void TbsSkinMenu::choose(TbsSkinPopupWindow& window, int index)
{
    TbsSkinMenuItem& entry = window.m_items.at(index);
    entry.keySelected = false;
    TMenuItem& item = *entry.item;
    if (entry.open || !item.enabled() || item.isSeparator())
        return;
    if (item.count() == 0) {
        cancelWait();
        closeAll();
        item.click();
        if (TbsMenuNoticeTarget* done = m_afterCommand) {
            m_afterCommand = nullptr;
            done->menuNotice(MenuCommandDone);
        }
        return;
    }
    item.click();
    cancelWait();
    if (levelOf(window) < 0)
        return;
    entry.open = true;
    window.redrawItem();
    closeAfter(window);
    TRect r = entry.rect;
    TPoint topLeft = window.clientToScreen(TPoint{r.left, r.top});
    openLevel(item, TRect{topLeft.x, topLeft.y, topLeft.x + r.width(), topLeft.y + r.height()}, false, true, 0);
}

} // namespace qv
