#pragma once

#include "report/device/TRvRenderCanvas.h"
#include "report/snapshot/Stream.h"

#include <string>
#include <vector>

namespace qv {

class TRPPrinterDevice;

// Prints a snapshot on the printer device, page by page at the device's resolution.
class TRvRenderPrinter : public TRvRenderCanvas {
public:
    explicit TRvRenderPrinter(TRPPrinterDevice& device);

    // Print-range choices of the output options in print-range mode: the pages whose
    // place in the snapshot is in the range (or the selection, when there is one) are
    // printed; copies and collate reach the device.
    int FirstPage = 1;
    int LastPage = 9999;
    std::string Selection;
    int Copies = 1;
    bool Collate = false;
    bool Duplex = false;
    // The printer's own output goes to this file instead of the printer when set.
    std::string OutputFile;

    // One document. Copies the printer cannot make itself are replayed with the
    // device's copies set to 1: the whole snapshot per copy when collated, each page
    // repeated otherwise.
    void PrintRender(TStream& snapshot);
    // Pages sent to the device by the last PrintRender.
    int PageCount() const { return m_pageCount; }
    // The places (1-based) of the snapshot's pages that the range takes, in order. A
    // selection item that is no page number raises the integer conversion error.
    std::vector<int> PagesInRange(int snapshotPages) const;

    void DocBegin(const TRPConverter& converter) override;
    void DocEnd() override;
    void PageBegin(int pageNumber, double width, double height) override;
    void PageEnd() override;

    std::string DeviceName() const override;
    std::string DriverName() const override;
    std::string PortName() const override;

private:

    TRPPrinterDevice& m_device;
    int m_pageCount = 0;
};

} // namespace qv
