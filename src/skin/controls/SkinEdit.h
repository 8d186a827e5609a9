#pragma once

#include "runtime/ui/CustomEdit.h"
#include "skin/controls/EditContextMenu.h"
#include "skin/controls/SkinBinding.h"
#include "skin/model/SkinControlData.h"

#include <memory>
#include <optional>

namespace qv {

// Single-line editor bound to the "edit" section. Without a section: a 2-pixel
// frame around a window-colour fill, height DefaultHeight or the text height + 4.
// In button mode a button at the right end fires OnButtonClick.
class TbsSkinEdit : public TCustomEdit, public TbsSkinNoticeListener {
public:
    explicit TbsSkinEdit(TWinControl* parent);

    TbsSkinData* SkinData() const override { return m_skin.skinData(); }
    void setSkinData(TbsSkinData* data);
    const std::string& SkinDataName() const { return m_skin.skinDataName(); }
    void setSkinDataName(const std::string& name);
    const Font& DefaultFont() const { return m_skin.defaultFont; }
    void setDefaultFont(const Font& font);
    bool UseSkinFont() const { return m_skin.useSkinFont; }
    void setUseSkinFont(bool use);
    int DefaultHeight() const { return m_skin.defaultHeight; }
    void setDefaultHeight(int height);
    int sectionIndex() const override { return m_skin.sectionIndex(); }
    bool hovered() const { return m_hovered; }
    bool ButtonMode() const { return m_buttonMode; }
    void setButtonMode(bool buttonMode);
    bool buttonHovered() const { return m_buttonHovered; }
    bool buttonPressed() const { return m_buttonPressed; }
    // Where the button sits in the control; empty without button mode.
    TRect buttonRect() const;

    std::function<void()> onButtonClick;

    // The button opens what it offers (the date edit's calendar).
    unsigned accessibleStates() const override { return m_buttonMode ? asHasPopup : 0u; }
    std::vector<TAccessibleAction> accessibleActions() const override;
    void accessibleDo(TAccessibleAction action) override;

    // Skin change notices relayed by the form's frame.
    void skinChangeBegins() override;
    void skinChanged() override { rebind(); }

    void setBounds(int left, int top, int width, int height) override;
    // The height the control keeps whatever it is given.
    int naturalHeight() const;

    // The skinned context menu while it is open (tests, scripted runs).
    TbsSkinMenu* contextMenuEngine() const { return m_contextMenu.engine(); }

protected:
    // Undo, Cut, Copy, Paste, Delete and Select All in a skinned popup menu.
    bool contextMenu(TPoint screenPoint) override;
    void paintFrame(Canvas& canvas) override;
    TRect textRect() const override;
    TColor textColor() const override;
    Font textFont() const override;
    void mouseEnter() override;
    void mouseLeave() override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void focusOut() override;
    // Makes the editor and takes the height the text needs.
    void measure() override;
    virtual void buttonClick();

private:
    // Binds and copies what the edit draws with; another class than an edit section leaves the plain look.
    void bind();
    bool skinned() const { return m_section.has_value(); }
    int textHeight() const;
    // The natural height is the text's height plus the frame's.
    bool heightFromText() const;
    void rebind();
    void paintButton(Canvas& canvas);
    void setButtonHovered(bool hovered);

    TbsSkinBinding m_skin{"edit"};
    std::optional<TbsDataSkinEditControl> m_section;
    bool m_hovered = false;
    bool m_buttonMode = false;
    bool m_buttonHovered = false;
    bool m_buttonPressed = false;
    EditContextMenu m_contextMenu;
};

} // namespace qv
