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

const ReportParameter reportParameters[8] = {
    {"Amount", &ReportFieldTexts::amount},
    {"Rate", &ReportFieldTexts::rate},
    {"Term", &ReportFieldTexts::term},
    {"MonPay", &ReportFieldTexts::monPay},
    {"IntPay", &ReportFieldTexts::intPay},
    {"TotPay", &ReportFieldTexts::totPay},
    {"IntSave", &ReportFieldTexts::intSave},
    {"Rounding", &ReportFieldTexts::rounding},
};

ScheduleReport::ScheduleReport(
    LoanEngine& engine, TDataConnectManager& connections, TRuntimeVisibility visibility, OfferStart start)
    : m_engine(engine)
    , m_connections(connections)
    , m_connection("RvCustomConnection1", connections)
    , m_visibility(visibility)
{
    m_connection.OnOpen = [this](TRvCustomConnection& c) { RvCustomConnection1Open(c); };
    m_connection.OnGetCols = [this](TRvCustomConnection& c) { RvCustomConnection1GetCols(c); };
    m_connection.OnGetRow = [this](TRvCustomConnection& c) { RvCustomConnection1GetRow(c); };
    if (start == OfferStart::AtOnce)
        offerToOtherProcesses();
}

void ScheduleReport::offerToOtherProcesses()
{
    if (m_offered)
        return;
    m_offered = true;
    m_connection.SetRuntimeVisibility(m_visibility);
    if (m_parameters)
        m_parameters->SetRuntimeVisibility(TRuntimeVisibility::rtDeveloper);
}

void ScheduleReport::runReport(TRvProject& project, const ReportFieldTexts& texts)
{
    m_rowCursor = 1;
    project.Open();
    for (const ReportParameter& parameter : reportParameters)
        project.SetParameter(parameter.name, texts.*parameter.text);
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

std::string ScheduleReport::offerError() const
{
    if (!m_connection.OfferError().empty())
        return m_connection.OfferError();
    return m_parameters ? m_parameters->OfferError() : std::string();
}

void ScheduleReport::setApplicationHandle(std::uint32_t handle)
{
    m_connection.ApplicationHandle = handle;
    if (m_parameters)
        m_parameters->ApplicationHandle = handle;
}

void ScheduleReport::offerParameters(std::function<ReportFieldTexts()> currentTexts)
{
    m_currentTexts = std::move(currentTexts);
    if (m_parameters)
        return;
    m_parameters = std::make_unique<TRvCustomConnection>(kParametersConnectionName, m_connections);
    m_parameters->OnOpen = [](TRvCustomConnection& c) {
        c.RowCount = 1;
        c.RowIndex = 0;
    };
    m_parameters->OnGetCols = [](TRvCustomConnection& c) {
        for (const ReportParameter& parameter : reportParameters)
            c.DeclareField(parameter.name, TRPDataType::dtString, 30, parameter.name, "");
    };
    m_parameters->OnGetRow = [this](TRvCustomConnection& c) {
        ReportFieldTexts texts = m_currentTexts ? m_currentTexts() : ReportFieldTexts {};
        for (const ReportParameter& parameter : reportParameters)
            c.WriteStringValue("", texts.*parameter.text);
    };
    if (m_offered)
        m_parameters->SetRuntimeVisibility(TRuntimeVisibility::rtDeveloper);
}

} // namespace qv
