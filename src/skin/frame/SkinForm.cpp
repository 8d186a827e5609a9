#include "skin/frame/SkinForm.h"

#include "runtime/core/Property.h"
#include "runtime/ui/Application.h"
#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/controls/SkinControl.h"
#include "skin/popupmenu/SkinMenu.h"

#include <algorithm>

namespace qv {

namespace {

Font captionFont(TColor color)
{
    Font f;
    f.name = "Arial";
    f.cellHeight = 14;
    f.style = fsBold;
    f.color = color;
    return f;
}

bool hasCommandIcon(unsigned icons, TbsStdCommand command)
{
    switch (command) {
    case cmSysMenu: return icons & biSystemMenu;
    case cmMinimize: return icons & biMinimize;
    case cmMaximize: return icons & biMaximize;
    case cmRollUp: return icons & biRollUp;
    case cmMinimizeToTray: return icons & biMinimizeToTray;
    default: return true;
    }
}

const char* hintName(TbsStdCommand command)
{
    switch (command) {
    case cmClose: return "CLOSEBUTTON_HINT";
    case cmMaximize: return "MAXBUTTON_HINT";
    case cmMinimize: return "MINBUTTON_HINT";
    case cmSysMenu: return "MENUBUTTON_HINT";
    case cmRollUp: return "ROLLUPBUTTON_HINT";
    case cmMinimizeToTray: return "TRAYBUTTON_HINT";
    default: return nullptr;
    }
}

const char* builtInHint(TbsStdCommand command)
{
    switch (command) {
    case cmClose: return "Close";
    case cmMaximize: return "Maximize";
    case cmMinimize: return "Minimize";
    case cmSysMenu: return "System menu";
    case cmRollUp: return "Roll Up";
    case cmMinimizeToTray: return "Minimize to Tray";
    default: return "";
    }
}

// Every skinned control of the form forgets its section.
void relaySkinChangeBegin(TWinControl& root, TbsSkinData* model)
{
    for (TControl* child : root.controls()) {
        if (auto* skinned = dynamic_cast<TbsSkinControl*>(child); skinned && (!model || skinned->SkinData() == model))
            skinned->skinChangeBegins();
        if (auto* holder = dynamic_cast<TWinControl*>(child))
            relaySkinChangeBegin(*holder, model);
    }
}

} // namespace

TbsSkinForm::TbsSkinForm(TForm& form)
    : m_form(form)
    , m_defCaptionFont(captionFont(clBtnText))
    , m_defInActiveCaptionFont(captionFont(clBtnShadow))
    , m_menus(form)
{
    m_defMenuItemFont.name = "Arial";
    m_defMenuItemFont.cellHeight = 14;
    m_mouseTimer.setInterval(50);
    m_mouseTimer.onTimer = [this] { mouseTick(); };
    m_animateTimer.setInterval(25);
    m_menus.releaseFrameButton = [this] {
        // The system menu button stays pressed only while its menu is open.
        for (auto& o : m_objects) {
            auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
            if (b && b->command() == cmSysMenu && b->down()) {
                b->resetState();
                redrawObject(*b);
            }
        }
    };
    m_active = m_form.isActive();
    m_form.setFrame(this);
}

TbsSkinForm::~TbsSkinForm()
{
    m_mouseTimer.setEnabled(false);
    m_morphAnimator.stop();
    m_animateTimer.setEnabled(false);
    m_menus.releaseFrameButton = nullptr;
    m_form.setFrame(nullptr);
}

// ---- properties ----

void TbsSkinForm::setSkinData(TbsSkinData* data)
{
    m_skinData = data;
    m_menus.setSkinData(m_menusSkinData ? m_menusSkinData : m_skinData);
    skinChange();
}

void TbsSkinForm::setMenusSkinData(TbsSkinData* data)
{
    m_menusSkinData = data;
    m_menus.setSkinData(m_menusSkinData ? m_menusSkinData : m_skinData);
}

void TbsSkinForm::setBorderIcons(unsigned icons)
{
    if (!assignChanged(m_borderIcons, icons))
        return;
    applyButtonEnabling();
    relayout();
}

void TbsSkinForm::setHideCaptionButtons(bool hide)
{
    if (!assignChanged(m_hideCaptionButtons, hide))
        return;
    applyButtonEnabling();
    relayout();
}

void TbsSkinForm::setMinWidth(int width)
{
    if (assignChanged(m_minWidth, width))
        m_form.frameChanged();
}

void TbsSkinForm::setMinHeight(int height)
{
    if (assignChanged(m_minHeight, height))
        m_form.frameChanged();
}

void TbsSkinForm::setMaxWidth(int width)
{
    if (assignChanged(m_maxWidth, width))
        m_form.frameChanged();
}

void TbsSkinForm::setMaxHeight(int height)
{
    if (assignChanged(m_maxHeight, height))
        m_form.frameChanged();
}

void TbsSkinForm::setDefCaptionFont(const Font& font)
{
    if (assignChanged(m_defCaptionFont, font) && !m_skinSupport)
        m_form.invalidateFrame();
}

void TbsSkinForm::setDefInActiveCaptionFont(const Font& font)
{
    if (assignChanged(m_defInActiveCaptionFont, font) && !m_skinSupport)
        m_form.invalidateFrame();
}

// ---- skin change ----

void TbsSkinForm::skinNotice(TbsSkinNotice code, TbsSkinData* model, int)
{
    if (model && model != m_skinData)
        return;
    switch (code) {
    case SkinChangeBegin: skinChangeBegins(); break;
    case SkinChanged:
        skinChange();
        relaySkinChanged(m_form);
        break;
    case SkinChangeEnd: break;
    case SkinStringsChanged: applyButtonEnabling(); break;
    }
}

void TbsSkinForm::skinChangeBegins()
{
    m_skinSupport = false;
    m_mouseTimer.setEnabled(false);
    m_morphAnimator.stop();
    m_animateTimer.setEnabled(false);
    m_activeObject = m_oldActiveObject = m_captureObject = -1;
    m_objects.clear();
    relaySkinChangeBegin(m_form, m_skinData);
}

void TbsSkinForm::skinChange()
{
    m_activeObject = m_oldActiveObject = m_captureObject = -1;
    m_skinSupport = m_skinData && !m_skinData->empty();
    m_objects.clear();
    m_regionSize.reset();
    if (m_skinSupport) {
        buildObjects();
        applyButtonEnabling();
    } else {
        m_region = {};
        m_form.clearWindowRegion();
    }
    // New margins and limits; the window keeps its size within them.
    m_form.frameChanged();
    enforceMinimumSize();
    relayout();
    updateCaptionActivation(TbsMorphTransition::Jump);
    m_form.invalidateFrame();
    m_mouseTimer.setEnabled(true);
    if (OnChangeSkinData)
        OnChangeSkinData();
    if (m_clientWidth > 0 || m_clientHeight > 0)
        m_form.setClientSize(m_clientWidth > 0 ? m_clientWidth : m_form.clientWidth(),
                             m_clientHeight > 0 ? m_clientHeight : m_form.clientHeight());
}

void TbsSkinForm::buildObjects()
{
    for (int i = 0; i < m_skinData->skinObjectCount(); ++i) {
        const TbsDataSkinObject& d = m_skinData->skinObject(i);
        // Menu entries belong to the menus.
        if (dynamic_cast<const TbsDataSkinMainMenuBarButton*>(&d))
            continue;
        if (auto* s = dynamic_cast<const TbsDataSkinStdButton*>(&d))
            m_objects.push_back(std::make_unique<TbsSkinStdButtonObject>(*this, *s));
        else if (auto* b = dynamic_cast<const TbsDataSkinButton*>(&d))
            m_objects.push_back(std::make_unique<TbsSkinButtonObject>(*this, *b));
        else if (auto* c = dynamic_cast<const TbsDataSkinCaption*>(&d))
            m_objects.push_back(std::make_unique<TbsSkinCaptionObject>(*this, *c));
        else if (auto* a = dynamic_cast<const TbsDataSkinAnimate*>(&d))
            m_objects.push_back(std::make_unique<TbsSkinAnimateObject>(*this, *a));
        else if (auto* u = dynamic_cast<const TbsDataUserObject*>(&d))
            m_objects.push_back(std::make_unique<TbsUserObject>(*this, *u));
    }
}

void TbsSkinForm::applyButtonEnabling()
{
    for (auto& o : m_objects) {
        TbsStdCommand command = cmDefault;
        bool isButton = false;
        if (auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) {
            command = s->command();
            isButton = true;
        } else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) {
            command = a->command();
            isButton = true;
        }
        if (!isButton)
            continue;
        bool enabled = true;
        bool visible = true;
        if (m_hideCaptionButtons)
            enabled = false;
        else if (command == cmDefault)
            visible = OnActivateCustomObject && OnActivateCustomObject(o->name());
        else
            enabled = hasCommandIcon(m_borderIcons, command);
        if (!enabled)
            visible = !o->skinRectInAPicture();
        o->setEnabled(enabled);
        o->setVisible(visible);
        if (m_useDefaultObjectHint && command != cmDefault) {
            std::string hint = m_skinData && m_skinData->ResourceStrData()
                ? m_skinData->ResourceStrData()->GetResStr(hintName(command)) : builtInHint(command);
            o->setHint(hint);
        }
    }
}

