#include "controls/SkinMonthCalendar.h"

#include "controls/CalendarGlyphs.h"
#include "runtime/core/Property.h"
#include "runtime/core/RegionalSettings.h"
#include "skin/model/SkinData.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int firstYear = 1761;
constexpr int lastYear = 9999;

const TbsDataSkinStdLabelControl* stdLabelSection(const TbsSkinData* data)
{
    if (!data || data->empty())
        return nullptr;
    int const index = data->FindSkinControl("stdlabel");
    if (index < 0)
        return nullptr;
    return dynamic_cast<const TbsDataSkinStdLabelControl*>(&data->skinControl(index));
}

// Weekday of a date, Sunday = 1 to Saturday = 7.
int dayOfWeek(TDateTime date)
{
    // Day 0 (30 December 1899) was a Saturday.
    auto const days = static_cast<long long>(std::floor(date));
    return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

} // namespace

TbsSkinMonthCalendar::TbsSkinMonthCalendar(TWinControl* parent) : TbsSkinPanel(parent)
{
    m_date = today();
    Font f;
    f.name = "Arial";
    f.cellHeight = 14;
    f.color = clBlack;
    setFont(f);
    struct Step {
        TbsSkinSpeedButton& button;
        const char* glyph;
        int interval;
        void (TbsSkinMonthCalendar::*step)();
    };
    for (Step s : {Step{m_priorYear, "BS_PRIORYEAR", 100, &TbsSkinMonthCalendar::priorYear},
                   Step{m_priorMonth, "BS_PRIORMONTH", 250, &TbsSkinMonthCalendar::priorMonth},
                   Step{m_nextMonth, "BS_NEXTMONTH", 250, &TbsSkinMonthCalendar::nextMonth},
                   Step{m_nextYear, "BS_NEXTYEAR", 100, &TbsSkinMonthCalendar::nextYear}}) {
        s.button.setGlyph(calendarGlyph(s.glyph));
        s.button.setRepeatMode(true);
        s.button.setRepeatInterval(s.interval);
        s.button.onClick = [this, step = s.step] { (this->*step)(); };
    }
    setBounds(0, 0, 200, 150);
    placeButtons();
}

void TbsSkinMonthCalendar::setDate(TDateTime date)
{
    if (!assignChanged(m_date, std::floor(date)))
        return;
    invalidate();
    // Another month means other days in the cells.
    accessibleNotify(TAccessibleEvent::ItemsChanged);
    accessibleNotify(TAccessibleEvent::NameChanged);
    TPoint const cell = accessibleCurrentCell();
    accessibleNotifyCell(TAccessibleEvent::SelectionChanged, cell.x, cell.y);
}

std::string TbsSkinMonthCalendar::accessibleName() const
{
    DateParts const d = decodeDate(m_date);
    return regionalSettings().longMonthNames[std::size_t(d.month - 1)] + " " + std::to_string(d.day) + ", "
        + std::to_string(d.year);
}

std::string TbsSkinMonthCalendar::accessibleCellText(int col, int row) const
{
    if (row == 0)
        return regionalSettings().shortDayNames[std::size_t((m_firstDayOfWeek + col) % 7)];
    int const day = dayOfCell(col, row);
    return day >= 1 && day <= layout().monthLength ? std::to_string(day) : std::string{};
}

TRect TbsSkinMonthCalendar::accessibleCellRect(int col, int row) const
{
    Layout const l = layout();
    if (row == 0)
        return TRect{l.client.left + 1 + col * l.columnWidth, l.headerTop,
                     l.client.left + 1 + (col + 1) * l.columnWidth, l.lineY};
    return cellRect(l, col, row - 1);
}

bool TbsSkinMonthCalendar::accessibleCellSelected(int col, int row) const
{
    return row > 0 && dayOfCell(col, row) == decodeDate(m_date).day;
}

TPoint TbsSkinMonthCalendar::accessibleCurrentCell() const
{
    int const index = decodeDate(m_date).day - firstCellDay();
    return TPoint{index % 7, index / 7 + 1};
}

