#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {

// The platform's own controls, for windows that are not skinned. Each one keeps its
// native widget inside the control's frame; typed keys pass the form's key preview,
// then OnKeyDown / OnKeyPress, and reach the widget only when nobody dropped them.
class TNativeControl : public TWinControl {
public:
    ~TNativeControl() override;
    void setEnabled(bool enabled) override;
    void setFocus() override;

protected:
    TNativeControl(TWinControl* parent, QWidget* native);
    QWidget* native() const { return m_native; }
    void resized() override;
    void fontChanged() override;

private:
    friend class NativeKeyFilter;
    QWidget* m_native;
};

class TLabel : public TNativeControl {
public:
    enum class Alignment { Left, Center };
    explicit TLabel(TWinControl* parent, const std::string& caption = "");
    std::string caption() const;
    void setCaption(const std::string& caption);
    void setAlignment(Alignment alignment);
    void setWordWrap(bool wrap);
    // Width of the caption in the label's font, in pixels.
    int textWidth() const;

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::StaticText; }
    std::string accessibleName() const override { return caption(); }
};

class TButton : public TNativeControl {
public:
    explicit TButton(TWinControl* parent, const std::string& caption = "");
    std::string caption() const;
    void setCaption(const std::string& caption);
    // Enter anywhere in the window presses the default button, Esc the cancel button.
    void setDefault(bool isDefault);
    void setCancel(bool isCancel) { m_cancel = isCancel; }
    bool isCancel() const { return m_cancel; }
    bool isDefault() const;
    // Non-zero: clicking ends the form's modal loop with this result.
    int modalResult = 0;
    // A picture instead of (or beside) the caption.
    void setGlyph(const Bitmap& glyph);

protected:
    void click() override;

private:
    bool m_cancel = false;
};

// Radio buttons with the same parent exclude one another.
class TRadioButton : public TNativeControl {
public:
    explicit TRadioButton(TWinControl* parent, const std::string& caption = "");
    std::string caption() const;
    bool checked() const;
    // Programmatic changes fire no OnClick.
    void setChecked(bool checked);
};

class TCheckBox : public TNativeControl {
public:
    explicit TCheckBox(TWinControl* parent, const std::string& caption = "");
    std::string caption() const;
    bool checked() const;
    void setChecked(bool checked);
};

class TEdit : public TNativeControl {
public:
    explicit TEdit(TWinControl* parent);
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::EditableText; }
    std::string accessibleValue() const override { return text(); }
    std::string text() const;
    // Fires OnChange when the text differs.
    void setText(const std::string& text);
    void selectAll();
    // Start and length of the selection.
    int selStart() const;
    int selLength() const;
    std::function<void()> onChange;
};

class TComboBox : public TNativeControl {
public:
    explicit TComboBox(TWinControl* parent);
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::ComboBox; }
    void clearItems();
    void addItem(const std::string& item);
    int itemCount() const;
    std::string item(int index) const;
    int itemIndex() const;
    void setItemIndex(int index);
    // The width the box needs to show this item whole, frame and arrow included.
    int widthToShow(const std::string& item) const;
    // Fires when the user picks another item.
    std::function<void()> onChange;
};

// A frame with a caption that holds other controls.
class TGroupBox : public TNativeControl {
public:
    explicit TGroupBox(TWinControl* parent, const std::string& caption = "");
    std::string caption() const;
};

// A plain area that holds other controls (a page of a page control without tabs).
class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl* parent);
};

// Simple text along the bottom of a window.
class TStatusBar : public TNativeControl {
public:
    explicit TStatusBar(TWinControl* parent);
    std::string simpleText() const;
    void setSimpleText(const std::string& text);
};

} // namespace qv
