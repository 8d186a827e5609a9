#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinLabels.h"
#include "skin/model/SkinControlData.h"

#include <optional>
#include <string>

namespace qv {

enum class TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

// A container with a frame and, in caption mode, a caption band.
class TbsSkinPanel : public TbsSkinControl {
public:
    explicit TbsSkinPanel(TWinControl* parent, const std::string& skinDataName = "panel");

    const std::string& Caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    TbsSkinBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(TbsSkinBorderStyle style);
    bool CaptionMode() const { return m_captionMode; }
    void setCaptionMode(bool captionMode);
    int DefaultCaptionHeight() const { return m_defaultCaptionHeight; }
    void setDefaultCaptionHeight(int height);
    TAlignment DefaultAlignment() const { return m_defaultAlignment; }
    void setDefaultAlignment(TAlignment alignment);

    // The area the children belong in: the frame and the caption band excluded.
    TRect panelClientRect() const;

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::Grouping; }
    std::string accessibleName() const override;

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;

private:
    // The panel section's caption and background keys while one is bound.
    std::optional<TbsDataSkinPanelControl> m_section;
    std::string m_caption;
    TbsSkinBorderStyle m_borderStyle = TbsSkinBorderStyle::bvFrame;
    bool m_captionMode = false;
    int m_defaultCaptionHeight = 22;
    TAlignment m_defaultAlignment = TAlignment::LeftJustify;
};

class TbsSkinGroupBox : public TbsSkinPanel {
public:
    explicit TbsSkinGroupBox(TWinControl* parent);
};

} // namespace qv
