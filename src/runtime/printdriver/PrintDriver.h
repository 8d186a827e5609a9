#pragma once

#include "runtime/printersettings/PrinterSettings.h"

#include <memory>
#include <string>
#include <vector>

class QPaintDevice;

// What the print module (the only code linked with the toolkit's printing support, loaded
// on the first use of a printer) offers the program. The module holds no state of the
// program's libraries and raises none of its errors: every call reports failure by its
// result, and the program turns that into its own errors.
namespace qv::printdriver {

// Raised by the program and the module together whenever a declaration below changes.
constexpr int interfaceVersion = 1;

// One printer, with a fresh device for each document.
class Printer {
public:
    virtual ~Printer() = default;

    virtual std::string name() const = 0;
    // The settings reach the device unless a document is under way.
    virtual PrinterCapabilities capabilities(const PrinterSettings& settings) = 0;
    // The print system's setup dialog; true when the user confirmed (settings updated).
    virtual bool setupDialog(PrinterSettings& settings) = 0;

    // A new device for a document: an empty output file prints, otherwise the device
    // writes its document into that file.
    virtual void prepare(const std::string& documentName, const std::string& outputFile,
                         const PrinterSettings& settings)
        = 0;
    // Paper and orientation, which may change from page to page.
    virtual void applyLayout(const PrinterSettings& settings) = 0;
    // What a painter draws the document on.
    virtual QPaintDevice& device() = 0;
    // Starts the next page while a painter is active on the device; false when it failed.
    virtual bool newPage() = 0;
    // True when the print system refused the document.
    virtual bool failed() const = 0;
    // Drops the document; the painter is ended by its owner afterwards.
    virtual void abort() = 0;
    virtual int copyCount() const = 0;
    virtual bool collateCopies() const = 0;
};

class Driver {
public:
    virtual ~Driver() = default;
    virtual std::vector<PrinterEntry> printers() = 0;
    // nullptr when the printer does not exist.
    virtual std::unique_ptr<Printer> open(const std::string& name) = 0;
};

// The module's only export, a C function of this name: the module's driver, or nullptr
// when the module was built for another interface version.
constexpr const char* entryName = "qv_print_driver";
using Entry = Driver* (*)(int version);

} // namespace qv::printdriver
