#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/printing/PrintSystem.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace qv::test {

// Printers of the tests' own making: settings and the documents started on them are
// recorded; pages are thrown away.
struct FakePrinter {
    PrinterEntry entry;
    int maxCopies = 1;
    int setupDialogs = 0;
    std::vector<PrinterSettings> documents;
    int pages = 0;
};

class FakeContext final : public PrinterContext {
public:
    explicit FakeContext(FakePrinter& printer) : m_printer(printer) {}
    PrinterCapabilities capabilities(const PrinterSettings&) override
    {
        PrinterCapabilities caps;
        caps.maxCopies = m_printer.maxCopies;
        caps.dpiX = caps.dpiY = 96;
        caps.paperSize = 1;
        caps.paperWidth = 8.5;
        caps.paperHeight = 11.0;
        return caps;
    }
    bool setupDialog(PrinterSettings&) override
    {
        ++m_printer.setupDialogs;
        return true;
    }
    void startDocument(const std::string&, const std::string&, const PrinterSettings& settings) override
    {
        m_printer.documents.push_back(settings);
    }
    Canvas& newPage(const PrinterSettings&) override
    {
        ++m_printer.pages;
        return m_page.canvas();
    }
    void endDocument() override {}
    void abortDocument() override {}

private:
    FakePrinter& m_printer;
    Bitmap m_page {816, 1056};
};

class FakePrintSystem final : public PrintSystem {
public:
    std::vector<PrinterEntry> printers() override
    {
        std::vector<PrinterEntry> entries;
        for (const auto& p : m_printers)
            entries.push_back(p.entry);
        return entries;
    }
    std::unique_ptr<PrinterContext> open(const std::string& name) override
    {
        for (auto& p : m_printers)
            if (p.entry.name == name)
                return std::make_unique<FakeContext>(p);
        return nullptr;
    }
    FakePrinter& add(const std::string& name, const std::string& port)
    {
        m_printers.push_back({});
        m_printers.back().entry = {name, name + " driver", port, true};
        return m_printers.back();
    }

private:
    std::deque<FakePrinter> m_printers;
};

} // namespace qv::test
