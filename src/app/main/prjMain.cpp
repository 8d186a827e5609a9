#include "app/about/AboutForm.h"
#include "app/main/MainForm.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/ui/Application.h"

int main(int argc, char** argv)
{
    qv::TApplication application(argc, argv);
    qv::loadRegionalSettingsFromLocale();
    auto& main = application.createForm<qv::TfrmMain>();
    main.frmAbout = &application.createForm<qv::TfrmAbout>(&main.skinData);
    application.run();
    return 0;
}
