// Texts, lines and shapes of a band or page, written through the page writer.
#include "report/calc/DataFieldExpression.h"
#include "report/layout/ReportLayout.h"
#include "report/layout/Tolerance.h"
#include "report/snapshot/SnapshotFormat.h"

#include <cmath>
#include <vector>

namespace qv::report {

namespace {

// Tab stops of left-justified texts.
constexpr double tabStep = 0.5;

snapshot::TRvFont writerFont(const TRpFont& font, int rotation)
{
    snapshot::TRvFont out;
    out.name = font.name();
    out.size = font.size();
    out.color = TColor(font.color());
    out.charset = std::uint8_t(font.charset());
    out.pitch = std::uint8_t(font.pitch());
    out.bold = font.style() & setOf(fsBold);
    out.italic = font.style() & setOf(fsItalic);
    out.underline = font.style() & setOf(fsUnderline);
    out.strikeout = font.style() & setOf(fsStrikeOut);
    out.rotation = std::int16_t(rotation);
    return out;
}

float penWidth(double width, TRpLineWidthType type)
{
    if (type == wtPoints)
        return float(width / 72.0);
    return width <= 1.0 ? 0.0f : float(width / 96.0);
}

std::uint8_t brushStyle(TRpFillStyle style)
{
    return style == fsNone ? std::uint8_t(fsClear) : std::uint8_t(style);
}

bool isBitmap(const std::vector<std::uint8_t>& data)
{
    return data.size() > 2 && data[0] == 'B' && data[1] == 'M';
}

bool hasPlaceholder(const std::string& text)
{
    return text.find(snapshot::kPlaceholderStart) != std::string::npos;
}

} // namespace

void ReportLayout::resetDrawingState()
{
    m_writer.Font() = snapshot::TRvFont {};
    m_writer.Pen() = snapshot::TRvPen {};
    m_writer.Brush() = snapshot::TRvBrush {};
}

void ReportLayout::printChildren(const TRpReportComponent& parent, double left, double top)
{
    for (const auto& child : parent.children())
        printControl(*child, left, top);
}

void ReportLayout::printChildrenBetween(const TRpReportComponent& parent, double left, double top, double from, double to)
{
    for (const auto& child : parent.children()) {
        auto* control = dynamic_cast<const TRpControl*>(child.get());
        double childTop = control ? control->top() : 0;
        bool starts = from <= 0 ? childTop < to : childTop >= from && childTop < to;
        if (starts)
            printControl(*child, left, top);
    }
}

void ReportLayout::printControl(const TRpReportComponent& component, double left, double top)
{
    if (auto* controller = dynamic_cast<const TRpCalcController*>(&component)) {
        m_calcs.controllerPrinted(*controller);
        return;
    }
    if (auto* total = dynamic_cast<const TRpCalcTotal*>(&component)) {
        m_calcs.calcTotalPrinted(*total);
        m_calcs.afterPrint(*total);
        return;
    }
    if (auto* op = dynamic_cast<const TRpCalcOp*>(&component)) {
        m_calcs.calcOpPrinted(*op);
        return;
    }
    auto* placed = dynamic_cast<const TRpControl*>(&component);
    if (!placed || !shown(*placed))
        return;
    // A mirror keeps its own place and prints everything else from the mirrored control.
    double x = left + placed->left();
    double y = top + placed->top();
    const TRpControl* control = &mirrored(*placed);
    if (auto* calc = dynamic_cast<const TRpCalcText*>(control)) {
        printText(*calc, m_calcs.calcText(*calc), x, y, calc->truncate(), calc->rotation());
        // Only the calculation's own printing ends its run of values.
        if (control == placed)
            m_calcs.afterPrint(*calc);
    } else if (auto* data = dynamic_cast<const TRpDataText*>(control)) {
        printText(*data, evaluateExpression(data->dataField(), data->dataView(), *this), x, y, data->truncate(), data->rotation());
    } else if (auto* text = dynamic_cast<const TRpText*>(control)) {
        printText(*text, text->text(), x, y, text->truncate(), text->rotation());
    } else if (auto* line = dynamic_cast<const TRpLine*>(control)) {
        printLine(*line, x, y);
    } else if (auto* shape = dynamic_cast<const TRpSurface*>(control)) {
        printSurface(*shape, x, y);
    } else if (auto* image = dynamic_cast<const TRpGraphicImage*>(control)) {
        printImage(*image, x, y);
    }
}

void ReportLayout::printText(const TRpTextControl& control, std::string text, double left, double top, bool truncate, int rotation)
{
    const TRpFont& font = control.fontMirror() ? control.fontMirror()->font() : control.font();
    m_writer.Font() = writerFont(font, rotation);
    double size = std::fabs(double(font.size()));
    double lineHeight = m_linesPerInch > 0 ? 1.0 / m_linesPerInch : size / 60.0;
    double baseline = top + lineHeight - m_writer.FontDescent();
    double width = control.width();

    if (truncate && !hasPlaceholder(text))
        text = fittedText(text, width);

    switch (control.fontJustify()) {
    case pjCenter:
        m_writer.PrintCenter(text, left + width / 2, baseline);
        break;
    case pjRight:
        m_writer.PrintRight(text, left + width, baseline);
        break;
    case pjBlock:
        m_writer.PrintBlock(text, left, baseline, width);
        break;
    case pjLeft: {
        double x = left;
        std::string::size_type start = 0;
        while (true) {
            auto tab = text.find('\t', start);
            std::string piece = text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            if (!piece.empty())
                m_writer.PrintLeft(piece, x, baseline);
            if (tab == std::string::npos)
                break;
            double covered = (piece.empty() ? x : m_writer.CurrentX()) - left;
            double steps = std::floor((covered + 0.001) / tabStep);
            x = left + (steps + 1) * tabStep;
            start = tab + 1;
        }
        break;
    }
    }
}

// The longest prefix, ending on a character, that fits the width. A text grows no
// narrower as it gets longer, so doubling and then halving the prefix finds it with a
// few measurements of about the fitting length instead of one per character cut.
std::string ReportLayout::fittedText(const std::string& text, double width) const
{
    if (!exceedsWidth(text, width))
        return text;
    std::vector<std::size_t> ends; // byte length of the prefix of 1, 2, ... characters
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ends.push_back(i);
    }
    auto prefix = [&](std::size_t characters) { return characters == 0 ? std::string() : text.substr(0, ends[characters - 1]); };
    auto fits = [&](std::size_t characters) { return !exceedsWidth(prefix(characters), width); };
    std::size_t fitting = 0;
    std::size_t tooWide = ends.size();
    for (std::size_t n = 16; n < tooWide; n *= 2) {
        if (!fits(n)) {
            tooWide = n;
            break;
        }
        fitting = n;
    }
    while (tooWide - fitting > 1) {
        std::size_t const middle = fitting + (tooWide - fitting) / 2;
        (fits(middle) ? fitting : tooWide) = middle;
    }
    return prefix(fitting);
}

