#include "views/report/ScheduleReport.h"

#include <algorithm>

namespace qv {

namespace {

struct ColumnDeclaration {
    const char* name;
    const char* fullName;
};

constexpr ColumnDeclaration scheduleColumns[] = {
    {"No", "No"},
    {"date", "PayDate"},
    {"interest", "Interest"},
    {"principal", "Principal"},
    {"extra", "Extra"},
    {"balance", "Balance"},
};

} // namespace

ScheduleReport::ScheduleReport(LoanEngine& engine)
    : m_engine(engine)
    , m_connection("RvCustomConnection1")
{
    m_connection.RuntimeVisibility = TRuntimeVisibility::rtDeveloper;
    m_connection.OnOpen = [this](TRvCustomConnection& c) { RvCustomConnection1Open(c); };
    m_connection.OnGetCols = [this](TRvCustomConnection& c) { RvCustomConnection1GetCols(c); };
    m_connection.OnGetRow = [this](TRvCustomConnection& c) { RvCustomConnection1GetRow(c); };
}

void ScheduleReport::runReport(TRvProject& project, const ReportFieldTexts& texts)
{
    m_rowCursor = 1;
    project.Open();
    project.SetParameter("Amount", texts.amount);
    project.SetParameter("Rate", texts.rate);
    project.SetParameter("Term", texts.term);
    project.SetParameter("MonPay", texts.monPay);
    project.SetParameter("IntPay", texts.intPay);
    project.SetParameter("TotPay", texts.totPay);
    project.SetParameter("IntSave", texts.intSave);
    project.Execute();
    project.Close();
}

std::int32_t ScheduleReport::servedMonths() const
{
    return std::clamp(m_engine.totals.scheduleMonths, 0, std::max(0, m_engine.table.rowCount() - 1));
}

void ScheduleReport::RvCustomConnection1Open(TRvCustomConnection& connection)
{
    connection.RowCount = servedMonths();
}

void ScheduleReport::RvCustomConnection1GetCols(TRvCustomConnection& connection)
{
    for (const auto& column : scheduleColumns)
        connection.DeclareField(column.name, TRPDataType::dtString, 30, column.fullName, "");
}

void ScheduleReport::RvCustomConnection1GetRow(TRvCustomConnection& connection)
{
    // The cursor selects the row. When the engine walks the data again, its First puts
    // the connection back at row 0 and the cursor starts over instead of running past
    // the schedule.
    std::int32_t row = connection.RowIndex == 0 ? 1 : m_rowCursor;
    bool inTable = row >= 1 && row <= servedMonths() && m_engine.table.hasRow(row);
    for (int column = 0; column < 6; ++column)
        connection.WriteStringValue("", inTable ? m_engine.table.cell(row, column) : std::string());
    m_rowCursor = row + 1;
}

} // namespace qv
