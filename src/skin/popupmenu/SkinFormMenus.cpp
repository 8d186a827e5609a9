#include "skin/popupmenu/SkinFormMenus.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace qv {

namespace {

std::vector<TbsSkinFormMenus*>& allFormMenus()
{
    static std::vector<TbsSkinFormMenus*> list;
    return list;
}

int namedKey(const std::string& name)
{
    static const struct {
        const char* name;
        int key;
    } keys[] = {
        {"BKSP", VK_BACK},   {"BACKSPACE", VK_BACK}, {"TAB", VK_TAB},    {"ENTER", VK_RETURN},
        {"ESC", VK_ESCAPE},  {"SPACE", VK_SPACE},    {"PGUP", VK_PRIOR}, {"PGDN", VK_NEXT},
        {"END", VK_END},     {"HOME", VK_HOME},      {"LEFT", VK_LEFT},  {"UP", VK_UP},
        {"RIGHT", VK_RIGHT}, {"DOWN", VK_DOWN},      {"DEL", VK_DELETE}, {"DELETE", VK_DELETE},
    };
    for (const auto& k : keys) {
        if (name == k.name)
            return k.key;
    }
    if (name.size() >= 2 && name[0] == 'F' && std::all_of(name.begin() + 1, name.end(), ::isdigit)) {
        int n = std::stoi(name.substr(1));
        if (n >= 1 && n <= 24)
            return VK_F1 + n - 1;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return name[0];
    return 0;
}

TMenuItem* findShortCut(TMenuItem& menu, int key, unsigned shift)
{
    for (int i = 0; i < menu.count(); ++i) {
        TMenuItem& item = menu.item(i);
        if (!item.shortCut().empty() && shortCutMatches(item.shortCut(), key, shift))
            return &item;
        if (TMenuItem* found = findShortCut(item, key, shift))
            return found;
    }
    return nullptr;
}

} // namespace

bool shortCutMatches(const std::string& text, int key, unsigned shift)
{
    std::string rest = upper(text);
    unsigned wanted = 0;
    for (;;) {
        size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size())
            break;
        std::string part = rest.substr(0, plus);
        if (part == "SHIFT")
            wanted |= ssShift;
        else if (part == "CTRL")
            wanted |= ssCtrl;
        else if (part == "ALT")
            wanted |= ssAlt;
        else
            return false;
        rest = rest.substr(plus + 1);
    }
    int named = namedKey(rest);
    return named != 0 && named == key && (shift & (ssShift | ssCtrl | ssAlt)) == wanted;
}

// ---- the menu side of a frame ----

TbsSkinFormMenus::TbsSkinFormMenus(TForm& form)
    : m_form(form), m_engine(this, &form), m_formHook([this](const TAppMessage& m) { return formMessage(m); })
{
    m_engine.closingCheck = [this] { menuClosingCheck(); };
    allFormMenus().push_back(this);
}

TbsSkinFormMenus::~TbsSkinFormMenus()
{
    auto& list = allFormMenus();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    m_menuHook.reset();
}

TbsSkinFormMenus* TbsSkinFormMenus::of(const TForm* form)
{
    for (TbsSkinFormMenus* menus : allFormMenus()) {
        if (&menus->m_form == form)
            return menus;
    }
    return nullptr;
}

void TbsSkinFormMenus::setMainMenuBar(TbsMenuBarLink* bar)
{
    if (bar == m_bar)
        return;
    if (m_mainMenuMode)
        leaveMainMenuMode();
    m_bar = bar;
}

bool TbsSkinFormMenus::belongsToForm(const TControl* control) const
{
    return control && (control == &m_form || control->parentForm() == &m_form);
}

void TbsSkinFormMenus::installHook()
{
    if (!m_menuHook)
        m_menuHook = std::make_unique<TApplicationHook>([this](const TAppMessage& m) { return menuMessage(m); });
}

void TbsSkinFormMenus::removeHook()
{
    // Called from inside the hook's own handler too; the runtime walks a copy of the chain.
    m_menuHook.reset();
}

