#pragma once

#include "skin/model/SkinIni.h"

#include <memory>
#include <string>

namespace qv {

// Text fields shared by the sections that draw text.
struct TbsSkinFontFields {
    std::string FontName = "Arial";
    int FontHeight = 14;
    unsigned FontStyle = 0;
    TColor FontColor = 0;
    void load(const TbsSectionReader& r);
};

// --- [SKINOBJECTS]: parts of the window frame and of menus ---

class TbsDataSkinObject {
public:
    explicit TbsDataSkinObject(std::string name) : Name(std::move(name)) {}
    virtual ~TbsDataSkinObject() = default;
    virtual void load(const TbsSectionReader& r);

    std::string Name;
    std::string Hint;
    int ActivePictureIndex = -1;
    bool SkinRectInAPicture = false;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
};

class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void load(const TbsSectionReader& r) override;
};

class TbsDataSkinButton : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void load(const TbsSectionReader& r) override;
    TRect DownRect, DisableSkinRect;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
public:
    using TbsDataSkinButton::TbsDataSkinButton;
    void load(const TbsSectionReader& r) override;
    TbsStdCommand Command = cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
public:
    using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

class TbsDataSkinAnimate : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void load(const TbsSectionReader& r) override;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TbsStdCommand Command = cmDefault;
};

class TbsDataSkinCaption : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void load(const TbsSectionReader& r) override;
    TRect TextRect;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = TAlignment::Center;
    bool Shadow = false;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    TRect FrameRect, ActiveFrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void load(const TbsSectionReader& r) override;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DividerRect;
    int DividerLeftOffset = 0, DividerRightOffset = 0;
    TRect TextRect;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0, UnEnabledFontColor = 0;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void load(const TbsSectionReader& r) override;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DownRect, TextRect;
    TbsSkinFontFields Font;
    TColor ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
public:
    using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

// The object of a [SKINOBJECTS] kind, or null for a kind that is not known.
std::unique_ptr<TbsDataSkinObject> createSkinObject(const std::string& kind, const std::string& name);

// --- [POPUPWINDOW] and [HINTWINDOW] ---

// The framed picture that popup and hint windows are both cut from.
struct TbsSkinWindowPieces {
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    void loadPieces(const TbsSectionReader& r);
};

struct TbsDataSkinPopupWindow : TbsSkinWindowPieces {
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
    void load(const TbsSectionReader& r);
};

struct TbsDataSkinHintWindow : TbsSkinWindowPieces {
    TRect ClRect;
    // Before a skin is loaded the hint draws in Arial 12.
    TbsSkinFontFields Font{"Arial", 12, 0, 0};
    void load(const TbsSectionReader& r);
};

// --- [FORMINFO]: the window frame ---

struct TbsSkinFrameInfo {
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ButtonsRect, CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
    bool AutoRenderingInActiveImage = false;
    TbsInactiveEffect InActiveEffect = ieBrightness;

    // Reads the keys and applies the two rules that follow them.
    void load(const TbsSectionReader& r, bool hasMask);
};

} // namespace qv