void TbsSkinForm::enforceMinimumSize()
{
    TRect b = m_form.windowBounds();
    int w = b.width(), h = b.height();
    if (m_rollUpState || m_windowState == TbsWindowState::Minimized)
        h = minimumHeight();
    if (m_windowState == TbsWindowState::Minimized)
        w = minimumWidth();
    w = std::max(w, minimumWidth());
    h = std::max(h, minimumHeight());
    if (w != b.width() || h != b.height())
        m_form.setWindowBounds(TRect{b.left, b.top, b.left + w, b.top + h});
}

// ---- geometry and layout ----

const TbsSkinPicture& TbsSkinForm::framePicture() const
{
    static const TbsSkinPicture none;
    return m_skinData ? m_skinData->picture() : none;
}

const TbsSkinPicture* TbsSkinForm::mainPicture() const
{
    if (!m_skinSupport)
        return nullptr;
    const TbsSkinPicture& inactive = m_skinData->inactivePicture();
    if (!m_active && !inactive.isEmpty())
        return &inactive;
    return &m_skinData->picture();
}

void TbsSkinForm::recomputeGeometry()
{
    if (!m_skinSupport) {
        m_geometry = TbsFrameGeometry{};
        m_geometry.W = m_form.width();
        m_geometry.H = m_form.height();
        m_geometry.client = TRect{3, defaultCaptionHeight + 3, m_geometry.W - 3, m_geometry.H - 3};
        return;
    }
    const TbsSkinPicture& pic = m_skinData->picture();
    m_geometry = resizedFrameGeometry(m_skinData->frame(), pic.width(), pic.height(), m_form.width(), m_form.height());
}

