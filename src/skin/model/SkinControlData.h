#pragma once

#include "skin/model/SkinObjects.h"

namespace qv {

// --- [SKINCONTROLS]: one section per control kind ---

class TbsDataSkinControl {
public:
    explicit TbsDataSkinControl(std::string name) : Name(std::move(name)) {}
    virtual ~TbsDataSkinControl() = default;
    const std::string& name() const { return Name; }
    virtual void load(const TbsSectionReader& r);

    std::string Name;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;
};

// A section cut from a picture and resized by the piece rules.
class TbsDataSkinCustomControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
public:
    using TbsDataSkinButtonControl::TbsDataSkinButtonControl;
    void load(const TbsSectionReader& r) override;
    TRect TrackButtonRect;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    int BGPictureIndex = -1;
    TRect CaptionRect;
    TAlignment Alignment = TAlignment::Center;
    TbsSkinFontFields Font;
    TRect CheckImageRect, UnCheckImageRect;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
    TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
    TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
    TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
    TRect CaptionRect;
    TbsSkinFontFields Font;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea;
    TRect CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect ProgressArea, ProgressRect;
    int BeginOffset = 0, EndOffset = 0;
    bool Vertical = false;
    TbsSkinFontFields Font;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect TrackArea, ButtonRect, ActiveButtonRect;
    bool Vertical = false;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TbsSkinFontFields Font;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 16711680;
};

class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TbsDataSkinGridControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TRect FixedCellRect, SelectCellRect, FocusCellRect;
    int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0, CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0, BGColor = 0;
    TbsSkinFontFields Font;
    TColor SelectFontColor = 0, FocusFontColor = 0;
    TbsSkinFontFields FixedFont;
};

class TbsDataSkinTabControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect;
    TRect ClRect;
    int BGPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TRect TabsBGRect;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    std::string UpDown;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TRect ItemsRect;
    std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect ItemRect;
    int BGPictureIndex = -1;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect ActiveSkinRect;
    TbsSkinFontFields Font;
    TColor DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
public:
    using TbsDataSkinEditControl::TbsDataSkinEditControl;
    void load(const TbsSectionReader& r) override;
    TColor BGColor = 0, ActiveBGColor = 0;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    TbsSkinFontFields CaptionFont;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    std::string VScrollBarName = "vscrollbar", HScrollBarName = "hscrollbar", BothScrollBarName = "bothhscrollbar";
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
public:
    using TbsDataSkinListBox::TbsDataSkinListBox;
    void load(const TbsSectionReader& r) override;
    TRect ItemCheckRect, CheckImageRect, UnCheckImageRect;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect ItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TbsSkinFontFields Font;
    TColor FocusFontColor = 0;
    std::string ListBoxName;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect TrackArea;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    TRect ActiveSkinRect;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0, DisabledFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void load(const TbsSectionReader& r) override;
    int BGPictureIndex = -1;
};

// Tree view, list view and rich edit share their keys.
class TbsDataSkinFontBGControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TbsSkinFontFields Font;
    TColor BGColor = 0;
};

class TbsDataSkinTreeView : public TbsDataSkinFontBGControl {
public:
    using TbsDataSkinFontBGControl::TbsDataSkinFontBGControl;
};

class TbsDataSkinListView : public TbsDataSkinFontBGControl {
public:
    using TbsDataSkinFontBGControl::TbsDataSkinFontBGControl;
};

class TbsDataSkinRichEdit : public TbsDataSkinFontBGControl {
public:
    using TbsDataSkinFontBGControl::TbsDataSkinFontBGControl;
};

class TbsDataSkinBevel : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TColor LightColor = 0, DarkColor = 0;
};

class TbsDataSkinSlider : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void load(const TbsSectionReader& r) override;
    TColor BGColor = 0;
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int EdgeSize = 0;
    TColor PointsColor = 0;
};

// The section of a [SKINCONTROLS] kind, or null for a kind that is not known.
std::unique_ptr<TbsDataSkinControl> createSkinControl(const std::string& kind, const std::string& name);

} // namespace qv
