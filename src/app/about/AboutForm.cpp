#include "app/about/AboutForm.h"

#include "app/mark/ProgramMark.h"
#include "product/ProductInfo.h"

#include <string>

namespace qv {

namespace {

Font sansSerif(int points, unsigned style)
{
    Font f;
    f.name = "MS Sans Serif";
    f.size = points;
    f.style = style;
    f.color = clBlack;
    return f;
}

} // namespace

void ProgramIcon::paint(Canvas& canvas) { paintProgramMark(canvas, 32); }

TfrmAbout::TfrmAbout(TbsSkinData* skinData, UiServices services) : ui(std::move(services))
{
    setName("frmAbout");
    setCaption("About");
    setClientSize(316, 155);
    setScreenPosition(268, 262);
    setColor(clBtnFace);
    skinAboutForm.setSkinData(skinData);

    Image1.setBounds(16, 24, 33, 41);

    lblName.setSkinData(skinData);
    lblName.setDefaultFont(sansSerif(10, fsBold));
    lblName.setWordWrap(true);
    lblName.setBounds(56, 24, 226, 16);
    lblName.setCaption(product::name);

    struct Line {
        TbsSkinStdLabel& label;
        const char* caption;
        int left, top;
    };
    for (Line l : {Line{bsSkinStdLabel2, "version:", 64, 48}, Line{bsSkinStdLabel3, product::version, 120, 48},
                   Line{bsSkinStdLabel1, "Web site:", 64, 66}}) {
        l.label.setSkinData(skinData);
        l.label.setDefaultFont(sansSerif(8, 0));
        l.label.setCaption(l.caption);
        l.label.setLeft(l.left);
        l.label.setTop(l.top);
    }

    lblLinkUrl.setName("lblLinkUrl");
    lblLinkUrl.setSkinData(skinData);
    // The link shows the very address it opens.
    lblLinkUrl.setURL(product::webSite);
    lblLinkUrl.setCaption(product::webSite);
    lblLinkUrl.setAutoSize(false);
    lblLinkUrl.setBounds(120, 64, 118, 16);

    for (TbsSkinStdLabel* label :
         {&lblName, &bsSkinStdLabel2, &bsSkinStdLabel3, &bsSkinStdLabel1, static_cast<TbsSkinStdLabel*>(&lblLinkUrl)})
        label->setSkinData(skinData);
    btnOk.setName("btnOk");
    btnOk.setSkinData(skinData);
    btnOk.setCaption("OK");
    btnOk.setBounds(224, 112, 73, 25);
    btnOk.setTabOrder(0);
    btnOk.onClick = [this] { btnOkClick(); };
}

void TfrmAbout::btnOkClick() { close(); }

} // namespace qv