void TbsSkinForm::layoutObjects()
{
    if (!m_skinSupport)
        return;
    const TbsSkinFrameInfo& fi = m_skinData->frame();
    const TbsFrameGeometry& g = m_geometry;
    std::vector<TbsActiveSkinObject*> line;
    for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        for (auto& o : m_objects) {
            auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
            if (s && s->command() == command && s->skinRectInAPicture()) {
                line.push_back(s);
                break;
            }
        }
    }
    TbsActiveSkinObject* sysMenu = nullptr;
    for (auto& o : m_objects) {
        if (!o->skinRectInAPicture()) {
            o->setObjectRect(mapFrameRect(o->skinRect(), fi, g.pw, g.ph, g.W, g.H));
            continue;
        }
        auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
        if (s && s->command() == cmDefault)
            line.push_back(s);
        if (s && s->command() == cmSysMenu && !sysMenu)
            sysMenu = s;
    }
    std::erase_if(line, [](TbsActiveSkinObject* o) { return !o->visible(); });

    bool const inCaption = g.buttonsRect.isEmpty();
    TRect const area = inCaption ? g.captionRect : g.buttonsRect;
    if (area.isEmpty())
        return;
    int x = g.buttonsInLeft ? area.left : area.right;
    for (TbsActiveSkinObject* o : line) {
        int const w = o->skinRect().width(), h = o->skinRect().height();
        if (g.buttonsInLeft) {
            o->setObjectRect(TRect{x, area.top, x + w, area.top + h});
            x += w + g.buttonsOffset;
        } else {
            o->setObjectRect(TRect{x - w, area.top, x, area.top + h});
            x -= w + g.buttonsOffset;
        }
    }
    if (!inCaption)
        return;
    for (auto& o : m_objects) {
        if (!dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            continue;
        TRect r = o->objectRect();
        if (g.buttonsInLeft)
            r.left = x;
        else
            r.right = x;
        if (sysMenu && sysMenu->visible()) {
            int const w = sysMenu->skinRect().width(), h = sysMenu->skinRect().height();
            int const top = area.top + area.height() / 2 - h / 2;
            sysMenu->setObjectRect(TRect{area.left, top, area.left + w, top + h});
            r.left = area.left + w + g.buttonsOffset;
        }
        o->setObjectRect(r);
    }
}

