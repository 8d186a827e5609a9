#pragma once

#include "report/project/ReportErrors.h"

#include <functional>
#include <string>

namespace qv {

class TRvSystem;
class TReportPrinter;
class TStream;

// What a report run needs from outside the engine: the windows it shows, the printer
// it prints on, and the user's answer when another run holds the report data. Whoever
// owns the report components fills one in (the window layer adds its windows, the
// device layer its printer) and hands it to each TRvSystem and TRvProject. A member
// left empty makes that part headless: no setup dialog, no status window, a preview or
// printer destination fails with a clear message, a busy data system is not retried,
// and messages go to standard error.
struct ReportServices {
    // Shows the output options; false means Cancel.
    std::function<bool(TRvSystem&)> setup;
    // Opened before generation, closed after it.
    std::function<void(TRvSystem&, bool open)> status;
    // The status line changed (every new page while generating).
    std::function<void(TRvSystem&, const std::string& status)> statusText;
    std::function<void(TRvSystem&, TStream& snapshot)> preview;
    // Prints the snapshot, or writes the printer's own output to OutputFileName for a
    // file destination with native output.
    std::function<void(TRvSystem&, TStream& snapshot)> printer;
    // The printer device; none means no print system at all.
    TReportPrinter* printerDevice = nullptr;
    // Asked when another run holds the report data system; true means try again.
    std::function<bool(const std::string& message)> retryPrompt;
    // Messages that do not stop a run: an unknown class in the project, a data
    // connection that cannot be opened. Empty: standard error.
    report::MessageSink message;
    // Puts the engine's texts into the user's language: the errors a run lets out and
    // the retry question. Empty: the texts as written.
    report::Translator translate;
};

} // namespace qv