// Always in place for the form: the menu key and the short-cuts.
bool TbsSkinFormMenus::formMessage(const TAppMessage& m)
{
    if (!belongsToForm(m.control))
        return false;
    switch (m.kind) {
    case TAppMessage::Kind::KeyDown:
        if (menuKeyDown(m.key, m.shift))
            return true;
        if (m.key == VK_MENU)
            return false;
        // The window menu's Close short-cut: no window manager may be there to give it.
        if (m.key == VK_F4 && m.shift == ssAlt) {
            m_form.close();
            return true;
        }
        return shortCut(m.key, m.shift);
    case TAppMessage::Kind::KeyUp: return loneAltReleased(m.key);
    case TAppMessage::Kind::MouseDown:
    case TAppMessage::Kind::Deactivate: m_altAlone = false; return false;
    case TAppMessage::Kind::MouseWheel: return false;
    }
    return false;
}

// F10 works the menus at once; Alt going down may begin a lone Alt press, any
// other key ends one. True when F10 was taken.
bool TbsSkinFormMenus::menuKeyDown(int key, unsigned shift)
{
    if (key == VK_F10 && shift == 0) {
        menuKey();
        return true;
    }
    m_altAlone = key == VK_MENU;
    return false;
}

// Alt released with no key between works the menus; true when it did.
bool TbsSkinFormMenus::loneAltReleased(int key)
{
    if (key != VK_MENU || !m_altAlone)
        return false;
    m_altAlone = false;
    menuKey();
    return true;
}

// In place while a menu is open or the bar is in keyboard menu mode: every key
// and wheel turn is the menus', and a press anywhere else ends them.
bool TbsSkinFormMenus::menuMessage(const TAppMessage& m)
{
    switch (m.kind) {
    case TAppMessage::Kind::KeyDown:
        if (!menuKeyDown(m.key, m.shift) && m.key != VK_MENU)
            keyDown(m.key, m.shift);
        return true;
    case TAppMessage::Kind::KeyUp: loneAltReleased(m.key); return true;
    case TAppMessage::Kind::MouseWheel: return true;
    case TAppMessage::Kind::MouseDown:
        m_altAlone = false;
        if (!m_engine.ownsWindow(m.control))
            menuClosingCheck();
        return false;
    case TAppMessage::Kind::Deactivate:
        if (m.control == &m_form)
            menuClosingCheck();
        return false;
    }
    return false;
}

void TbsSkinFormMenus::menuOpening()
{
    if (!m_mainMenuMode)
        installHook();
    if (m_menuOpen)
        return;
    m_menuOpen = true;
    if (onSkinMenuOpen)
        onSkinMenuOpen();
}

void TbsSkinFormMenus::menuClosed()
{
    m_menuOpen = false;
    if (releaseFrameButton)
        releaseFrameButton();
    removeHook();
    if (onSkinMenuClose)
        onSkinMenuClose();
    if (!m_mainMenuMode)
        return;
    m_mainMenuMode = false;
    if (m_bar)
        m_bar->leaveMenuMode();
    if (onMainMenuExit)
        onMainMenuExit();
}

void TbsSkinFormMenus::mainMenuPressed(TbsMenuBarLink& bar)
{
    if (!m_mainMenuMode && onMainMenuEnter)
        onMainMenuEnter(bar);
    menuOpening();
    m_mainMenuMode = true;
}

void TbsSkinFormMenus::mainMenuCommand()
{
    if (m_mainMenuMode)
        leaveMainMenuMode();
    m_menuOpen = false;
}

void TbsSkinFormMenus::leaveMainMenuMode()
{
    m_mainMenuMode = false;
    if (m_engine.visible())
        m_engine.closeAll();
    if (m_bar)
        m_bar->leaveMenuMode();
    removeHook();
    if (onMainMenuExit)
        onMainMenuExit();
}

void TbsSkinFormMenus::popupClosedInMainMenu()
{
    m_menuOpen = false;
    if (m_bar)
        m_bar->popupClosed();
    if (onSkinMenuClose)
        onSkinMenuClose();
}