bool ReportLayout::exceedsWidth(const std::string& text, double width) const
{
    return exceeds(m_writer.TextWidth(text), width);
}

void ReportLayout::printLine(const TRpLine& line, double left, double top)
{
    snapshot::TRvPen& pen = m_writer.Pen();
    pen.color = TColor(line.color());
    pen.style = std::uint8_t(line.lineStyle());
    pen.width = penWidth(line.lineWidth(), line.lineWidthType());
    double right = left + line.width();
    double bottom = top + line.height();
    if (dynamic_cast<const TRpHLine*>(&line)) {
        m_writer.MoveTo(left, top);
        m_writer.LineTo(right, top);
    } else if (dynamic_cast<const TRpVLine*>(&line)) {
        m_writer.MoveTo(left, top);
        m_writer.LineTo(left, bottom);
    } else if (line.nesw()) {
        m_writer.MoveTo(left, bottom);
        m_writer.LineTo(right, top);
    } else {
        m_writer.MoveTo(left, top);
        m_writer.LineTo(right, bottom);
    }
}

void ReportLayout::printSurface(const TRpSurface& shape, double left, double top)
{
    snapshot::TRvPen& pen = m_writer.Pen();
    pen.color = TColor(shape.borderColor());
    pen.style = std::uint8_t(shape.borderStyle());
    pen.width = penWidth(shape.borderWidth(), shape.borderWidthType());
    snapshot::TRvBrush& brush = m_writer.Brush();
    brush.color = TColor(shape.fillColor());
    brush.style = brushStyle(shape.fillStyle());
    TRvRect rect {left, top, left + shape.width(), top + shape.height()};
    if (dynamic_cast<const TRpEllipse*>(&shape)) {
        m_writer.Ellipse(rect);
        return;
    }
    auto* rectangle = dynamic_cast<const TRpRectangle*>(&shape);
    if (rectangle && (rectangle->hRadius() > 0 || rectangle->vRadius() > 0))
        m_writer.RoundRect(rect, rectangle->hRadius(), rectangle->vRadius());
    else
        m_writer.Rectangle(rect);
}

// A bitmap or metafile goes into the snapshot as it is; a picture in any other format
// only when the image decoder turns it into a bitmap.
void ReportLayout::printImage(const TRpGraphicImage& image, double left, double top)
{
    const std::vector<std::uint8_t>& picture = image.image().data();
    if (picture.empty())
        return;
    snapshot::TRvGraphic graphic;
    if (dynamic_cast<const TRpMetaFile*>(&image)) {
        graphic.type = snapshot::GraphicType::Metafile;
        graphic.data = picture;
    } else if (isBitmap(picture)) {
        graphic.data = picture;
    } else if (!m_decodeImage || !m_decodeImage(picture, graphic.data) || !isBitmap(graphic.data)) {
        return;
    }
    m_writer.StretchDraw(TRvRect {left, top, left + image.width(), top + image.height()}, graphic);
}

} // namespace qv::report
