#pragma once

#include "runtime/ui/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/drawing/MorphAnimator.h"
#include "skin/model/SkinControlData.h"

#include <memory>
#include <string>

namespace qv {

// Push button. Clicks on a release over the button, on space released and on Enter.
class TbsSkinButton : public TbsSkinControl {
public:
    explicit TbsSkinButton(TWinControl* parent);

    const std::string& Caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    bool Down() const { return m_down; }
    void setDown(bool down);
    bool CanFocused() const { return m_canFocused; }
    void setCanFocused(bool canFocused);
    bool Default() const { return m_default; }
    void setDefault(bool isDefault) { m_default = isDefault; }
    // While held down the button clicks every RepeatInterval milliseconds.
    bool RepeatMode() const { return m_repeatMode; }
    void setRepeatMode(bool repeatMode);
    int RepeatInterval() const { return m_repeatInterval; }
    void setRepeatInterval(int milliseconds);
    bool repeating() const { return m_repeatTimer && m_repeatTimer->enabled(); }
    // Whether the mouse is over the button (drawn hot); not a published property.
    bool highlighted() const { return m_highlighted; }
    // Held down by the mouse, the release still to come.
    bool pressed() const { return m_pressedByMouse; }
    // 0 shows the normal image, 1 the active one; between them the two are blended.
    double morphFactor() const { return m_morph.factor(); }
    bool morphing() const { return m_morphAnimator.running(); }

    // Fires OnClick, as the user's click does.
    void Click() { click(); }

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::PushButton; }
    std::string accessibleName() const override;
    unsigned accessibleStates() const override;
    std::vector<TAccessibleAction> accessibleActions() const override { return {TAccessibleAction::Press}; }
    void accessibleDo(TAccessibleAction) override { Click(); }

    void skinChanged() override;

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    Font textFont() const override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void keyDown(int& key, unsigned shift) override;
    void keyUp(int& key, unsigned shift) override;
    void focusIn() override;
    void focusOut() override;
    void enabledChanged() override;
    // Whether the button is drawn pressed (glyph and caption one pixel right and down).
    bool drawnDown() const;
    // Whether a button section is bound (the skin look draws from it).
    bool boundToSection() const { return m_look.bound; }
    // Lets go of a press whose release went elsewhere (a menu took the mouse): up, no click.
    void releasePress();

private:
    // What the button copies from a button section; unbound for any other class.
    struct Look {
        bool bound = false;
        TbsSkinFontFields font;
        TColor activeFontColor = 0, downFontColor = 0, disabledFontColor = 0;
        TRect activeRect, downRect, disabledRect;
        bool morphs = false;
        TbsMorphKind morphKind = mkDefault;
    };
    bool wantsActive() const { return m_highlighted || (focused() && m_canFocused); }
    bool showsDown() const { return m_down && (m_highlighted || (focused() && !m_pressedByMouse)); }
    const TRect& stateRect() const;
    TColor captionColor() const;
    void activeStateChanged();
    bool morphStep();
    void settleMorph();
    void startRepeat();
    void stopRepeat();
    void repeatTick();

    std::string m_caption;
    bool m_down = false;
    bool m_highlighted = false;
    bool m_pressedByMouse = false;
    bool m_canFocused = true;
    bool m_default = false;
    bool m_repeatMode = false;
    int m_repeatInterval = 100;
    Look m_look;
    TbsMorph m_morph;
    TbsMorphAnimator m_morphAnimator{[this] { return morphStep(); }};
    std::unique_ptr<TTimer> m_repeatTimer;
};

} // namespace qv
