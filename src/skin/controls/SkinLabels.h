#pragma once

#include "runtime/ui/UiServices.h"
#include "skin/controls/SkinControl.h"
#include "skin/model/SkinControlData.h"

#include <optional>

#include <string>

namespace qv {

// Transparent text label. Without a section it draws in DefaultFont when
// UseSkinFont is true, else in Font.
class TbsSkinStdLabel : public TbsSkinControl {
public:
    explicit TbsSkinStdLabel(TWinControl* parent);

    const std::string& Caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);
    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    void setBounds(int left, int top, int width, int height) override;

    // A label reads as its text unless it was given a name (a result named by its title).
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::StaticText; }
    std::string accessibleName() const override;
    std::string accessibleValue() const override;

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    Font textFont() const override;
    // The "stdlabel" section's font and colours while one is bound.
    const std::optional<TbsDataSkinStdLabelControl>& section() const { return m_section; }
    void fontChanged() override;
    virtual TColor currentTextColor() const;
    // An auto-sized label takes its text's size (measure()).
    void adjustSize();
    void measure() override;

private:
    std::vector<std::string> lines(Canvas& canvas) const;
    std::optional<TbsDataSkinStdLabelControl> m_section;
    std::string m_caption;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    TAlignment m_alignment = TAlignment::LeftJustify;
};

// A label that opens its URL with the desktop's handler when clicked.
class TbsSkinLinkLabel : public TbsSkinStdLabel {
public:
    // ui opens the address when the link is clicked; it must outlive the label.
    TbsSkinLinkLabel(TWinControl* parent, const UiServices& ui);

    const std::string& URL() const { return m_url; }
    void setURL(const std::string& url) { m_url = url; }
    TColor DefaultActiveFontColor() const { return m_activeColor; }
    void setDefaultActiveFontColor(TColor color) { m_activeColor = color; }
    bool hot() const { return m_hot; }

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::Link; }
    std::string accessibleDescription() const override { return m_url; }
    std::vector<TAccessibleAction> accessibleActions() const override { return {TAccessibleAction::Press}; }
    void accessibleDo(TAccessibleAction) override { click(); }

protected:
    Font textFont() const override;
    TColor currentTextColor() const override;
    void mouseEnter() override;
    void mouseLeave() override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    // Reached by Tab, Enter or space opens it as a click does.
    void keyDown(int& key, unsigned shift) override;
    void focusIn() override { invalidate(); }
    void focusOut() override { invalidate(); }
    void paint(Canvas& canvas) override;
    void click() override;

private:
    const UiServices& m_ui;
    std::string m_url;
    TColor m_activeColor = 16711680;
    bool m_hot = false;
};

} // namespace qv
