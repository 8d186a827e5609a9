#pragma once

#include "runtime/graphics/Canvas.h"
#include "runtime/ui/Control.h"
#include "skin/drawing/MorphAnimator.h"
#include "skin/model/SkinData.h"

#include <functional>
#include <string>

namespace qv {

class TbsSkinForm;
class TMenuItem;

// A part of the drawn frame that reacts to the mouse: caption buttons, the
// caption itself, user objects. Rectangles are in window coordinates.
class TbsActiveSkinObject {
public:
    TbsActiveSkinObject(TbsSkinForm& parent, const TbsDataSkinObject& data);
    virtual ~TbsActiveSkinObject() = default;
    TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
    TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

    // The morph factor is not yet at its target.
    virtual bool canMorph() const;
    // full: the whole frame is drawn, so a look that is part of the frame
    // picture need not be drawn again.
    virtual void draw(Canvas& canvas, bool full);
    virtual void dblClick() {}
    virtual void mouseDown(MouseButton button, int x, int y);
    virtual void mouseUp(MouseButton button, int x, int y);
    virtual void mouseMove(int x, int y);
    virtual void mouseEnter();
    virtual void mouseLeave();

    const std::string& name() const { return m_name; }
    const std::string& hint() const { return m_hint; }
    void setHint(const std::string& hint) { m_hint = hint; }
    const TRect& objectRect() const { return m_rect; }
    void setObjectRect(const TRect& r) { m_rect = r; }
    const TRect& skinRect() const { return m_skinRect; }
    bool skinRectInAPicture() const { return m_skinRectInAPicture; }
    bool active() const { return m_active; }
    // Takes the active state without starting a morph: repaint or jump.
    void setActive(bool active) { m_active = active; }
    bool mouseIn() const { return m_mouseIn; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool morphing() const { return m_morphing; }
    double morphFactor() const { return m_morph.factor(); }
    // Jumps to the target of the current state.
    void settleMorph() { m_morph.jumpTo(m_active); }
    void setMorphFactorFull() { m_morph.jumpTo(true); }
    // One step towards the target; true when the factor moved.
    bool morphStep();
    // Loses the mouse-over and down states.
    virtual void resetState();

protected:
    // The picture the state rectangles are cut from.
    const TbsSkinPicture* activePicture() const { return m_picture; }
    // The normal look: from the active picture, or from the frame picture.
    const TbsSkinPicture* normalPicture() const;
    // The look of source rectangle src put on the object rectangle; blended when morphing.
    void drawLook(Canvas& canvas, const TbsSkinPicture* normalPic, const TRect& normal, const TbsSkinPicture* activePic,
        const TRect& active);
    void redraw();
    // Entering or leaving: the morph timer runs, or the object is redrawn at once.
    void activeChanged();
    // The pointer came over the object or left it.
    void setMouseOver(bool over);
    // Fires one of the frame's object events with this object's name.
    void notify(const std::function<void(const std::string&)>& event) const;

    TbsSkinForm& m_parent;
    TbsSkinData* m_data;
    const TbsSkinPicture* m_picture = nullptr;
    std::string m_name;
    std::string m_hint;
    bool m_skinRectInAPicture = false;
    TRect m_skinRect, m_activeSkinRect, m_inActiveSkinRect;
    bool m_morphing = false;
    TbsMorphKind m_morphKind = mkDefault;
    TbsMorph m_morph;
    bool m_active = false;
    bool m_mouseIn = false;
    bool m_enabled = true;
    bool m_visible = true;
    TRect m_rect;
};

// A caption button without a command of its own.
class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(TbsSkinForm& parent, const TbsDataSkinButton& data);

    void draw(Canvas& canvas, bool full) override;
    void mouseDown(MouseButton button, int x, int y) override;
    void mouseUp(MouseButton button, int x, int y) override;
    void mouseEnter() override;
    void resetState() override;
    bool down() const { return m_down; }

protected:
    TRect m_downRect, m_disableSkinRect;
    bool m_down = false;
};

// A caption button that carries out a command: close, maximize, minimize,
// system menu, roll-up.
class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(TbsSkinForm& parent, const TbsDataSkinStdButton& data);

    TbsStdCommand command() const { return m_command; }
    void draw(Canvas& canvas, bool full) override;
    void dblClick() override;
    void mouseDown(MouseButton button, int x, int y) override;
    void mouseUp(MouseButton button, int x, int y) override;

private:
    // The button shows its restore look: maximized, minimized or rolled up.
    bool inRestoreState() const;

    TbsStdCommand m_command;
    TRect m_restoreRect, m_restoreActiveRect, m_restoreDownRect, m_restoreInActiveRect;
};

// The caption text over the caption band.
class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
    TbsSkinCaptionObject(TbsSkinForm& parent, const TbsDataSkinCaption& data);
    void draw(Canvas& canvas, bool full) override;
    // The caption follows the window's activation, not the mouse.
    void mouseEnter() override {}
    void mouseLeave() override {}
    void resetState() override {}
    // Takes the window's new activation, fading to it or showing it at once.
    void activationChanged(bool active, TbsMorphTransition transition);

    // The text shortened with "..." until it is no wider than width.
    static std::string shortenedText(Canvas& canvas, const std::string& text, int width);

private:
    TRect m_textRect;
    TbsSkinFontFields m_font;
    TColor m_activeFontColor;
    TAlignment m_alignment;
    bool m_shadow;
    TColor m_shadowColor, m_activeShadowColor;
    TRect m_frameRect, m_frameTextRect;
};

// Frame-by-frame animated button; drawn with its first frame.
class TbsSkinAnimateObject : public TbsActiveSkinObject {
public:
    TbsSkinAnimateObject(TbsSkinForm& parent, const TbsDataSkinAnimate& data);
    TbsStdCommand command() const { return m_command; }

private:
    TbsStdCommand m_command;
};

// An object the form's OnPaintEvent handler draws.
class TbsUserObject : public TbsActiveSkinObject {
public:
    TbsUserObject(TbsSkinForm& parent, const TbsDataUserObject& data);
    void draw(Canvas& canvas, bool full) override;
};

} // namespace qv
