#include "report/device/TRvRenderPrinter.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/PrintRange.h"
#include "report/snapshot/TRPConverter.h"

#include <algorithm>

namespace qv {

TRvRenderPrinter::TRvRenderPrinter(TRPPrinterDevice& device)
    : m_device(device)
{
}

void TRvRenderPrinter::PrintRender(TStream& snapshot)
{
    snapshot.seek(0);
    TRPConverter converter(snapshot, *this);
    int const copies = std::max(1, Copies);
    // Checked before the document starts: a range that takes no page must not end as
    // an empty print job that looks like success.
    std::vector<int> const pages = PagesInRange(converter.PageCount());
    if (pages.empty() && converter.PageCount() > 0)
        throw EReportPrinter("No page of the report lies in the print range.");
    // The print system makes collated copies itself; uncollated ones it leaves to the
    // printer's hardware, which printers to file ignore, so those are replayed here.
    bool const deviceCopies = copies > 1 && Collate && m_device.MaxCopies() >= copies;
    PrinterSettings settings = m_device.Settings();
    settings.copies = deviceCopies ? copies : 1;
    settings.collate = Collate;
    if (Duplex && settings.duplex == PrinterSettings::simplex)
        settings.duplex = PrinterSettings::longEdge;
    // The pages are laid out for the snapshot's orientation; the paper turns with them.
    settings.orientation = converter.Header().orientation == 1 ? PrinterSettings::landscape : PrinterSettings::portrait;
    m_device.SetSettings(settings);

    int const replays = deviceCopies ? 1 : copies;
    try {
        DocBegin(converter);
        if (Collate) {
            for (int copy = 0; copy < replays; ++copy) {
                for (int page : pages)
                    converter.GeneratePage(page);
            }
        } else {
            for (int page : pages) {
                for (int copy = 0; copy < replays; ++copy)
                    converter.GeneratePage(page);
            }
        }
    } catch (...) {
        m_canvas = nullptr;
        if (m_device.Printing()) {
            m_device.Abort();
            m_device.EndDoc();
        }
        throw;
    }
    DocEnd();
}

std::vector<int> TRvRenderPrinter::PagesInRange(int snapshotPages) const
{
    std::vector<int> pages;
    for (int page = 1; page <= snapshotPages; ++page) {
        if (snapshot::pageInRange(page, Selection, FirstPage, LastPage))
            pages.push_back(page);
    }
    return pages;
}

void TRvRenderPrinter::DocBegin(const TRPConverter& converter)
{
    m_device.BeginDoc(const_cast<TRPConverter&>(converter).Title(), OutputFile);
    PixelsPerInchX = m_device.XDPI();
    PixelsPerInchY = m_device.YDPI();
    m_pageCount = 0;
}

void TRvRenderPrinter::PageBegin(int, double, double)
{
    m_device.NewPage();
    m_canvas = &m_device.canvas();
    ++m_pageCount;
}

void TRvRenderPrinter::PageEnd() { m_canvas = nullptr; }

void TRvRenderPrinter::DocEnd()
{
    m_canvas = nullptr;
    m_device.EndDoc();
}

std::string TRvRenderPrinter::DeviceName() const { return m_device.Device(); }
std::string TRvRenderPrinter::DriverName() const { return m_device.Driver(); }
std::string TRvRenderPrinter::PortName() const { return m_device.Port(); }

} // namespace qv
