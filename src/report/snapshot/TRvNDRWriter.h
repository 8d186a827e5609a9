#pragma once

#include "report/snapshot/GraphicRegistry.h"
#include "report/snapshot/OutputBuffer.h"
#include "report/snapshot/PaperInfo.h"
#include "report/snapshot/Stream.h"
#include "report/snapshot/TBaseReport.h"
#include "report/snapshot/TextMeasurer.h"
#include "runtime/core/EndSignals.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace qv {

enum class TStreamMode { smMemory, smFile, smUser, smTempFile };

// Records every page as snapshot byte code (".ndr").
class TRvNDRWriter final : public TBaseReport {
public:
    TRvNDRWriter();
    ~TRvNDRWriter() override;

    TStreamMode StreamMode = TStreamMode::smMemory;
    std::string FileName; // smFile target; set to the created file for smTempFile
    TStream* Stream = nullptr; // smUser target, not owned
    TRvPaperInfo Paper;
    double ScaleX() const { return m_scaleX; }
    double ScaleY() const { return m_scaleY; }

    // Measures texts; without one, a screen-resolution stand-in is used.
    void SetMeasurer(const snapshot::TextMeasurer* measurer);

    // OnBeforePrint, start, OnPrint, end, OnAfterPrint.
    void Execute();
    void Start();
    void End();
    void NewPage() override;
    int CurrentPage() const override { return m_pageNumber; }
    int PagesWritten() const { return m_pagesWritten; }
    bool Aborted() const override { return m_aborted; }
    void Abort() override;
    std::chrono::system_clock::time_point RunDateTime() const { return m_runDateTime; }

    // The stream written to (the writer's own for smMemory, smFile and smTempFile).
    TStream* OutputStream() const;
    // Hands over the smMemory stream after End.
    std::unique_ptr<TStream> TakeOutputStream();

    snapshot::TRvFont& Font() override { return m_font; }
    snapshot::TRvPen& Pen() override { return m_pen; }
    snapshot::TRvBrush& Brush() override { return m_brush; }
    void SetScaleX(double percent) override;
    void SetScaleY(double percent) override;
    void SetOrigin(double x, double y) override;
    void SetTextBKMode(TBKMode mode) override;
    void SetBKColor(TColor color) override;
    void SetFrameMode(uint8_t mode) override;
    void SetTransparentBitmap(bool transparent) override;
    void ChangeOrientation(TOrientation orientation) override;
    void ChangeBin(const std::string& binName) override;

    double TextWidth(const std::string& text) const override;
    double FontDescent() const override { return m_measurer->descent(m_font); }
    double CurrentX() const override { return m_currentX; }
    void PrintLeft(const std::string& text, double x, double y) override;
    void PrintCenter(const std::string& text, double x, double y) override;
    void PrintRight(const std::string& text, double x, double y) override;
    void PrintBlock(const std::string& text, double x, double y, double width) override;
    void TextRect(const TRvRect& rect, double x, double y, const std::string& text) override;

    void MoveTo(double x, double y) override;
    void LineTo(double x, double y) override;
    void Rectangle(const TRvRect& rect) override;
    void TabRectangle(const TRvRect& rect) override;
    void FillRect(const TRvRect& rect) override;
    void FrameRect(const TRvRect& rect) override;
    void DrawFocusRect(const TRvRect& rect) override;
    void RoundRect(const TRvRect& rect, double cornerWidth, double cornerHeight) override;
    void Ellipse(const TRvRect& rect) override;
    void Arc(const TRvRect& rect, TRvPoint start, TRvPoint end) override;
    void Chord(const TRvRect& rect, TRvPoint start, TRvPoint end) override;
    void Pie(const TRvRect& rect, TRvPoint start, TRvPoint end) override;
    void Polygon(const std::vector<TRvPoint>& points) override;
    void Polyline(const std::vector<TRvPoint>& points) override;
    void FloodFill(double x, double y, TColor color, int32_t fillStyle) override;

    void Draw(double x, double y, const snapshot::TRvGraphic& graphic) override;
    void StretchDraw(const TRvRect& rect, const snapshot::TRvGraphic& graphic) override;
    void PrintBitmap(double x, double y, double scaleX, double scaleY, const snapshot::TRvGraphic& bitmap) override;
    void PrintBitmapRect(const TRvRect& rect, const snapshot::TRvGraphic& bitmap) override;
    void BrushCopy(const TRvRect& dest, const snapshot::TRvGraphic& bitmap, const TRvRect& source, TColor color) override;
    void CopyRect(const TRvRect& dest, const TRvRect& source) override;
    void RegisterGraphic(int index) override;
    void ReuseGraphic(int index) override;
    void UnregisterGraphic(int index) override;

