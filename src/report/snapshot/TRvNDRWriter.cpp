#include "report/snapshot/TRvNDRWriter.h"

#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/PrintRange.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace qv {

using namespace snapshot;

namespace {

std::unique_ptr<TFileStream> createTempFile()
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path directory = fs::temp_directory_path(error);
    if (error)
        throw EReportPrinter("Cannot find the temporary directory.");
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "RV%08X.tmp", static_cast<unsigned>(random()));
        fs::path candidate = directory / name;
        if (fs::exists(candidate, error))
            continue;
        return std::make_unique<TFileStream>(candidate.string(), TFileStream::Mode::Create);
    }
    throw EReportPrinter("Cannot create a temporary file in \"%s\".", directory.string());
}

} // namespace

TRvNDRWriter::TRvNDRWriter()
    : m_measurer(&m_screenMeasurer)
{
}

TRvNDRWriter::~TRvNDRWriter() = default;

void TRvNDRWriter::SetMeasurer(const TextMeasurer* measurer)
{
    m_measurer = measurer ? measurer : &m_screenMeasurer;
}

void TRvNDRWriter::Execute()
{
    if (OnBeforePrint)
        OnBeforePrint(*this);
    Start();
    if (OnPrint) {
        OnPrint(*this);
    } else if (OnPrintPage) {
        while (!m_aborted && OnPrintPage(*this, m_pageNumber) && !m_aborted)
            NewPage();
    }
    End();
    if (OnAfterPrint)
        OnAfterPrint(*this);
}

void TRvNDRWriter::Start()
{
    if (m_state == State::Printing)
        throw EReportPrinter("Invalid method call.  Report writer already printing.");
    m_runDateTime = std::chrono::system_clock::now();
    m_variables.clear();
    m_unfilledSlots.clear();
    m_aborted = false;
    m_pageNumber = 0;
    m_pagesWritten = 0;
    m_lastPageHeader = 0;
    m_lastNextPosition = -1;
    m_graphics.clear();
    openOutput();
    writeFileHeader();
    m_state = State::Printing;
    beginPage();
    fire(OnPrintHeader);
}

void TRvNDRWriter::openOutput()
{
    m_buffer.reset();
    m_ownStream.reset();
    m_output = nullptr;
    switch (StreamMode) {
    case TStreamMode::smMemory:
        m_ownStream = std::make_unique<TMemoryStream>();
        break;
    case TStreamMode::smFile:
        m_ownStream = std::make_unique<TFileStream>(FileName, TFileStream::Mode::Create);
        break;
    case TStreamMode::smUser:
        if (!Stream)
            throw EReportPrinter("StreamMode is smUser but Stream is nil");
        Stream->seek(0);
        m_output = Stream;
        break;
    case TStreamMode::smTempFile: {
        auto file = createTempFile();
        FileName = file->fileName();
        m_tempFileCleanup = std::make_unique<ExitCleanup>([path = FileName] { ::unlink(path.c_str()); });
        m_ownStream = std::move(file);
        break;
    }
    }
    if (m_ownStream)
        m_output = m_ownStream.get();
    m_buffer = std::make_unique<OutputBuffer>(*m_output);
}

double TRvNDRWriter::pageWidth() const
{
    return Orientation == TOrientation::poLandScape ? Paper.paperHeight : Paper.paperWidth;
}

double TRvNDRWriter::pageHeight() const
{
    return Orientation == TOrientation::poLandScape ? Paper.paperWidth : Paper.paperHeight;
}

void TRvNDRWriter::writeFileHeader()
{
    ByteWriter out;
    out.byte(kMarkerCurrent);
    out.int16(kWriterVersion);
    out.string(Title);
    m_pageCountPosition = m_buffer->position() + static_cast<int64_t>(out.bytes().size());
    out.int16(0);
    out.int16(static_cast<int16_t>(std::clamp(FirstPage, -32768, 32767)));
    out.int16(static_cast<int16_t>(std::clamp(LastPage, -32768, 32767)));
    out.floatInches(pageWidth());
    out.floatInches(pageHeight());
    out.floatInches(Paper.leftWaste);
    out.floatInches(Paper.rightWaste);
    out.floatInches(Paper.topWaste);
    out.floatInches(Paper.bottomWaste);
    out.byte(Orientation == TOrientation::poLandScape ? 1 : 0);
    out.int16(Paper.bin);
    out.byte(Paper.collate ? 1 : 0);
    out.byte(Paper.duplex);
    out.int16(Paper.copies);
    out.int16(Paper.paperSize);
    out.int16(Paper.customWidth);
    out.int16(Paper.customLength);
    out.string(Paper.outputName);
    m_buffer->write(out.bytes());
}