void TbsSkinMonthCalendar::accessibleSelectCell(int col, int row)
{
    int const day = row > 0 ? dayOfCell(col, row) : 0;
    if (day < 1 || day > layout().monthLength)
        return;
    DateParts const d = decodeDate(m_date);
    setDate(encodeDate(d.year, d.month, day));
    if (onNumberClick)
        onNumberClick();
}

void TbsSkinMonthCalendar::setFirstDayOfWeek(TbsDaysOfWeek day)
{
    if (assignChanged(m_firstDayOfWeek, day))
        invalidate();
}

void TbsSkinMonthCalendar::loaded()
{
    if (m_todayDefault)
        setDate(today());
}

void TbsSkinMonthCalendar::setSkinData(TbsSkinData* data)
{
    TbsSkinPanel::setSkinData(data);
    for (TbsSkinSpeedButton* b : {&m_priorYear, &m_priorMonth, &m_nextMonth, &m_nextYear})
        b->setSkinData(data);
    placeButtons();
    invalidate();
}

void TbsSkinMonthCalendar::resized()
{
    placeButtons();
    TbsSkinPanel::resized();
}

void TbsSkinMonthCalendar::placeButtons()
{
    TRect c = panelClientRect();
    int const top = c.top + 1;
    m_priorYear.setBounds(c.left + 1, top, 23, 23);
    m_priorMonth.setBounds(c.left + 1 + 24, top, 23, 23);
    m_nextYear.setBounds(c.right - 24, top, 23, 23);
    m_nextMonth.setBounds(c.right - 24 - 24, top, 23, 23);
}

void TbsSkinMonthCalendar::stepTo(int year, int month)
{
    DateParts const d = decodeDate(m_date);
    setDate(encodeDate(year, month, std::min(d.day, daysInMonth(year, month))));
    click();
}

void TbsSkinMonthCalendar::nextMonth()
{
    DateParts const d = decodeDate(m_date);
    int const year = d.month == 12 ? d.year + 1 : d.year;
    // December 9999 has no next month to show.
    if (year > lastYear)
        return;
    stepTo(year, d.month == 12 ? 1 : d.month + 1);
}

void TbsSkinMonthCalendar::priorMonth()
{
    DateParts const d = decodeDate(m_date);
    int const year = d.month == 1 ? d.year - 1 : d.year;
    if (year < 1)
        return;
    stepTo(year, d.month == 1 ? 12 : d.month - 1);
}

void TbsSkinMonthCalendar::nextYear()
{
    DateParts const d = decodeDate(m_date);
    if (d.year + 1 < firstYear || d.year + 1 > lastYear)
        return;
    stepTo(d.year + 1, d.month);
}

void TbsSkinMonthCalendar::priorYear()
{
    DateParts const d = decodeDate(m_date);
    if (d.year - 1 < firstYear || d.year - 1 > lastYear)
        return;
    stepTo(d.year - 1, d.month);
}

TbsSkinMonthCalendar::Layout TbsSkinMonthCalendar::layout() const
{
    Layout l;
    l.client = panelClientRect();
    l.columnWidth = (l.client.width() - 2) / 7;
    l.headerTop = l.client.top + 33;
    Bitmap probe(1, 1);
    probe.canvas().font = font();
    probe.canvas().font.style &= ~unsigned(fsBold);
    l.lineY = l.headerTop + probe.canvas().textHeight("Wq") + 1;
    l.rowHeight = (l.client.bottom - l.lineY - 4) / 6;
    DateParts const d = decodeDate(m_date);
    l.firstCellDay = firstCellDay();
    l.monthLength = daysInMonth(d.year, d.month);
    return l;
}

int TbsSkinMonthCalendar::firstCellDay() const
{
    DateParts const d = decodeDate(m_date);
    int const a = (dayOfWeek(encodeDate(d.year, d.month, 1)) - static_cast<int>(m_firstDayOfWeek) + 7) % 7;
    // With a = 0 the first falls in the last column, so the row before it stays blank.
    return a == 0 ? -5 : 2 - a;
}

