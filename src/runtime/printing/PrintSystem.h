#pragma once

#include "runtime/graphics/Canvas.h"
#include "runtime/printersettings/PrinterSettings.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

// An open printer: an information context that can also carry one document at a time.
// Coordinates on the page canvas are device pixels from the paper's top-left corner.
class PrinterContext {
public:
    virtual ~PrinterContext() = default;

    virtual PrinterCapabilities capabilities(const PrinterSettings& settings) = 0;
    // Shows the print system's setup dialog; true when the user confirmed (settings updated).
    virtual bool setupDialog(PrinterSettings& settings) = 0;

    // An empty output file sends the document to the printer; otherwise the printer's
    // output goes to that file. Raises EInOutError when the document cannot start.
    virtual void startDocument(const std::string& documentName, const std::string& outputFile, const PrinterSettings& settings) = 0;
    // Ends the open page, if any, and starts one with the settings as they are now.
    virtual Canvas& newPage(const PrinterSettings& settings) = 0;
    // Hands the document to the print system; raises EInOutError when it fails.
    virtual void endDocument() = 0;
    // Drops the document; nothing is printed.
    virtual void abortDocument() = 0;
};

// The platform's printers.
class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    virtual std::vector<PrinterEntry> printers() = 0;
    // nullptr when the printer does not exist or cannot be opened.
    virtual std::unique_ptr<PrinterContext> open(const std::string& printerName) = 0;
    // Empty while printers can be listed; otherwise why no printer can be had at all.
    virtual std::string unavailableReason() { return {}; }
};

// The desktop's print system (CUPS through the toolkit), through the print module.
PrintSystem& platformPrintSystem();

} // namespace qv
