#pragma once

#include "runtime/graphics/Canvas.h"

namespace qv {

struct ReportServices;
struct UiServices;
class TRPPrinterDevice;
class TRpStatusForm;
class TRPSetupForm;
class TRpPreviewForm;

// Arial 8 pt at 96 pixels per inch, the font of the report dialogs.
Font reportDialogFont();

// The report system's windows: output options before a run, the status window while
// pages are generated, the preview the pages are delivered to, and the engine's messages
// and its Retry/Cancel question as message boxes. Runs without them stay headless.
// The windows use ui for what they ask of the desktop.
void addReportWindows(ReportServices& services, TRPPrinterDevice& printer, const UiServices& ui);
// The status window of the run generating now, if any.
TRpStatusForm* currentStatusWindow();
// The output options dialog while it is open, if any.
TRPSetupForm* currentSetupWindow();
// Shows the output options modally as the current setup window; true for OK.
bool showSetupWindow(TRPSetupForm& form);
// The report preview while it is open, if any.
TRpPreviewForm* currentPreviewWindow();

} // namespace qv
