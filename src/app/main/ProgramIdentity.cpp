#include "app/main/ProgramIdentity.h"

#include "app/mark/ProgramIconImage.h"
#include "product/ProductInfo.h"
#include "runtime/ui/Application.h"

#include <vector>

namespace qv {

void applyProgramIdentity(TApplication& application)
{
    application.setDesktopFileName(product::applicationId);
    std::vector<Bitmap> icons;
    for (int side : windowIconSides)
        icons.push_back(programIconImage(side));
    application.setIcon(icons);
}

} // namespace qv