void TbsSkinForm::rebuildRegion()
{
    if (!m_skinSupport || m_skinData->maskPicture().isEmpty()) {
        m_region = {};
        m_regionSize.reset();
        m_form.clearWindowRegion();
        return;
    }
    TPoint const size{m_geometry.W, m_geometry.H};
    if (m_regionSize == size && !m_region.isEmpty() && m_form.hasWindowRegion())
        return;
    m_region = frameRegion(m_skinData->maskPicture(), m_skinData->frame(), m_geometry);
    m_regionSize = size;
    if (m_region.isEmpty()) {
        m_form.clearWindowRegion();
        m_form.invalidateFrame();
        return;
    }
    m_form.setWindowRegion(toRegion(m_region));
}

void TbsSkinForm::relayout()
{
    recomputeGeometry();
    layoutObjects();
    rebuildRegion();
    m_form.invalidateFrame();
}

int TbsSkinForm::minimumWidth() const
{
    bool const minimized = m_windowState == TbsWindowState::Minimized;
    if (!m_skinSupport)
        return m_minWidth > 0 && !minimized ? m_minWidth : (m_minWidth > 0 ? m_minWidth : 120);
    int const pw = m_skinData->picture().width();
    return m_minWidth > pw && !minimized ? m_minWidth : pw;
}

int TbsSkinForm::minimumHeight() const
{
    bool const folded = m_rollUpState || m_windowState == TbsWindowState::Minimized;
    int base = defaultCaptionHeight + 6;
    if (m_skinSupport) {
        const TRect& C = m_skinData->frame().ClRect;
        base = m_skinData->picture().height() - C.height();
    }
    return m_minHeight > base && !folded ? m_minHeight : base;
}

TSizeLimits TbsSkinForm::sizeLimits()
{
    TSizeLimits l;
    l.minWidth = minimumWidth();
    l.minHeight = minimumHeight();
    TRect area = m_maximizeOnFullScreen ? m_form.monitorBounds() : m_form.workArea();
    l.maxWidth = m_maxWidth > 0 ? std::min(m_maxWidth, area.width()) : area.width();
    l.maxHeight = m_maxHeight > 0 ? std::min(m_maxHeight, area.height()) : area.height();
    return l;
}

