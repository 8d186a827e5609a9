#pragma once

#include "report/snapshot/SnapshotFormat.h"
#include "report/snapshot/StatusFormat.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {

struct TRvPoint {
    double x = 0;
    double y = 0;
};

struct TRvRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

enum class TPrintJustify { pjCenter, pjLeft, pjRight, pjBlock };
enum class TOrientation { poPortrait, poLandScape, poDefault };
enum class TAccuracyMethod { amPositioning, amAppearance };
enum class TBKMode : uint8_t { bkTransparent = 0, bkOpaque = 1 };
enum class TLineHeightMethod { lhmLinesPerInch, lhmFont, lhmUser };
enum class TPrintUnits { unInch, unMM, unCM, unPoint, unUser };

// The page settings a report system keeps and copies into its page writer before a run.
struct TPageSettings {
    std::string Title = "Quorvane Report";
    int FirstPage = 1;
    int LastPage = 9999;
    int Copies = 1;
    TOrientation Orientation = TOrientation::poPortrait;
    TLineHeightMethod LineHeightMethod = TLineHeightMethod::lhmFont;
    double LinesPerInch = 6;
    double MarginLeft = 0;
    double MarginRight = 0;
    double MarginTop = 0;
    double MarginBottom = 0;
};

// What page layout asks of a page writer. Positions and sizes are inches from
// the page's top-left corner; text positions are baselines.
class TBaseReport : public TPageSettings {
public:
    virtual ~TBaseReport() = default;

    // Print settings copied in by the report system before a run.
    std::string PageSelection; // empty: FirstPage..LastPage
    TAccuracyMethod AccuracyMethod = TAccuracyMethod::amPositioning;
    int TabShade = 0;
    TPrintUnits Units = TPrintUnits::unInch;
    double UnitsFactor = 1.0;
    // The status line is rebuilt from these at every page start.
    std::string StatusFormat = "Generating page %p";
    std::vector<std::string> StatusText;
    snapshot::TRvDeviceNames DeviceNames;

    std::function<void(TBaseReport&)> OnBeforePrint;
    std::function<void(TBaseReport&)> OnPrint;
    std::function<void(TBaseReport&)> OnAfterPrint;
    // Without OnPrint: called for each page until it returns false.
    std::function<bool(TBaseReport&, int page)> OnPrintPage;
    std::function<void(TBaseReport&)> OnNewPage;
    std::function<void(TBaseReport&)> OnNewColumn;
    std::function<void(TBaseReport&)> OnPrintHeader;
    std::function<void(TBaseReport&)> OnPrintFooter;
    std::function<void(TBaseReport&)> OnEndOfSection;
    std::function<void(TBaseReport&, const std::string& status)> OnStatus;

    // The status line as of the latest page start.
    const std::string& StatusLine() const { return m_statusLine; }
    // Layout tells the writer where its flow stands; the events pass it on.
    void NewColumn() { fire(OnNewColumn); }
    void EndOfSection() { fire(OnEndOfSection); }

    virtual void NewPage() = 0;
    virtual int CurrentPage() const = 0;
    virtual bool Aborted() const = 0;
    virtual void Abort() = 0;

    // Drawing state; changes reach the output with the next command that uses them.
    virtual snapshot::TRvFont& Font() = 0;
    virtual snapshot::TRvPen& Pen() = 0;
    virtual snapshot::TRvBrush& Brush() = 0;
    virtual void SetScaleX(double percent) = 0;
    virtual void SetScaleY(double percent) = 0;
    virtual void SetOrigin(double x, double y) = 0;
    virtual void SetTextBKMode(TBKMode mode) = 0;
    virtual void SetBKColor(TColor color) = 0;
    virtual void SetFrameMode(uint8_t mode) = 0;
    virtual void SetTransparentBitmap(bool transparent) = 0;
    virtual void ChangeOrientation(TOrientation orientation) = 0;
    virtual void ChangeBin(const std::string& binName) = 0;

    virtual double TextWidth(const std::string& text) const = 0;
    // Descent of the current font below its baseline, in inches.
    virtual double FontDescent() const = 0;
    virtual double CurrentX() const = 0;
    virtual void PrintLeft(const std::string& text, double x, double y) = 0;
    virtual void PrintCenter(const std::string& text, double x, double y) = 0;
    virtual void PrintRight(const std::string& text, double x, double y) = 0;
    virtual void PrintBlock(const std::string& text, double x, double y, double width) = 0;
    virtual void TextRect(const TRvRect& rect, double x, double y, const std::string& text) = 0;

    virtual void MoveTo(double x, double y) = 0;
    virtual void LineTo(double x, double y) = 0;
    virtual void Rectangle(const TRvRect& rect) = 0;
    virtual void TabRectangle(const TRvRect& rect) = 0;
    virtual void FillRect(const TRvRect& rect) = 0;
    virtual void FrameRect(const TRvRect& rect) = 0;
    virtual void DrawFocusRect(const TRvRect& rect) = 0;
    virtual void RoundRect(const TRvRect& rect, double cornerWidth, double cornerHeight) = 0;
    virtual void Ellipse(const TRvRect& rect) = 0;
    virtual void Arc(const TRvRect& rect, TRvPoint start, TRvPoint end) = 0;
    virtual void Chord(const TRvRect& rect, TRvPoint start, TRvPoint end) = 0;
    virtual void Pie(const TRvRect& rect, TRvPoint start, TRvPoint end) = 0;
    virtual void Polygon(const std::vector<TRvPoint>& points) = 0;
    virtual void Polyline(const std::vector<TRvPoint>& points) = 0;
    virtual void FloodFill(double x, double y, TColor color, int32_t fillStyle) = 0;

    virtual void Draw(double x, double y, const snapshot::TRvGraphic& graphic) = 0;
    virtual void StretchDraw(const TRvRect& rect, const snapshot::TRvGraphic& graphic) = 0;
    virtual void PrintBitmap(double x, double y, double scaleX, double scaleY, const snapshot::TRvGraphic& bitmap) = 0;
    virtual void PrintBitmapRect(const TRvRect& rect, const snapshot::TRvGraphic& bitmap) = 0;
    virtual void BrushCopy(const TRvRect& dest, const snapshot::TRvGraphic& bitmap, const TRvRect& source, TColor color) = 0;
    virtual void CopyRect(const TRvRect& dest, const TRvRect& source) = 0;
    virtual void RegisterGraphic(int index) = 0;
    virtual void ReuseGraphic(int index) = 0;
    virtual void UnregisterGraphic(int index) = 0;

    // A variable whose value is not known yet; SetVariable fills it in on every page.
    virtual void DefineVariable(const std::string& name) = 0;
    virtual void DefineVariable(const std::string& name, const std::string& value) = 0;
    virtual void SetVariable(const std::string& name, const std::string& value) = 0;

protected:
    void fire(const std::function<void(TBaseReport&)>& event)
    {
        if (event && !Aborted())
            event(*this);
    }
    void updateStatus(int page)
    {
        snapshot::TRvStatusValues values;
        values.lines = StatusText;
        values.firstPage = FirstPage;
        values.lastPage = LastPage;
        values.page = page;
        values.names = DeviceNames;
        m_statusLine = snapshot::formatStatus(StatusFormat, values);
        if (OnStatus)
            OnStatus(*this, m_statusLine);
    }

    std::string m_statusLine;
};

} // namespace qv
