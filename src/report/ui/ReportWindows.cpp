#include "report/ui/ReportWindows.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/execution/TRvProject.h"
#include "report/execution/TRvSystem.h"
#include "report/project/ReportErrors.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "report/ui/TRPSetupForm.h"
#include "report/ui/TRpPreviewForm.h"
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
TRpPreviewForm* g_previewWindow = nullptr;

// Names a window as the one open now for as long as it is shown; nests.
template <class Form> class Current {
public:
    Current(Form*& current, Form* form) : m_current(current), m_outer(current) { current = form; }
    ~Current() { m_current = m_outer; }
    Current(const Current&) = delete;
    Current& operator=(const Current&) = delete;

private:
    Form*& m_current;
    Form* m_outer;
};

// Settings, OnPreviewSetup, the snapshot, page 1, OnPreviewShow; then shown until closed.
void showPreview(TRvSystem& system, TStream& snapshot, TRPPrinterDevice& printer, const UiServices& ui)
{
    TRpPreviewForm form(system, printer, ui);
    Current<TRpPreviewForm> current(g_previewWindow, &form);
    form.ApplySettings(system.SystemPreview);
    if (system.OnPreviewSetup)
        system.OnPreviewSetup(form.RvRenderPreview);
    form.SetSnapshot(snapshot);
    form.Start();
    if (system.OnPreviewShow)
        system.OnPreviewShow(form.RvRenderPreview);
    form.Run(system.SystemOptions & soPreviewModal);
}

} // namespace

TRPSetupForm* currentSetupWindow() { return g_setupWindow; }
TRpPreviewForm* currentPreviewWindow() { return g_previewWindow; }

bool showSetupWindow(TRPSetupForm& form)
{
    Current<TRPSetupForm> current(g_setupWindow, &form);
    return form.Run();
}

void addReportWindows(ReportServices& services, TRPPrinterDevice& printer, const UiServices& ui)
{
    services.setup = [&printer, ui](TRvSystem& system) {
        TRPSetupForm form(system, printer, ui);
        return showSetupWindow(form);
    };
    services.preview
        = [&printer, ui](TRvSystem& system, TStream& snapshot) { showPreview(system, snapshot, printer, ui); };
    services.status = [](TRvSystem& system, bool open) {
        auto& window = statusWindow();
        window.reset();
        if (!open)
            return;
        window = std::make_unique<TRpStatusForm>(system);
        window->CancelButton.setCaption("Cancel");
        window->showBlockingOthers();
    };
    services.statusText = [](TRvSystem&, const std::string& status) {
        if (statusWindow())
            statusWindow()->SetStatus(status);
    };
    // Engine messages go to message boxes in the window instead of standard error.
    services.message = [ui](const std::string& text) { ui.messageBox({text, applicationTitle(), MB_OK | MB_TASKMODAL}); };
    services.retryPrompt = [ui](const std::string& text) {
        return ui.messageBox({text, applicationTitle(), MB_RETRYCANCEL | MB_ICONWARNING | MB_TASKMODAL}) == IDRETRY;
    };
}

} // namespace qv