TRect TbsSkinForm::clientMargins()
{
    if (!m_skinSupport)
        return TRect{3, defaultCaptionHeight + 3, 3, 3};
    const TbsSkinFrameInfo& fi = m_skinData->frame();
    const TbsSkinPicture& pic = m_skinData->picture();
    return TRect{fi.ClRect.left, fi.ClRect.top, pic.width() - fi.ClRect.right, pic.height() - fi.ClRect.bottom};
}

TbsActiveSkinObject* TbsSkinForm::findObject(const std::string& name) const
{
    for (auto& o : m_objects) {
        if (o->name() == name)
            return o.get();
    }
    return nullptr;
}

TbsSkinStdButtonObject* TbsSkinForm::findButton(TbsStdCommand command) const
{
    for (auto& o : m_objects) {
        if (auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); s && s->command() == command)
            return s;
    }
    return nullptr;
}

// ---- morph, activation ----

void TbsSkinForm::startMorph() { m_morphAnimator.start(); }

bool TbsSkinForm::morphTick()
{
    bool moving = false;
    for (auto& o : m_objects) {
        if (o->morphStep())
            redrawObject(*o);
        moving = moving || o->canMorph();
    }
    return moving;
}

void TbsSkinForm::redrawObject(TbsActiveSkinObject& object)
{
    if (m_form.showing())
        m_form.repaintFrame(object.objectRect());
}

void TbsSkinForm::updateCaptionActivation(TbsMorphTransition transition)
{
    for (auto& o : m_objects) {
        if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            c->activationChanged(m_active, transition);
    }
}

void TbsSkinForm::resetObjectStates()
{
    for (auto& o : m_objects)
        o->resetState();
    m_plainHot = m_plainDown = cmDefault;
}

void TbsSkinForm::activationChanged(bool active)
{
    m_active = active;
    resetObjectStates();
    m_activeObject = m_captureObject = -1;
    updateCaptionActivation(TbsMorphTransition::Fade);
    m_form.invalidateFrame();
    if (active && OnActivate)
        OnActivate();
    if (!active && OnDeActivate)
        OnDeActivate();
}

// ---- window messages ----

void TbsSkinForm::resized()
{
    if (m_form.width() < minimumWidth() || m_form.height() < minimumHeight())
        return;
    relayout();
}

void TbsSkinForm::shown()
{
    relayout();
    m_mouseTimer.setEnabled(true);
}

void TbsSkinForm::captionChanged() { m_form.invalidateFrame(); }

void TbsSkinForm::moving(TRect& proposed)
{
    if (m_windowState == TbsWindowState::Maximized) {
        proposed = m_form.windowBounds();
        return;
    }
    if (m_magnetic)
        proposed = snapped(proposed);
}

TRect TbsSkinForm::snapped(const TRect& proposed) const
{
    TRect const area = m_form.workArea();
    int const d = m_magneticSize;
    int const w = proposed.width(), h = proposed.height();
    int left = proposed.left, top = proposed.top;
    if (std::abs(left - area.left) < d) left = area.left;
    if (std::abs(top - area.top) < d) top = area.top;
    if (std::abs(left + w - area.right) < d) left = area.right - w;
    if (std::abs(top + h - area.bottom) < d) top = area.bottom - h;
    return TRect{left, top, left + w, top + h};
}

void TbsSkinForm::sizeMoveStarted()
{
    resetObjectStates();
    m_mouseTimer.setEnabled(false);
    m_activeObject = m_captureObject = -1;
    m_sizeMove = true;
}

void TbsSkinForm::sizeMoveEnded()
{
    m_sizeMove = false;
    m_mouseTimer.setEnabled(false);
    m_activeObject = m_captureObject = -1;
    m_form.invalidateFrame();
}

void TbsSkinForm::menuClosingMessage() { TbsSkinMenu::closeOpenMenus(); }

} // namespace qv
