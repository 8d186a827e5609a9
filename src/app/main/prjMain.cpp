#include "app/about/AboutForm.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramIdentity.h"
#include "app/main/StartArguments.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Control.h"
#include "runtime/ui/FirstFrame.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Help and version go to standard output; usage errors to standard error with code 2.
int answer(const qv::StartRequest& request)
{
    switch (request.action) {
    case qv::StartRequest::Action::Help:
        std::fputs(qv::startUsage, stdout);
        return 0;
    case qv::StartRequest::Action::Version:
        std::printf("%s\n", qv::versionText().c_str());
        return 0;
    case qv::StartRequest::Action::UsageError:
        std::fprintf(stderr, "quorvane: %s\n%s", request.error.c_str(), qv::startUsage);
        return 2;
    case qv::StartRequest::Action::Run:
        break;
    }
    return 0;
}

std::vector<std::string> argumentsAfterProgram(int argc, char** argv)
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

} // namespace

int main(int argc, char** argv)
{
    qv::StartRequest early = qv::readEarlyArguments(argumentsAfterProgram(argc, argv));
    if (early.action != qv::StartRequest::Action::Run)
        return answer(early);

    // The desktop's services, for the application's own error boxes and every window.
    qv::UiServices const desktop = qv::desktopUiServices();
    qv::TApplication application(argc, argv, desktop);
    qv::StartRequest const request = qv::readStartArguments(argumentsAfterProgram(argc, argv));
    if (request.action != qv::StartRequest::Action::Run)
        return answer(request);

    qv::loadRegionalSettingsFromLocale();
    qv::applyProgramIdentityAfterFirstFrame(application);
    // The window maps before the fonts load; its first frame is measured and whole.
    qv::TControl::measureAfterFirstExposure();
    // The forms show what fails inside them; whatever still escapes ends the program
    // with its message rather than an abort.
    try {
        auto& main = application.createForm<qv::TfrmMain>(request.fileToOpen, desktop);
        // Hidden until asked for: made once the main window's first frame is painted.
        qv::afterFirstFrame([&application, &main, desktop] {
            main.frmAbout = &application.createForm<qv::TfrmAbout>(&main.skinData, desktop);
        });
        application.run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvane: %s\n", error.what());
        return 1;
    }
    return 0;
}