    void DefineVariable(const std::string& name) override;
    void DefineVariable(const std::string& name, const std::string& value) override;
    void SetVariable(const std::string& name, const std::string& value) override;

private:
    struct Variable {
        std::string name;
        std::optional<std::string> value;
        int64_t slotPosition = -1; // the reserved slot that SetVariable fills in
    };

    enum class State { Idle, Printing, Finished };

    void openOutput();
    void writeFileHeader();
    void beginPage();
    void endPage();
    bool writing() const { return m_state == State::Printing && m_pageOpen && !m_aborted; }
    bool drawing() const;
    void requirePrinting() const;

    void emit(snapshot::ByteWriter& bytes);
    void putPoint(snapshot::ByteWriter& out, double x, double y) const;
    void putRect(snapshot::ByteWriter& out, const TRvRect& rect) const;
    void putGraphic(snapshot::ByteWriter& out, const snapshot::TRvGraphic& graphic);
    void putFontHeight(snapshot::ByteWriter& out, const snapshot::TRvFont& font) const;
    void putVariable(snapshot::ByteWriter& out, Variable& variable);
    void writeVariable(Variable& variable);
    void fillSlot(int64_t position, const std::string& value);

    void writeFullState();
    void syncFont();
    void syncPen();
    void syncBrush();
    // Records what changed in a font, pen or brush since it was last written.
    template<class Tool, class PutChanges>
    void syncTool(Tool& written, const Tool& now, PutChanges putChanges);
    // Stores a setting and, on a page being written, records the change.
    template<class T, class Arg>
    void changeSetting(T& setting, T value, uint8_t code, void (snapshot::ByteWriter::*put)(Arg));
    // What a drawing command takes from the current font, pen and brush.
    enum Uses : unsigned { usesNothing = 0, usesFont = 1, usesPen = 2, usesBrush = 4 };
    // Records a command on a page being drawn, after the font, pen or brush it uses.
    template<class PutArguments>
    void drawCommand(uint8_t code, unsigned uses, PutArguments putArguments);
    void shapeCommand(uint8_t code, const TRvRect& rect, unsigned uses);
    template<class PutPlace>
    void bitmapCommand(uint8_t code, const snapshot::TRvGraphic& bitmap, PutPlace putPlace);
    void arcCommand(uint8_t code, const TRvRect& rect, TRvPoint start, TRvPoint end);
    void pointsCommand(uint8_t code, const std::vector<TRvPoint>& points);
    void positionedText(TPrintJustify justify, const std::string& text, double x, double y);
    Variable* findVariable(const std::string& name);

    double sx(double x) const { return (x + m_originX) * m_scaleX / 100.0; }
    double sy(double y) const { return (y + m_originY) * m_scaleY / 100.0; }
    double sw(double w) const { return w * m_scaleX / 100.0; }
    double sh(double h) const { return h * m_scaleY / 100.0; }
    double pageWidth() const;
    double pageHeight() const;

    State m_state = State::Idle;
    bool m_aborted = false;
    bool m_closingOnAbort = false;
    bool m_pageOpen = false;
    int m_pageNumber = 0;
    int m_pagesWritten = 0;
    int64_t m_pageCountPosition = 0;
    int64_t m_lastPageHeader = 0;
    int64_t m_lastNextPosition = -1;
    std::chrono::system_clock::time_point m_runDateTime;

    // A temporary snapshot goes even when a signal ends the process.
    std::unique_ptr<ExitCleanup> m_tempFileCleanup;
    std::unique_ptr<TStream> m_ownStream;
    TStream* m_output = nullptr;
    std::unique_ptr<snapshot::OutputBuffer> m_buffer;

    snapshot::ScreenMetricsMeasurer m_screenMeasurer;
    const snapshot::TextMeasurer* m_measurer = nullptr;

    snapshot::TRvFont m_font;
    snapshot::TRvPen m_pen;
    snapshot::TRvBrush m_brush;
    snapshot::TRvFont m_writtenFont;
    snapshot::TRvPen m_writtenPen;
    snapshot::TRvBrush m_writtenBrush;
    double m_scaleX = 100.0;
    double m_scaleY = 100.0;
    double m_originX = 0;
    double m_originY = 0;
    TBKMode m_bkMode = TBKMode::bkTransparent;
    TColor m_bkColor = clWhite;
    double m_currentX = 0;
    bool m_transparentBitmap = false;

    snapshot::GraphicRegistry m_graphics;

    std::vector<Variable> m_variables;
    std::vector<int64_t> m_unfilledSlots;
};

} // namespace qv
