#include "skin/model/SkinControlData.h"

namespace qv {

void TbsDataSkinControl::load(const TbsSectionReader& r)
{
    PictureIndex = r.integer("pictureindex", -1);
    MaskPictureIndex = r.integer("maskpictureindex", -1);
    SkinRect = r.rect("skinrect");
}

void TbsDataSkinCustomControl::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    LTPoint = r.point("lefttoppoint");
    RTPoint = r.point("righttoppoint");
    LBPoint = r.point("leftbottompoint");
    RBPoint = r.point("rightbottompoint");
    ClRect = r.rect("clientrect");
}

void TbsDataSkinButtonControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    DownFontColor = r.color("downfontcolor");
    DisabledFontColor = r.color("disabledfontcolor");
    ActiveSkinRect = r.rect("activeskinrect");
    DownSkinRect = r.rect("downskinrect");
    DisabledSkinRect = r.rect("disabledskinrect");
    Morphing = r.flag("morphing");
    MorphKind = r.morphKind("morphkind");
}

void TbsDataSkinMenuButtonControl::load(const TbsSectionReader& r)
{
    TbsDataSkinButtonControl::load(r);
    TrackButtonRect = r.rect("trackbuttonrect");
}

void TbsDataSkinPanelControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    BGPictureIndex = r.integer("bgpictureindex", -1);
    CaptionRect = r.rect("captionrect");
    Alignment = r.alignment("alignment");
    Font.load(r);
    CheckImageRect = r.rect("checkimagerect");
    UnCheckImageRect = r.rect("uncheckimagerect");
}

void TbsDataSkinExPanelControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    RollHSkinRect = r.rect("rollhskinrect");
    RollVSkinRect = r.rect("rollvskinrect");
    RollLeftOffset = r.integer("rollleftoffset");
    RollRightOffset = r.integer("rollrightoffset");
    RollTopOffset = r.integer("rolltopoffset");
    RollBottomOffset = r.integer("rollbottomoffset");
    RollVCaptionRect = r.rect("rollvcaptionrect");
    RollHCaptionRect = r.rect("rollhcaptionrect");
    CloseButtonRect = r.rect("closebuttonrect");
    CloseButtonActiveRect = r.rect("closebuttonactiverect");
    CloseButtonDownRect = r.rect("closebuttondownrect");
    HRollButtonRect = r.rect("hrollbuttonrect");
    HRollButtonActiveRect = r.rect("hrollbuttonactiverect");
    HRollButtonDownRect = r.rect("hrollbuttondownrect");
    HRestoreButtonRect = r.rect("hrestorebuttonrect");
    HRestoreButtonActiveRect = r.rect("hrestorebuttonactiverect");
    HRestoreButtonDownRect = r.rect("hrestorebuttondownrect");
    VRollButtonRect = r.rect("vrollbuttonrect");
    VRollButtonActiveRect = r.rect("vrollbuttonactiverect");
    VRollButtonDownRect = r.rect("vrollbuttondownrect");
    VRestoreButtonRect = r.rect("vrestorebuttonrect");
    VRestoreButtonActiveRect = r.rect("vrestorebuttonactiverect");
    VRestoreButtonDownRect = r.rect("vrestorebuttondownrect");
    CaptionRect = r.rect("captionrect");
    Font.load(r);
}

void TbsDataSkinCheckRadioControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    UnEnabledFontColor = r.color("unenabledfontcolor");
    FrameFontColor = r.color("framefontcolor");
    ActiveSkinRect = r.rect("activeskinrect");
    CheckImageArea = r.rect("checkimagearea");
    TextArea = r.rect("textarea");
    CheckImageRect = r.rect("checkimagerect");
    UnCheckImageRect = r.rect("uncheckimagerect");
    ActiveCheckImageRect = r.rect("activecheckimagerect");
    ActiveUnCheckImageRect = r.rect("activeuncheckimagerect");
    UnEnabledCheckImageRect = r.rect("unenabledcheckimagerect");
    UnEnabledUnCheckImageRect = r.rect("unenableduncheckimagerect");
    Morphing = r.flag("morphing");
    MorphKind = r.morphKind("morphkind");
}

void TbsDataSkinGaugeControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    ProgressArea = r.rect("progressarea");
    ProgressRect = r.rect("progressrect");
    BeginOffset = r.integer("beginoffset");
    EndOffset = r.integer("endoffset");
    Vertical = r.flag("vertical");
    Font.load(r);
}

void TbsDataSkinTrackBarControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    TrackArea = r.rect("trackarea");
    ButtonRect = r.rect("buttonrect");
    ActiveButtonRect = r.rect("activebuttonrect");
    Vertical = r.flag("vertical");
}

void TbsDataSkinLabelControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    Font.load(r);
}

void TbsDataSkinStdLabelControl::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor", 16711680);
}

void TbsDataSkinUpDownControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    UpButtonRect = r.rect("upbuttonrect");
    ActiveUpButtonRect = r.rect("activeupbuttonrect");
    DownUpButtonRect = r.rect("downupbuttonrect");
    DownButtonRect = r.rect("downbuttonrect");
    ActiveDownButtonRect = r.rect("activedownbuttonrect");
    DownDownButtonRect = r.rect("downdownbuttonrect");
}

void TbsDataSkinGridControl::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    FixedCellRect = r.rect("fixedcellrect");
    SelectCellRect = r.rect("selectcellrect");
    FocusCellRect = r.rect("focuscellrect");
    FixedCellLeftOffset = r.integer("fixedcellleftoffset");
    FixedCellRightOffset = r.integer("fixedcellrightoffset");
    FixedCellTextRect = r.rect("fixedcelltextrect");
    CellLeftOffset = r.integer("cellleftoffset");
    CellRightOffset = r.integer("cellrightoffset");
    CellTextRect = r.rect("celltextrect");
    LinesColor = r.color("linescolor");
    BGColor = r.color("bgcolor");
    Font.load(r);
    SelectFontColor = r.color("selectfontcolor");
    FocusFontColor = r.color("focusfontcolor");
    FixedFont.FontName = r.str("fixedfontname", "Arial");
    FixedFont.FontHeight = r.integer("fixedfontheight", 14);
    FixedFont.FontStyle = r.fontStyle("fixedfontstyle");
    FixedFont.FontColor = r.color("fixedfontcolor");
}

void TbsDataSkinTabControl::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    TabRect = r.rect("tabrect");
    ActiveTabRect = r.rect("activetabrect");
    FocusTabRect = r.rect("focustabrect");
    MouseInTabRect = r.rect("mouseintabrect");
    ClRect = r.rect("clientrect");
    BGPictureIndex = r.integer("bgpictureindex", -1);
    LTPoint = r.point("lefttoppoint");
    RTPoint = r.point("righttoppoint");
    LBPoint = r.point("leftbottompoint");
    RBPoint = r.point("rightbottompoint");
    TabLeftOffset = r.integer("tableftoffset");
    TabRightOffset = r.integer("tabrightoffset");
    TabsBGRect = r.rect("tabsbgrect");
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    FocusFontColor = r.color("focusfontcolor");
    MouseInFontColor = r.color("mouseinfontcolor");
    UpDown = r.str("updown");
}

void TbsDataSkinMainMenuBar::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    ItemsRect = r.rect("itemsrect");
    MenuBarItem = r.str("menubaritem");
    CloseButton = r.str("closebutton");
    MinButton = r.str("minbutton");
    MaxButton = r.str("maxbutton");
    SysMenuButton = r.str("sysmenubutton");
    TrackMarkColor = r.color("trackmarkcolor");
    TrackMarkActiveColor = r.color("trackmarkactivecolor");
}

void TbsDataSkinControlBar::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    ItemRect = r.rect("itemrect");
    BGPictureIndex = r.integer("bgpictureindex", -1);
}

void TbsDataSkinEditControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    ActiveSkinRect = r.rect("activeskinrect");
    Font.load(r);
    DisabledFontColor = r.color("disabledfontcolor");
    ActiveFontColor = r.color("activefontcolor");
    ButtonRect = r.rect("buttonrect");
    ActiveButtonRect = r.rect("activebuttonrect");
    DownButtonRect = r.rect("downbuttonrect");
    UnEnabledButtonRect = r.rect("unenabledbuttonrect");
}

void TbsDataSkinMemoControl::load(const TbsSectionReader& r)
{
    TbsDataSkinEditControl::load(r);
    BGColor = r.color("bgcolor");
    ActiveBGColor = r.color("activebgcolor");
}

void TbsDataSkinListBox::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    ItemRect = r.rect("itemrect");
    ActiveItemRect = r.rect("activeitemrect");
    FocusItemRect = r.rect("focusitemrect");
    ItemLeftOffset = r.integer("itemleftoffset");
    ItemRightOffset = r.integer("itemrightoffset");
    ItemTextRect = r.rect("itemtextrect");
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    FocusFontColor = r.color("focusfontcolor");
    CaptionRect = r.rect("captionrect");
    CaptionFont.FontName = r.str("captionfontname", "Arial");
    CaptionFont.FontHeight = r.integer("captionfontheight", 14);
    CaptionFont.FontStyle = r.fontStyle("captionfontstyle");
    CaptionFont.FontColor = r.color("captionfontcolor");
    UpButtonRect = r.rect("upbuttonrect");
    ActiveUpButtonRect = r.rect("activeupbuttonrect");
    DownUpButtonRect = r.rect("downupbuttonrect");
    DownButtonRect = r.rect("downbuttonrect");
    ActiveDownButtonRect = r.rect("activedownbuttonrect");
    DownDownButtonRect = r.rect("downdownbuttonrect");
    CheckButtonRect = r.rect("checkbuttonrect");
    ActiveCheckButtonRect = r.rect("activecheckbuttonrect");
    DownCheckButtonRect = r.rect("downcheckbuttonrect");
    VScrollBarName = r.str("vscrollbarname", "vscrollbar");
    HScrollBarName = r.str("hscrollbarname", "hscrollbar");
    BothScrollBarName = r.str("bothhscrollbarname", "bothhscrollbar");
}

void TbsDataSkinCheckListBox::load(const TbsSectionReader& r)
{
    TbsDataSkinListBox::load(r);
    ItemCheckRect = r.rect("itemcheckrect");
    CheckImageRect = r.rect("checkimagerect");
    UnCheckImageRect = r.rect("uncheckimagerect");
}

void TbsDataSkinComboBox::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    ItemRect = r.rect("itemrect");
    FocusItemRect = r.rect("focusitemrect");
    ItemLeftOffset = r.integer("itemleftoffset");
    ItemRightOffset = r.integer("itemrightoffset");
    ItemTextRect = r.rect("itemtextrect");
    Font.load(r);
    FocusFontColor = r.color("focusfontcolor");
    ListBoxName = r.str("listboxname");
    ButtonRect = r.rect("buttonrect");
    ActiveButtonRect = r.rect("activebuttonrect");
    DownButtonRect = r.rect("downbuttonrect");
    UnEnabledButtonRect = r.rect("unenabledbuttonrect");
}

void TbsDataSkinScrollBarControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    TrackArea = r.rect("trackarea");
    UpButtonRect = r.rect("upbuttonrect");
    ActiveUpButtonRect = r.rect("activeupbuttonrect");
    DownUpButtonRect = r.rect("downupbuttonrect");
    DownButtonRect = r.rect("downbuttonrect");
    ActiveDownButtonRect = r.rect("activedownbuttonrect");
    DownDownButtonRect = r.rect("downdownbuttonrect");
    ThumbRect = r.rect("thumbrect");
    ActiveThumbRect = r.rect("activethumbrect");
    DownThumbRect = r.rect("downthumbrect");
    ThumbOffset1 = r.integer("thumboffset1");
    ThumbOffset2 = r.integer("thumboffset2");
    GlyphRect = r.rect("glyphrect");
    ActiveGlyphRect = r.rect("activeglyphrect");
    DownGlyphRect = r.rect("downglyphrect");
}

void TbsDataSkinSpinEditControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    ActiveSkinRect = r.rect("activeskinrect");
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    DisabledFontColor = r.color("disabledfontcolor");
    UpButtonRect = r.rect("upbuttonrect");
    ActiveUpButtonRect = r.rect("activeupbuttonrect");
    DownUpButtonRect = r.rect("downupbuttonrect");
    DownButtonRect = r.rect("downbuttonrect");
    ActiveDownButtonRect = r.rect("activedownbuttonrect");
    DownDownButtonRect = r.rect("downdownbuttonrect");
}

void TbsDataSkinScrollBoxControl::load(const TbsSectionReader& r)
{
    TbsDataSkinCustomControl::load(r);
    BGPictureIndex = r.integer("bgpictureindex", -1);
}

void TbsDataSkinFontBGControl::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    Font.load(r);
    BGColor = r.color("bgcolor");
}

void TbsDataSkinBevel::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    LightColor = r.color("lightcolor");
    DarkColor = r.color("darkcolor");
}

void TbsDataSkinSlider::load(const TbsSectionReader& r)
{
    TbsDataSkinControl::load(r);
    BGColor = r.color("bgcolor");
    HRulerRect = r.rect("hrulerrect");
    HThumbRect = r.rect("hthumbrect");
    VRulerRect = r.rect("vrulerrect");
    VThumbRect = r.rect("vthumbrect");
    EdgeSize = r.integer("edgesize");
    PointsColor = r.color("pointscolor");
}

std::unique_ptr<TbsDataSkinControl> createSkinControl(const std::string& kind, const std::string& name)
{
    using Kinds = TbsDataKinds<TbsDataSkinControl>;
    static const Kinds kinds = {
        {"panel", Kinds::make<TbsDataSkinPanelControl>},
        {"expanel", Kinds::make<TbsDataSkinExPanelControl>},
        {"menubutton", Kinds::make<TbsDataSkinMenuButtonControl>},
        {"button", Kinds::make<TbsDataSkinButtonControl>},
        {"checkradio", Kinds::make<TbsDataSkinCheckRadioControl>},
        {"gauge", Kinds::make<TbsDataSkinGaugeControl>},
        {"splitter", Kinds::make<TbsDataSkinSplitterControl>},
        {"trackbar", Kinds::make<TbsDataSkinTrackBarControl>},
        {"label", Kinds::make<TbsDataSkinLabelControl>},
        {"stdlabel", Kinds::make<TbsDataSkinStdLabelControl>},
        {"updown", Kinds::make<TbsDataSkinUpDownControl>},
        {"grid", Kinds::make<TbsDataSkinGridControl>},
        {"tab", Kinds::make<TbsDataSkinTabControl>},
        {"mainmenubar", Kinds::make<TbsDataSkinMainMenuBar>},
        {"controlbar", Kinds::make<TbsDataSkinControlBar>},
        {"memo", Kinds::make<TbsDataSkinMemoControl>},
        {"edit", Kinds::make<TbsDataSkinEditControl>},
        {"checklistbox", Kinds::make<TbsDataSkinCheckListBox>},
        {"listbox", Kinds::make<TbsDataSkinListBox>},
        {"combobox", Kinds::make<TbsDataSkinComboBox>},
        {"scrollbar", Kinds::make<TbsDataSkinScrollBarControl>},
        {"spinedit", Kinds::make<TbsDataSkinSpinEditControl>},
        {"scrollbox", Kinds::make<TbsDataSkinScrollBoxControl>},
        {"treeview", Kinds::make<TbsDataSkinTreeView>},
        {"bevel", Kinds::make<TbsDataSkinBevel>},
        {"slider", Kinds::make<TbsDataSkinSlider>},
        {"listview", Kinds::make<TbsDataSkinListView>},
        {"richedit", Kinds::make<TbsDataSkinRichEdit>},
    };
    return kinds.create(kind, name);
}

} // namespace qv
