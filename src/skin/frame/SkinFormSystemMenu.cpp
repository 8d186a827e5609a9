// The system menu, built from the window state each time it opens.

#include "skin/frame/SkinForm.h"

namespace qv {

TMenuItem& TbsSkinForm::buildSystemMenu()
{
    // Open levels show the items about to be replaced.
    m_menus.engine().closeAll();
    TMenuItem& menu = m_systemMenu ? *m_systemMenu : m_internalSystemMenu;
    for (const char* name : {"BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE", "BSF_ROLLUP", "BSF_MINTOTRAY", "BSF_SEP", "BSF_CLOSE"})
        menu.remove(name);
    TbsResourceStrData* strings = m_skinData ? m_skinData->ResourceStrData() : nullptr;
    auto text = [&](const char* name, const char* builtIn) { return strings ? strings->GetResStr(name) : std::string(builtIn); };
    bool const minimized = m_windowState == TbsWindowState::Minimized;
    bool const maximized = m_windowState == TbsWindowState::Maximized;
    bool any = false;
    auto add = [&](const char* name, std::string caption, std::function<void()> action) {
        menu.add(name, std::move(caption)).onClick = std::move(action);
        any = true;
    };
    if (!minimized && (m_borderIcons & biMinimize))
        add("BSF_MINITEM", text("MI_MINCAPTION", "Mi&nimize"), [this] { minimize(); });
    if (!maximized && (m_borderIcons & biMaximize))
        add("BSF_MAXITEM", text("MI_MAXCAPTION", "Ma&ximize"), [this] { maximize(); });
    if (minimized || maximized || m_rollUpState)
        add("BSF_RESTORE", text("MI_RESTORECAPTION", "&Restore"), [this] { restore(); });
    if (!m_rollUpState && !minimized && (m_borderIcons & biRollUp))
        add("BSF_ROLLUP", text("MI_ROLLUPCAPTION", "Ro&llUp"), [this] { rollUp(); });
    if (m_borderIcons & biMinimizeToTray)
        add("BSF_MINTOTRAY", text("MI_MINTOTRAYCAPTION", "Minimize to &Tray"), [] {});
    if (any)
        menu.add("BSF_SEP", "-");
    menu.add("BSF_CLOSE", text("MI_CLOSECAPTION", "&Close")).setShortCut("Alt+F4");
    menu.find("BSF_CLOSE")->onClick = [this] { close(); };
    return menu;
}

void TbsSkinForm::showSystemMenu(const TRect& anchor)
{
    TMenuItem& menu = buildSystemMenu();
    m_menus.menuOpening();
    m_menus.engine().popup(&m_menus, m_menusSkinData ? m_menusSkinData : m_skinData, false, menu, anchor);
}

void TbsSkinForm::systemMenuButtonPressed(TbsActiveSkinObject& object) { showSystemMenu(screenRectOf(object.objectRect())); }

TRect TbsSkinForm::screenRectOf(const TRect& r) const
{
    TRect const b = m_form.windowBounds();
    return r.offset(b.left, b.top);
}

} // namespace qv
