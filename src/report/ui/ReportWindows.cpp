#include "report/ui/ReportWindows.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/execution/TRvProject.h"
#include "report/execution/TRvSystem.h"
#include "report/project/ReportErrors.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "report/ui/TRPSetupForm.h"
#include "report/ui/TRpStatusForm.h"

#include <memory>

namespace qv {

Font reportDialogFont()
{
    Font font;
    font.name = "Arial";
    font.height = 11;
    return font;
}

namespace {

// One status window per run; generation does not nest.
std::unique_ptr<TRpStatusForm>& statusWindow()
{
    static std::unique_ptr<TRpStatusForm> window;
    return window;
}

std::string applicationTitle() { return TApplication::exists() ? TApplication::instance().title() : std::string("Quorvane"); }

} // namespace

TRpStatusForm* currentStatusWindow() { return statusWindow().get(); }

namespace {
TRPSetupForm* g_setupWindow = nullptr;
} // namespace

TRPSetupForm* currentSetupWindow() { return g_setupWindow; }

void installReportWindows(TRPPrinterDevice& printer)
{
    auto& hooks = reportSystemHooks();
    hooks.setup = [&printer](TRvSystem& system) {
        TRPSetupForm form(system, printer);
        struct Current {
            explicit Current(TRPSetupForm* form) { g_setupWindow = form; }
            ~Current() { g_setupWindow = nullptr; }
        } current {&form};
        return form.Run();
    };
    hooks.status = [](TRvSystem& system, bool open) {
        auto& window = statusWindow();
        window.reset();
        if (!open)
            return;
        window = std::make_unique<TRpStatusForm>(system);
        window->CancelButton.setCaption("Cancel");
        window->showBlockingOthers();
    };
    hooks.statusText = [](TRvSystem&, const std::string& status) {
        if (statusWindow())
            statusWindow()->SetStatus(status);
    };
    // Engine messages go to message boxes in the window instead of standard error.
    report::setMessageHook([](const std::string& text) { messageBox(text, applicationTitle(), MB_OK | MB_TASKMODAL); });
    TRvProject::RetryPrompt() = [](const std::string& text) {
        return messageBox(text, applicationTitle(), MB_RETRYCANCEL | MB_ICONWARNING | MB_TASKMODAL) == IDRETRY;
    };
}

} // namespace qv
