#include "app/main/ProgramIdentity.h"

#include "app/mark/ProgramIconImage.h"
#include "product/ProductInfo.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/FirstFrame.h"

#include <vector>

namespace qv {

namespace {

void giveIcon(TApplication& application)
{
    std::vector<Bitmap> icons;
    for (int side : windowIconSides)
        icons.push_back(programIconImage(side));
    application.setIcon(icons);
}

} // namespace

void applyProgramIdentity(TApplication& application)
{
    application.setDesktopFileName(product::applicationId);
    giveIcon(application);
}

void applyProgramIdentityAfterFirstFrame(TApplication& application)
{
    application.setDesktopFileName(product::applicationId);
    afterFirstFrame([&application] { giveIcon(application); });
}

} // namespace qv
