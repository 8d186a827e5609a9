#include "report/ui/ReportWindows.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/execution/TRvSystem.h"
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

} // namespace

TRpStatusForm* currentStatusWindow() { return statusWindow().get(); }

void installReportWindows(TRPPrinterDevice& printer)
{
    auto& hooks = reportSystemHooks();
    hooks.setup = [&printer](TRvSystem& system) {
        TRPSetupForm form(system, printer);
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
}

} // namespace qv
