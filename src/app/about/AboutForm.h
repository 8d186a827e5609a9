#pragma once

#include "runtime/ui/Form.h"
#include "runtime/ui/UiServices.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/frame/SkinForm.h"
#include "skin/model/SkinData.h"

namespace qv {

// The program's 32 x 32 icon, the same mark as the desktop's.
class ProgramIcon : public TCustomControl {
public:
    explicit ProgramIcon(TWinControl* parent) : TCustomControl(parent) { setTransparent(true); }

protected:
    void paint(Canvas& canvas) override;
};

// Product name, version and web site; created hidden, shown modeless, hidden by OK.
class TfrmAbout : public TForm {
public:
    // skinData: the main window's skin model, shared.
    // services: what the window asks of the desktop; the window keeps its own copy.
    explicit TfrmAbout(TbsSkinData* skinData = nullptr, UiServices services = desktopUiServices());

    UiServices ui;
    TbsSkinForm skinAboutForm{*this};
    ProgramIcon Image1{this};
    TbsSkinStdLabel lblName{this};
    TbsSkinStdLabel bsSkinStdLabel2{this};
    TbsSkinStdLabel bsSkinStdLabel3{this};
    TbsSkinStdLabel bsSkinStdLabel1{this};
    TbsSkinLinkLabel lblLinkUrl{this, ui};
    TbsSkinButton btnOk{this};

    void btnOkClick();
};

} // namespace qv
