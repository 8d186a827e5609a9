#include "skin/frame/SkinForm.h"

#include "runtime/core/Property.h"
#include "runtime/ui/Application.h"
#include "skin/controls/SkinControl.h"
#include "skin/model/SkinBitmaps.h"
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

TRect offsetRect(const TRect& r, int dx, int dy) { return TRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

bool intersects(const TRect& a, const TRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
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
    m_morphTimer.setInterval(20);
    m_morphTimer.onTimer = [this] { morphTick(); };
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
    m_morphTimer.setEnabled(false);
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
    m_morphTimer.setEnabled(false);
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
    updateCaptionActivation(false);
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
        m_form.clearWindowRegion();
        return;
    }
    TbsRegionRects outline = frameRegion(m_skinData->maskPicture(), m_skinData->frame(), m_geometry);
    // A relayout that keeps the outline (the same size again) keeps the window's region.
    if (!outline.isEmpty() && outline.rects == m_region.rects && m_form.hasWindowRegion())
        return;
    m_region = std::move(outline);
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

// ---- hit-testing ----

bool TbsSkinForm::sizeable() const { return m_form.sizeable(); }

bool TbsSkinForm::onCaption(TPoint p) const
{
    for (auto& o : m_objects) {
        if (o->visible() && dynamic_cast<TbsSkinCaptionObject*>(o.get()) && o->objectRect().contains(p))
            return true;
    }
    return false;
}

bool TbsSkinForm::insideRegion(TPoint p) const
{
    // The region is the solid mask area and the strips' black runs: the pixel test.
    return m_region.contains(p);
}

THitCode TbsSkinForm::hitTest(TPoint p)
{
    THitCode code = m_skinSupport ? skinHitTest(p) : plainHitTest(p);
    if (code == THitCode::Object && !m_mouseTimer.enabled()) {
        hoverTest(p);
        m_mouseTimer.setEnabled(true);
    }
    return code;
}

THitCode TbsSkinForm::skinHitTest(TPoint p) const
{
    const TbsFrameGeometry& g = m_geometry;
    bool const folded = m_rollUpState || m_windowState == TbsWindowState::Minimized;
    if (!folded) {
        if (m_activeObject != -1 && !onCaption(p) && !g.client.contains(p) && !m_sizeMove)
            return THitCode::Object;
        if (m_windowState != TbsWindowState::Maximized && sizeable()) {
            int const bw = m_skinData->frame().BorderWidth;
            TPoint const probes[] = {{p.x - bw, p.y}, {p.x, p.y - bw}, {p.x + bw, p.y}, {p.x, p.y + bw}};
            TRect const window{0, 0, g.W, g.H};
            bool near = false;
            bool const masked = !m_region.isEmpty();
            for (TPoint q : probes)
                near = near || (masked ? !insideRegion(q) : !window.contains(q));
            if (masked && g.mask.contains(p))
                near = false;
            if (near) {
                if (p.x <= g.HLT.x && p.y <= g.HLT.y) return THitCode::TopLeft;
                if (p.x >= g.HRT.x && p.y <= g.HRT.y) return THitCode::TopRight;
                if (p.x <= g.HLB.x && p.y >= g.HLB.y) return THitCode::BottomLeft;
                if (p.x >= g.HRB.x && p.y >= g.HRB.y) return THitCode::BottomRight;
                if (TRect{g.HLT.x, 0, g.HRT.x, g.client.top}.contains(p)) return THitCode::Top;
                if (TRect{g.HLB.x, g.client.bottom, g.HRB.x, g.H}.contains(p)) return THitCode::Bottom;
                if (TRect{0, g.HLT.y, g.client.left, g.HLB.y}.contains(p)) return THitCode::Left;
                if (TRect{g.client.right, g.HRT.y, g.W, g.HRB.y}.contains(p)) return THitCode::Right;
            }
            if (g.client.contains(p))
                return THitCode::Client;
            return onCaption(p) ? THitCode::Caption : THitCode::Object;
        }
        if (g.client.contains(p))
            return THitCode::Client;
    }
    return onCaption(p) ? THitCode::Caption : THitCode::Object;
}

THitCode TbsSkinForm::plainHitTest(TPoint p) const
{
    int const W = m_form.width(), H = m_form.height();
    bool const folded = m_rollUpState || m_windowState != TbsWindowState::Normal;
    if (m_plainHot != cmDefault || plainButtonAt(p) != cmDefault)
        return THitCode::Object;
    if (sizeable() && !folded) {
        bool const left = p.x < 3, right = p.x >= W - 3, top = p.y < 3, bottom = p.y >= H - 3;
        if (left && top) return THitCode::TopLeft;
        if (right && top) return THitCode::TopRight;
        if (left && bottom) return THitCode::BottomLeft;
        if (right && bottom) return THitCode::BottomRight;
        if (left) return THitCode::Left;
        if (right) return THitCode::Right;
        if (top) return THitCode::Top;
        if (bottom) return THitCode::Bottom;
    }
    if (TRect{3, 3, W - 3, 3 + defaultCaptionHeight}.contains(p))
        return THitCode::Caption;
    if (TRect{3, defaultCaptionHeight + 3, W - 3, H - 3}.contains(p))
        return THitCode::Client;
    return THitCode::Object;
}

// ---- hover, morph, activation ----

void TbsSkinForm::hoverTest(TPoint p)
{
    if (m_sizeMove) {
        m_mouseTimer.setEnabled(false);
        return;
    }
    if (!m_skinSupport) {
        TbsStdCommand hot = plainButtonAt(p);
        if (hot != m_plainHot) {
            m_plainHot = hot;
            m_form.invalidateFrame();
        }
        return;
    }
    int next = -1;
    if (!(m_geometry.client.contains(p) && m_activeObject != -1)) {
        for (int i = 0; i < objectCount(); ++i) {
            const TbsActiveSkinObject& o = object(i);
            if (o.visible() && o.enabled() && o.objectRect().contains(p)) {
                next = i;
                break;
            }
        }
        if (m_captureObject != -1 && next != m_captureObject)
            next = -1;
    }
    if (next == m_activeObject)
        return;
    m_oldActiveObject = m_activeObject;
    m_activeObject = next;
    if (m_oldActiveObject != -1)
        object(m_oldActiveObject).mouseLeave();
    if (m_activeObject != -1)
        object(m_activeObject).mouseEnter();
}

void TbsSkinForm::mouseTick()
{
    if (!m_form.showing())
        return;
    hoverTest(m_form.cursorInWindow());
}

void TbsSkinForm::startMorph()
{
    if (!m_morphTimer.enabled())
        m_morphTimer.setEnabled(true);
}

void TbsSkinForm::morphTick()
{
    bool moved = false;
    for (auto& o : m_objects) {
        if (o->morphing() && o->morphStep()) {
            moved = true;
            redrawObject(*o);
        }
    }
    if (!moved)
        m_morphTimer.setEnabled(false);
}

void TbsSkinForm::redrawObject(TbsActiveSkinObject& object)
{
    if (m_form.showing())
        m_form.repaintFrame(object.objectRect());
}

void TbsSkinForm::updateCaptionActivation(bool repaint)
{
    for (auto& o : m_objects) {
        if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            c->activationChanged(m_active, repaint);
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
    updateCaptionActivation(true);
    m_form.invalidateFrame();
    if (active && OnActivate)
        OnActivate();
    if (!active && OnDeActivate)
        OnDeActivate();
}

// ---- mouse ----

void TbsSkinForm::pressObject(MouseButton button, TPoint p)
{
    if (m_activeObject != -1) {
        TbsActiveSkinObject& o = object(m_activeObject);
        m_captureObject = m_activeObject;
        o.mouseDown(button, p.x, p.y);
    }
    if (onCaption(p))
        m_captureObject = -1;
}

void TbsSkinForm::ncMouseDown(MouseButton button, TPoint p)
{
    if (!m_skinSupport) {
        m_plainHot = plainButtonAt(p);
        m_plainDown = button == MouseButton::Left ? m_plainHot : cmDefault;
        m_form.invalidateFrame();
        if (m_plainDown == cmSysMenu)
            showSystemMenu(screenRectOf(plainButtonRect(0)));
        else if (button == MouseButton::Right && plainHitTest(p) == THitCode::Caption)
            showSystemMenu(screenRectOf(TRect{p.x, p.y, p.x, p.y}));
        return;
    }
    hoverTest(p);
    pressObject(button, p);
    if (button == MouseButton::Right && onCaption(p)) {
        m_captureObject = -1;
        showSystemMenu(screenRectOf(TRect{p.x, p.y, p.x, p.y}));
    }
}

void TbsSkinForm::ncMouseUp(MouseButton button, TPoint p)
{
    if (!m_skinSupport) {
        TbsStdCommand const pressed = m_plainDown;
        m_plainDown = cmDefault;
        m_plainHot = plainButtonAt(p);
        m_form.invalidateFrame();
        if (button == MouseButton::Left && pressed != cmDefault && pressed != cmSysMenu && pressed == m_plainHot)
            runCommand(pressed);
        return;
    }
    if (m_captureObject == -1)
        return;
    hoverTest(p);
    int const captured = m_captureObject;
    m_captureObject = -1;
    if (captured < objectCount())
        object(captured).mouseUp(button, p.x, p.y);
    hoverTest(p);
}

void TbsSkinForm::ncMouseMove(TPoint p)
{
    hoverTest(p);
    int const target = m_captureObject != -1 ? m_captureObject : m_activeObject;
    if (target != -1 && target < objectCount())
        object(target).mouseMove(p.x, p.y);
}

void TbsSkinForm::ncDoubleClick(MouseButton button, TPoint p)
{
    bool caption = false;
    if (m_skinSupport) {
        hoverTest(p);
        pressObject(button, p);
        if (button == MouseButton::Left && m_activeObject != -1)
            object(m_activeObject).dblClick();
        caption = onCaption(p);
    } else {
        if (plainButtonAt(p) == cmSysMenu && button == MouseButton::Left) {
            runCommand(cmClose);
            return;
        }
        caption = plainHitTest(p) == THitCode::Caption;
    }
    m_captureObject = -1;
    if (button != MouseButton::Left || !caption)
        return;
    if (!sizeable())
        rollUp();
    else if (m_windowState == TbsWindowState::Minimized)
        restore();
    else if (m_windowState == TbsWindowState::Normal && !m_rollUpState && (m_borderIcons & biMaximize))
        maximize();
    else if (m_windowState == TbsWindowState::Maximized && !m_maxRollUpState)
        restore();
    else
        rollUp();
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

// ---- commands and window states ----

void TbsSkinForm::runCommand(TbsStdCommand command)
{
    switch (command) {
    case cmClose: close(); break;
    case cmMaximize:
        if (m_windowState == TbsWindowState::Maximized)
            restore();
        else
            maximize();
        break;
    case cmMinimize:
        if (m_windowState == TbsWindowState::Minimized)
            restore();
        else
            minimize();
        break;
    case cmRollUp: rollUp(); break;
    case cmSysMenu:
    case cmDefault:
    case cmMinimizeToTray: break;
    }
}

void TbsSkinForm::setBounds(const TRect& bounds)
{
    m_form.frameChanged();
    m_form.setWindowBounds(bounds);
    relayout();
}

TRect TbsSkinForm::minimizedSlot() const
{
    TRect const area = m_form.workArea();
    int const w = minimumWidth(), h = minimumHeight();
    auto taken = [&](int left, int top) {
        for (auto* target : TbsSkinNoticeTarget::formOrder()) {
            auto* other = dynamic_cast<TbsSkinForm*>(target);
            if (!other || other == this || !other->m_form.showing() || other->m_windowState != TbsWindowState::Minimized)
                continue;
            if (TApplication::exists() && TApplication::instance().mainForm() == &other->m_form)
                continue;
            TRect b = other->m_form.windowBounds();
            if (b.left == left && b.top == top)
                return true;
        }
        return false;
    };
    int left = area.left, top = area.bottom - h;
    for (;;) {
        if (!taken(left, top))
            return TRect{left, top, left + w, top + h};
        left += w;
        if (left + w > area.right) {
            left = area.left;
            top -= h;
        }
        if (top < area.top)
            return TRect{area.left, area.bottom - h, area.left + w, area.bottom};
    }
}

void TbsSkinForm::minimize()
{
    if (!(m_borderIcons & biMinimize) || m_windowState == TbsWindowState::Minimized)
        return;
    if (TApplication::exists() && TApplication::instance().mainForm() == &m_form) {
        m_form.minimizeToTaskBar();
        return;
    }
    if (!m_oldBounds)
        m_oldBounds = m_form.windowBounds();
    m_windowState = TbsWindowState::Minimized;
    setBounds(minimizedSlot());
}

void TbsSkinForm::maximize()
{
    if (!(m_borderIcons & biMaximize) || m_windowState == TbsWindowState::Maximized)
        return;
    if (!m_oldBounds)
        m_oldBounds = m_form.windowBounds();
    TRect const monitor = m_form.monitorBounds();
    TRect area = m_maximizeOnFullScreen ? monitor : m_form.workArea();
    // A monitor with nothing reserved on it: keep a pixel free on each side, so
    // that a task bar that hides itself still finds the screen edge.
    if (area == monitor && m_form.onPrimaryMonitor())
        area = TRect{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
    m_windowState = TbsWindowState::Maximized;
    if (m_rollUpState)
        m_maxRollUpState = true;
    setBounds(TRect{area.left, area.top, area.right, m_rollUpState ? area.top + minimumHeight() : area.bottom});
}

void TbsSkinForm::restore()
{
    if (m_windowState == TbsWindowState::Normal) {
        if (m_rollUpState)
            rollUp();
        return;
    }
    if (m_maxRollUpState)
        m_rollUpState = false;
    m_maxRollUpState = false;
    m_windowState = TbsWindowState::Normal;
    if (m_oldBounds) {
        TRect b = *m_oldBounds;
        m_oldBounds.reset();
        if (m_rollUpState)
            b.bottom = b.top + minimumHeight();
        setBounds(b);
    } else {
        relayout();
    }
    m_mouseTimer.setEnabled(true);
    m_form.invalidateFrame();
}

void TbsSkinForm::rollUp()
{
    if (!(m_borderIcons & biRollUp) || m_windowState == TbsWindowState::Minimized)
        return;
    bool const maximized = m_windowState == TbsWindowState::Maximized;
    if (m_rollUpState && maximized && !m_maxRollUpState)
        return;
    m_rollUpState = !m_rollUpState;
    if (maximized)
        m_maxRollUpState = m_rollUpState;
    TRect b = m_form.windowBounds();
    if (m_rollUpState) {
        m_oldHeight = b.height();
        b.bottom = b.top + minimumHeight();
    } else {
        b.bottom = b.top + std::max(m_oldHeight, minimumHeight());
    }
    setBounds(b);
    if (OnChangeRollUpState)
        OnChangeRollUpState();
}

// ---- system menu ----

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
    return offsetRect(r, b.left, b.top);
}

// ---- painting ----

void TbsSkinForm::eraseClient(Canvas& canvas)
{
    int const cw = m_form.clientWidth(), ch = m_form.clientHeight();
    if (!m_skinSupport) {
        canvas.brush.color = clBtnFace;
        canvas.brush.style = BrushStyle::Solid;
        canvas.fillRect(TRect{0, 0, cw, ch});
        return;
    }
    const TbsSkinFrameInfo& fi = m_skinData->frame();
    const TbsSkinPicture* bg = m_skinData->activePicture(fi.BGPictureIndex);
    TbsSkinPicture tile;
    if (bg) {
        tile = *bg;
    } else if (!fi.ClRect.isEmpty()) {
        tile.setSize(fi.ClRect.width(), fi.ClRect.height());
        tile.copyRect(TRect{0, 0, tile.width(), tile.height()}, m_skinData->picture(), fi.ClRect);
    }
    if (tile.isEmpty()) {
        canvas.brush.color = clBtnFace;
        canvas.brush.style = BrushStyle::Solid;
        canvas.fillRect(TRect{0, 0, cw, ch});
        return;
    }
    Bitmap const piece = toBitmap(tile);
    TRect const clip = canvas.clipBox();
    for (int x = 0; x < cw; x += tile.width()) {
        for (int y = 0; y < ch; y += tile.height()) {
            if (intersects(TRect{x, y, x + tile.width(), y + tile.height()}, clip))
                canvas.draw(x, y, piece);
        }
    }
}

void TbsSkinForm::paintFrame(Canvas& canvas)
{
    if (m_skinSupport)
        paintSkinFrame(canvas);
    else
        paintPlainFrame(canvas);
}

void TbsSkinForm::paintSkinFrame(Canvas& canvas)
{
    if (m_form.width() < m_skinData->picture().width() || m_form.height() < minimumHeight())
        return;
    recomputeGeometry();
    layoutObjects();
    const TbsFrameGeometry& g = m_geometry;
    DrawFrameStrips(m_strips, *mainPicture(), m_skinData->frame(), g);
    int const topH = m_strips.top.height(), bottomH = m_strips.bottom.height();
    TRect const clip = canvas.clipBox();
    bool const full = clip.left <= 0 && clip.top <= 0 && clip.right >= g.W && clip.bottom >= g.H;
    struct Piece {
        const TbsSkinPicture& picture;
        int x, y;
        bool objectsGoHere;
        int shift;
    };
    Piece const pieces[] = {{m_strips.top, 0, 0, true, 0},
                            {m_strips.left, 0, topH, false, 0},
                            {m_strips.right, g.W - m_strips.right.width(), topH, false, 0},
                            {m_strips.bottom, 0, g.H - bottomH, true, g.H - bottomH}};
    for (const Piece& piece : pieces) {
        TRect const at{piece.x, piece.y, piece.x + piece.picture.width(), piece.y + piece.picture.height()};
        if (piece.picture.isEmpty() || !intersects(at, clip))
            continue;
        Bitmap strip = toBitmap(piece.picture);
        if (piece.objectsGoHere) {
            Canvas& c = strip.canvas();
            c.setOrigin(0, -piece.shift);
            for (auto& o : m_objects) {
                bool const onBottom = o->objectRect().bottom > g.client.top;
                if (!o->visible() || onBottom != (piece.shift != 0))
                    continue;
                o->draw(c, full);
                c.clearClip();
            }
        }
        canvas.draw(piece.x, piece.y, strip);
    }
}

} // namespace qv