void TRvNDRWriter::requirePrinting() const
{
    if (m_state != State::Printing)
        throw EReportPrinter("Invalid method call.  Report writer is not printing.");
}

// Output needs a started run; after an abort, or on a page outside the print range,
// it writes nothing.
bool TRvNDRWriter::drawing() const
{
    if (m_aborted)
        return false;
    requirePrinting();
    return m_pageOpen;
}

void TRvNDRWriter::NewPage()
{
    if (m_aborted)
        return;
    requirePrinting();
    fire(OnPrintFooter);
    endPage();
    beginPage();
    fire(OnNewPage);
    fire(OnPrintHeader);
}

void TRvNDRWriter::beginPage()
{
    ++m_pageNumber;
    m_currentX = 0;
    updateStatus(m_pageNumber);
    m_pageOpen = pageInRange(m_pageNumber, PageSelection, FirstPage, LastPage);
    if (!m_pageOpen)
        return;
    if (m_pagesWritten >= 32767)
        throw EReportPrinter("Too many pages for a report snapshot.");
    m_buffer->flush();
    int64_t header = m_buffer->position();
    if (header > INT32_MAX)
        throw EReportPrinter("Report snapshot is too large.");
    if (m_lastNextPosition >= 0) {
        ByteWriter link;
        link.int32(static_cast<int32_t>(header));
        m_buffer->patch(m_lastNextPosition, link.bytes().data(), 4);
    }
    ByteWriter out;
    out.byte(cNewPage);
    out.int32(static_cast<int32_t>(m_pagesWritten == 0 ? 0 : m_lastPageHeader));
    m_lastNextPosition = header + static_cast<int64_t>(out.bytes().size());
    out.int32(0);
    out.int16(static_cast<int16_t>(m_pageNumber));
    out.floatInches(pageWidth());
    out.floatInches(pageHeight());
    m_buffer->write(out.bytes());
    m_lastPageHeader = header;
    ++m_pagesWritten;
    writeFullState();
}

void TRvNDRWriter::endPage()
{
    if (!m_pageOpen)
        return;
    uint8_t end = cEndPage;
    m_buffer->write(&end, 1);
    m_pageOpen = false;
}

void TRvNDRWriter::End()
{
    // Ending again after an abort has nothing left to do.
    if (m_state == State::Finished)
        return;
    requirePrinting();
    if (!m_closingOnAbort)
        fire(OnPrintFooter);
    endPage();
    // A slot still waiting for its value would point at itself; close it empty.
    for (int64_t slot : std::vector<int64_t>(m_unfilledSlots))
        fillSlot(slot, "");
    ByteWriter count;
    count.int16(static_cast<int16_t>(m_pagesWritten));
    m_buffer->patch(m_pageCountPosition, count.bytes().data(), 2);
    m_buffer->flush();
    if (m_output->size() > m_buffer->position())
        m_output->setSize(m_buffer->position());
    m_output->seek(0);
    m_state = State::Finished;
}

void TRvNDRWriter::Abort()
{
    if (m_aborted)
        return;
    // The current page is closed without its footer; nothing more is written.
    if (m_state == State::Printing) {
        m_closingOnAbort = true;
        End();
        m_closingOnAbort = false;
    }
    m_aborted = true;
}

TStream* TRvNDRWriter::OutputStream() const
{
    return m_output;
}

std::unique_ptr<TStream> TRvNDRWriter::TakeOutputStream()
{
    if (m_state == State::Printing)
        return nullptr;
    m_output = nullptr;
    return std::move(m_ownStream);
}

void TRvNDRWriter::emit(ByteWriter& bytes)
{
    m_buffer->write(bytes.bytes());
}

void TRvNDRWriter::putPoint(ByteWriter& out, double x, double y) const
{
    out.floatInches(sx(x));
    out.floatInches(sy(y));
}

void TRvNDRWriter::putRect(ByteWriter& out, const TRvRect& rect) const
{
    putPoint(out, rect.left, rect.top);
    putPoint(out, rect.right, rect.bottom);
}
void TRvNDRWriter::putGraphic(ByteWriter& out, const TRvGraphic& graphic)
{
    m_graphics.put(out, graphic, m_buffer->position());
}

void TRvNDRWriter::putFontHeight(ByteWriter& out, const TRvFont& font) const
{
    out.byte(cFontHeight);
    out.floatInches(font.size / 72.0);
    out.floatInches(m_measurer->textWidth(font, kFontSampleText));
}
void TRvNDRWriter::RegisterGraphic(int index)
{
    m_graphics.registerNext(index);
}

void TRvNDRWriter::ReuseGraphic(int index)
{
    m_graphics.reuseNext(index);
}

void TRvNDRWriter::UnregisterGraphic(int index)
{
    m_graphics.unregister(index);
}

} // namespace qv
