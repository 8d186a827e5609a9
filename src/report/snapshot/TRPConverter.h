#pragma once

#include "report/snapshot/PaperInfo.h"
#include "report/snapshot/Stream.h"
#include "report/snapshot/TRPRender.h"

#include <ctime>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace qv {

// The snapshot's file header: the run's facts, then the paper and printer it recorded.
struct TRPSnapshotHeader : TRvPaperInfo {
    uint8_t marker = 0;
    int version = 0;
    std::string title;
    int pageCount = 0;
    int firstPage = 0;
    int lastPage = 0;
    uint8_t orientation = 0;
};

// Replays a snapshot into a renderer. Every count, size and position read
// from the stream is checked against the stream before it is used, so a
// damaged snapshot fails with an error instead of misbehaving.
class TRPConverter {
public:
    TRPConverter(TStream& stream, TRPRender& render);

    // The clock for date and time placeholders; the local time by default.
    std::function<std::tm()> Now;

    const TRPSnapshotHeader& Header();
    std::string Title() { return Header().title; }
    int PageCount() { return Header().pageCount; }
    int FirstPage() { return Header().firstPage; }
    int LastPage() { return Header().lastPage; }
    double PaperWidth() { return Header().paperWidth; }
    double PaperHeight() { return Header().paperHeight; }

    // Draws the page with this 1-based position in the snapshot.
    void GeneratePage(int page);
    // DocBegin, every page, DocEnd.
    void Generate();

    // The text as it is drawn on a page with this number.
    std::string ReplacePlaceholders(const std::string& text, int pageNumber) const;

private:
    struct PageHeader {
        int64_t previous = 0;
        int64_t next = 0;
        int number = 0;
        double width = 0;
        double height = 0;
    };

    void readHeader();
    PageHeader readPageHeader(int64_t position);
    void seekPage(int page);
    void drawPage();
    void execute(uint8_t code);
    bool drawShape(uint8_t code);
    void drawPoints(uint8_t code);
    bool drawGraphic(uint8_t code);
    bool drawText(uint8_t code);
    bool changeBrush(uint8_t code);
    bool changeFont(uint8_t code);
    void readFullFont(int version);
    bool changePen(uint8_t code);
    bool recordVariable(uint8_t code);
    bool skipUnused(uint8_t code);

    uint8_t readByte();
    int16_t readInt16();
    int32_t readInt32();
    double readFloat();
    std::string readString();
    std::string readBytes(int64_t count);
    TRPPoint readPoint();
    TRPRect readRect();
    snapshot::TRvGraphic readGraphic();
    std::string readVariableSlot(int depth);
    void need(int64_t count) const;
    void seekChecked(int64_t position);
    std::string variableValue(int number, int pageNumber) const;

    TStream& m_stream;
    TRPRender& m_render;
    std::optional<TRPSnapshotHeader> m_header;
    int64_t m_firstPagePosition = 0;
    int64_t m_size = 0;
    int m_currentPage = 1;
    int64_t m_currentPagePosition = 0;
    int m_drawingPageNumber = 0;

    snapshot::TRvFont m_font;
    snapshot::TRvPen m_pen;
    snapshot::TRvBrush m_brush;
    std::map<std::string, std::string> m_variables;
    std::tm m_drawTime {};
};

} // namespace qv
