#include "skin/model/SkinObjects.h"

#include <algorithm>

namespace qv {

void TbsSkinFontFields::load(const TbsSectionReader& r)
{
    FontName = r.str("fontname", "Arial");
    FontHeight = r.integer("fontheight", 14);
    FontStyle = r.fontStyle("fontstyle");
    FontColor = r.color("fontcolor");
}

void TbsDataSkinObject::load(const TbsSectionReader& r)
{
    Hint = r.str("hint");
    ActivePictureIndex = r.integer("activepictureindex", -1);
    SkinRectInAPicture = r.flag("skinrectinapicture");
    SkinRect = r.rect("skinrect");
    ActiveSkinRect = r.rect("activeskinrect");
    InActiveSkinRect = r.rect("inactiveskinrect");
    Morphing = r.flag("morphing");
    MorphKind = r.morphKind("morphkind");
}

void TbsDataUserObject::load(const TbsSectionReader& r) { SkinRect = r.rect("skinrect"); }

void TbsDataSkinButton::load(const TbsSectionReader& r)
{
    TbsDataSkinObject::load(r);
    DownRect = r.rect("downrect");
    DisableSkinRect = r.rect("disableskinrsect");
}

void TbsDataSkinStdButton::load(const TbsSectionReader& r)
{
    TbsDataSkinButton::load(r);
    Command = r.command("command");
    RestoreRect = r.rect("restorerect");
    RestoreActiveRect = r.rect("restoreactiverect");
    RestoreDownRect = r.rect("restoredownrect");
    RestoreInActiveRect = r.rect("restoreinactiverect");
}

void TbsDataSkinAnimate::load(const TbsSectionReader& r)
{
    TbsDataSkinObject::load(r);
    CountFrames = r.integer("countframes", 1);
    Cycle = r.flag("cycle");
    ButtonStyle = r.flag("buttonstyle");
    TimerInterval = r.integer("timerinterval", 50);
    Command = r.command("command");
}

void TbsDataSkinCaption::load(const TbsSectionReader& r)
{
    TbsDataSkinObject::load(r);
    TextRect = r.rect("textrect");
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    Alignment = r.alignment("alignment");
    Shadow = r.flag("shadow");
    ShadowColor = r.color("shadowcolor");
    ActiveShadowColor = r.color("activeshadowcolor");
    FrameRect = r.rect("framerect");
    ActiveFrameRect = r.rect("activeframerect");
    FrameTextRect = r.rect("frametextrect");
    FrameLeftOffset = r.integer("frameleftoffset");
    FrameRightOffset = r.integer("framerightoffset");
}

void TbsDataSkinMenuItem::load(const TbsSectionReader& r)
{
    TbsDataSkinObject::load(r);
    ItemLeftOffset = r.integer("itemleftoffset");
    ItemRightOffset = r.integer("itemrightoffset");
    DividerRect = r.rect("dividerrect");
    DividerLeftOffset = r.integer("dividerleftoffset");
    DividerRightOffset = r.integer("dividerrightoffset");
    TextRect = r.rect("textrect");
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    UnEnabledFontColor = r.color("unenabledfontcolor");
}

void TbsDataSkinMainMenuItem::load(const TbsSectionReader& r)
{
    TbsDataSkinObject::load(r);
    ItemLeftOffset = r.integer("itemleftoffset");
    ItemRightOffset = r.integer("itemrightoffset");
    DownRect = r.rect("downrect");
    TextRect = r.rect("textrect");
    Font.load(r);
    ActiveFontColor = r.color("activefontcolor");
    DownFontColor = r.color("downfontcolor");
    UnEnabledFontColor = r.color("unenabledfontColor");
}

std::unique_ptr<TbsDataSkinObject> createSkinObject(const std::string& kind, const std::string& name)
{
    using Kinds = TbsDataKinds<TbsDataSkinObject>;
    static const Kinds kinds = {
        {"menuitem", Kinds::make<TbsDataSkinMenuItem>},
        {"mainmenubaritem", Kinds::make<TbsDataSkinMainMenuBarItem>},
        {"stdbutton", Kinds::make<TbsDataSkinStdButton>},
        {"mainmenubarbutton", Kinds::make<TbsDataSkinMainMenuBarButton>},
        {"button", Kinds::make<TbsDataSkinButton>},
        {"caption", Kinds::make<TbsDataSkinCaption>},
        {"animate", Kinds::make<TbsDataSkinAnimate>},
        {"userobject", Kinds::make<TbsDataUserObject>},
    };
    return kinds.create(kind, name);
}

void TbsSkinWindowPieces::loadPieces(const TbsSectionReader& r)
{
    WindowPictureIndex = r.integer("windowpictureindex", -1);
    MaskPictureIndex = r.integer("maskpictureindex", -1);
    LTPoint = r.point("lefttoppoint");
    RTPoint = r.point("righttoppoint");
    LBPoint = r.point("leftbottompoint");
    RBPoint = r.point("rightbottompoint");
    LeftStretch = r.flag("leftstretch");
    RightStretch = r.flag("rightstretch");
    TopStretch = r.flag("topstretch");
    BottomStretch = r.flag("bottomstretch");
}

void TbsDataSkinPopupWindow::load(const TbsSectionReader& r)
{
    loadPieces(r);
    ItemsRect = r.rect("itemsrect");
    ScrollMarkerColor = r.color("scrollmarkercolor");
    ScrollMarkerActiveColor = r.color("scrollmarkeractivecolor");
}

void TbsDataSkinHintWindow::load(const TbsSectionReader& r)
{
    loadPieces(r);
    ClRect = r.rect("clientrect");
    Font.load(r);
}

void TbsSkinFrameInfo::load(const TbsSectionReader& r, bool hasMask)
{
    LTPoint = r.point("lefttoppoint");
    RTPoint = r.point("righttoppoint");
    LBPoint = r.point("leftbottompoint");
    RBPoint = r.point("rightbottompoint");
    ClRect = r.rect("clientrect");
    BGPictureIndex = r.integer("bgpictureindex", -1);
    MDIBGPictureIndex = r.integer("mdibgpictureindex", -1);
    LeftStretch = r.flag("leftstretch");
    RightStretch = r.flag("rightstretch");
    TopStretch = r.flag("topstretch");
    BottomStretch = r.flag("bottomstretch");
    MaskRectArea = r.rect("maskrectarea");
    HitTestLTPoint = r.point("hittestlefttoppoint");
    HitTestRTPoint = r.point("hittestrighttoppoint");
    HitTestLBPoint = r.point("hittestleftbottompoint");
    HitTestRBPoint = r.point("hittestrightbottompoint");
    ButtonsRect = r.rect("buttonsrect");
    CaptionRect = r.rect("captionrect");
    ButtonsOffset = r.integer("buttonsoffset");
    ButtonsInLeft = r.flag("buttonsinleft");
    MainMenuPopupUp = r.flag("mainmenupopupup");
    BorderWidth = r.integer("borderwidth");
    AutoRenderingInActiveImage = r.flag("autorenderinginactiveimage");
    InActiveEffect = r.inactiveEffect("inactiveeffect");

    if (hasMask) {
        if (MaskRectArea.isEmpty()) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.left = std::min(MaskRectArea.left, ClRect.left);
            MaskRectArea.top = std::min(MaskRectArea.top, ClRect.top);
            MaskRectArea.right = std::max(MaskRectArea.right, ClRect.right);
            MaskRectArea.bottom = std::max(MaskRectArea.bottom, ClRect.bottom);
        }
        auto fill = [](TPoint& hit, TPoint frame) {
            if (hit.x == 0 || hit.y == 0)
                hit = frame;
        };
        fill(HitTestLTPoint, LTPoint);
        fill(HitTestRTPoint, RTPoint);
        fill(HitTestLBPoint, LBPoint);
        fill(HitTestRBPoint, RBPoint);
    }
    if (RBPoint.x != LTPoint.x && RBPoint.y != LTPoint.y) {
        LTPoint = {std::max(LTPoint.x, ClRect.left), std::max(LTPoint.y, ClRect.top)};
        RTPoint = {std::min(RTPoint.x, ClRect.right), std::max(RTPoint.y, ClRect.top)};
        LBPoint = {std::max(LBPoint.x, ClRect.left), std::min(LBPoint.y, ClRect.bottom)};
        RBPoint = {std::min(RBPoint.x, ClRect.right), std::min(RBPoint.y, ClRect.bottom)};
    }
}

} // namespace qv
