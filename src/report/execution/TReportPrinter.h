#pragma once

#include "report/snapshot/TRvNDRWriter.h"
#include "report/snapshot/TextMeasurer.h"
#include "report/snapshot/Translation.h"
#include "runtime/printersettings/PrinterSettings.h"

#include <string>

namespace qv {

// What a report run needs of the printer device: whether there is a printer, what it
// can do, its settings record, the device that measures text, and the paper facts the
// snapshot records. The device layer adds one to the report services.
class TReportPrinter {
public:
    virtual ~TReportPrinter() = default;

    virtual bool InvalidPrinter() = 0;
    // By display name or device name, case-insensitively; false when there is none.
    virtual bool SelectPrinter(const std::string& name) = 0;
    virtual int MaxCopies() = 0;
    virtual const PrinterSettings& Settings() = 0;
    virtual void SetSettings(const PrinterSettings& settings) = 0;
    // The selected printer, or the screen-resolution device when there is none.
    virtual const snapshot::TextMeasurer& Measurer() = 0;
    virtual TRvPaperInfo PaperInfo() = 0;
    // Why no printer can be had at all (the printing support cannot be loaded); empty
    // when printers are simply not installed.
    virtual std::string PrintingUnavailable() { return {}; }
};

// What the user is told when there is no printer. The output options show it without
// the reason, which is too long for their printer label; printing shows it whole.
enum class NoPrinterDetail { Reason, Headline };
inline report::ReportText noPrinterText(TReportPrinter& printer, NoPrinterDetail detail = NoPrinterDetail::Reason)
{
    std::string reason = printer.PrintingUnavailable();
    if (reason.empty())
        return {"No printers installed!", std::nullopt};
    if (detail == NoPrinterDetail::Headline)
        return {"Printing is not available", std::nullopt};
    return {"Printing is not available: %s", reason};
}

} // namespace qv