TRect TbsSkinMonthCalendar::cellRect(const Layout& l, int column, int row) const
{
    int const left = l.client.left + 1 + column * l.columnWidth;
    int const top = l.lineY + 3 + row * l.rowHeight;
    return TRect{left, top, left + l.columnWidth, top + l.rowHeight};
}

TRect TbsSkinMonthCalendar::dayCellRect(int day) const
{
    Layout const l = layout();
    if (day < 1 || day > l.monthLength)
        return {};
    int const index = day - l.firstCellDay;
    return cellRect(l, index % 7, index / 7);
}

int TbsSkinMonthCalendar::dayAt(int x, int y) const
{
    Layout const l = layout();
    if (l.columnWidth <= 0 || l.rowHeight <= 0)
        return 0;
    int const dx = x - (l.client.left + 1);
    int const dy = y - (l.lineY + 3);
    if (dx < 0 || dy < 0)
        return 0;
    int const column = dx / l.columnWidth;
    int const row = dy / l.rowHeight;
    if (column > 6 || row > 5)
        return 0;
    int const day = l.firstCellDay + column + 7 * row;
    return day >= 1 && day <= l.monthLength ? day : 0;
}

TColor TbsSkinMonthCalendar::titleColor() const
{
    const TbsDataSkinStdLabelControl* s = stdLabelSection(SkinData());
    return s ? s->ActiveFontColor : font().color;
}

TColor TbsSkinMonthCalendar::numberColor() const
{
    const TbsDataSkinStdLabelControl* s = stdLabelSection(SkinData());
    return s ? s->Font.FontColor : font().color;
}

void TbsSkinMonthCalendar::drawDefaultLook(Canvas& canvas)
{
    TbsSkinPanel::drawDefaultLook(canvas);
    paintMonth(canvas);
}

void TbsSkinMonthCalendar::drawSkinLook(Canvas& canvas)
{
    TbsSkinPanel::drawSkinLook(canvas);
    paintMonth(canvas);
}

void TbsSkinMonthCalendar::paintMonth(Canvas& canvas)
{
    const RegionalSettings& region = regionalSettings();
    Layout const l = layout();
    DateParts const d = decodeDate(m_date);
    TColor const title = titleColor();
    canvas.setBackgroundTransparent(true);

    canvas.font = font();
    canvas.font.style |= fsBold;
    canvas.font.color = title;
    std::string year = std::to_string(d.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    std::string const caption = region.longMonthNames[std::size_t(d.month - 1)] + ", " + year;
    canvas.textOut(width() / 2 - canvas.textWidth(caption) / 2, l.client.top + 2, caption);

    canvas.font.style &= ~unsigned(fsBold);
    for (int i = 0; i < 7; ++i) {
        const std::string& name = region.shortDayNames[std::size_t((m_firstDayOfWeek + i) % 7)];
        int const left = l.client.left + 1 + i * l.columnWidth;
        canvas.textOut(left + l.columnWidth / 2 - canvas.textWidth(name) / 2, l.headerTop, name);
    }
    canvas.pen.color = title;
    canvas.pen.style = PenStyle::Solid;
    canvas.pen.width = 1;
    canvas.moveTo(l.client.left + 1, l.lineY);
    canvas.lineTo(l.client.right - 1, l.lineY);

    canvas.font.color = numberColor();
    for (int day = 1; day <= l.monthLength; ++day) {
        TRect const cell = dayCellRect(day);
        std::string const number = std::to_string(day);
        canvas.textOut(cell.left + cell.width() / 2 - canvas.textWidth(number) / 2,
                       cell.top + cell.height() / 2 - canvas.textHeight(number) / 2, number);
    }
    TRect const selected = dayCellRect(d.day);
    canvas.brush.color = title;
    canvas.brush.style = BrushStyle::Solid;
    canvas.frameRect(selected);
}

void TbsSkinMonthCalendar::mouseUp(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinPanel::mouseUp(button, shift, x, y);
    if (button != MouseButton::Left)
        return;
    int const day = dayAt(x, y);
    if (day == 0)
        return;
    DateParts const d = decodeDate(m_date);
    setDate(encodeDate(d.year, d.month, day));
    if (onNumberClick)
        onNumberClick();
}

} // namespace qv
