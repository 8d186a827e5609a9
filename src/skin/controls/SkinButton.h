#pragma once

#include "skin/controls/SkinControl.h"

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
    // Whether the mouse is over the button (drawn hot); not a published property.
    bool highlighted() const { return m_highlighted; }

    // Fires OnClick, as the user's click does.
    void Click() { click(); }

protected:
    void drawDefaultLook(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void keyDown(int& key, unsigned shift) override;
    void keyUp(int& key, unsigned shift) override;
    void doEnter() override;
    void doExit() override;
    void enabledChanged() override;

private:
    std::string m_caption;
    bool m_down = false;
    bool m_highlighted = false;
    bool m_pressedByMouse = false;
    bool m_canFocused = true;
    bool m_default = false;
};

} // namespace qv