void TbsSkinFormMenus::menuKey()
{
    if (m_mainMenuMode) {
        leaveMainMenuMode();
        return;
    }
    if (m_engine.visible())
        m_engine.closeAll();
    if (!m_bar)
        return;
    m_bar->enterMenuMode();
    installHook();
    m_mainMenuMode = true;
    if (onMainMenuEnter)
        onMainMenuEnter(*m_bar);
}

void TbsSkinFormMenus::keyDown(int key, unsigned)
{
    if (m_mainMenuMode && m_bar && m_bar->takeAccelerator(key))
        return;
    if (key == VK_ESCAPE && m_mainMenuMode && !m_engine.visible()) {
        leaveMainMenuMode();
        return;
    }
    TbsSkinPopupWindow* deepest = m_engine.deepest();
    if (key == VK_LEFT && m_mainMenuMode && m_engine.levelCount() <= 1) {
        if (m_bar)
            m_bar->previousItem();
        return;
    }
    if (key == VK_RIGHT && m_mainMenuMode
        && (!deepest || deepest->activeItem() < 0 || deepest->item(deepest->activeItem()).count() == 0)) {
        if (m_bar)
            m_bar->nextItem();
        return;
    }
    // Down on the highlighted bar item drops its menu, as Enter does.
    if ((key == VK_RETURN || (key == VK_DOWN && m_mainMenuMode && !m_engine.visible())) && m_bar && m_bar->takeEnter())
        return;
    if (!m_engine.visible() || !deepest)
        return;
    deepest->keyDown(key);
    if (key != VK_ESCAPE || m_engine.visible())
        return;
    if (m_mainMenuMode)
        popupClosedInMainMenu();
    else
        menuClosed();
}

bool TbsSkinFormMenus::shortCut(int key, unsigned shift)
{
    if ((shift & ssAlt) && m_bar && m_bar->takeAccelerator(key))
        return true;
    TMainMenu* menu = m_bar ? m_bar->linkedMenu() : nullptr;
    if (!menu)
        return false;
    TMenuItem* item = findShortCut(menu->items(), key, shift);
    if (!item || !item->enabled())
        return false;
    item->click();
    return true;
}

void TbsSkinFormMenus::menuClosingCheck()
{
    if (m_mainMenuMode && !m_engine.visible()) {
        leaveMainMenuMode();
        return;
    }
    if (m_engine.visible())
        m_engine.closeAll();
    else if (m_menuOpen)
        menuClosed();
}

void TbsSkinFormMenus::menuNotice(TbsMenuNotice notice)
{
    if (notice == MenuClosed)
        menuClosed();
}

// ---- popup menu ----

TbsSkinPopupMenu::TbsSkinPopupMenu(TForm* componentForm) : m_form(componentForm) {}

void TbsSkinPopupMenu::popup(int x, int y) { show(nullptr, false, TRect{x, y, x, y}, NeedsModel::No); }

void TbsSkinPopupMenu::popupFromButton(const TRect& r, bool up, TbsMenuNoticeTarget* button)
{
    show(button, up, r, NeedsModel::No);
}

void TbsSkinPopupMenu::popupFromEdit(TPoint p, TbsMenuNoticeTarget* edit)
{
    show(edit, false, TRect{p.x, p.y, p.x, p.y}, NeedsModel::Yes);
}

void TbsSkinPopupMenu::show(TbsMenuNoticeTarget* opener, bool up, const TRect& anchor, NeedsModel needsModel)
{
    if (onPopup)
        onPopup();
    TbsSkinFormMenus* frame = TbsSkinFormMenus::of(m_form);
    if (!frame)
        return;
    TbsSkinData* model = m_skinData ? m_skinData : frame->SkinData();
    if (needsModel == NeedsModel::Yes && !model)
        return;
    if (frame->engine().visible())
        frame->menuClosed();
    frame->menuOpening();
    frame->engine().popup(opener, model, up, m_items, anchor, 0);
    // Nothing to show: the keyboard must not stay with a menu nobody sees.
    if (!frame->engine().visible())
        frame->menuClosed();
}

} // namespace qv
