#pragma once

#include "loan/LoanEngine.h"
#include "report/data/TDataConnectManager.h"
#include "report/data/TRvCustomConnection.h"
#include "report/execution/TRvProject.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qv {

// The report parameters, taken from the window as it shows them at the moment of
// the command (not from the last Calculate); the rounding names the shown loan's model.
struct ReportFieldTexts {
    std::string amount;  // txtAmount
    std::string rate;    // txtRate
    std::string term;    // txtTerm
    std::string monPay;  // lblMonPay
    std::string intPay;  // lblTotalInt
    std::string totPay;  // lblTotalPay
    std::string intSave; // lblSavePay
    std::string rounding = "Classic"; // "Classic" or "Bank"
};

// The parameters in the order the Report command sets them.
struct ReportParameter {
    const char* name;
    std::string ReportFieldTexts::*text;
};
extern const ReportParameter reportParameters[8];

// Another process reads the window's parameter texts through this connection: one row
// with a string field per parameter, named like the parameter.
inline constexpr const char* kParametersConnectionName = "RvReportParameters";

// The schedule as the report reads it: the custom connection "RvCustomConnection1" with
// its OnOpen, OnGetCols and OnGetRow handlers, the report row cursor, and the Report
// command's sequence. The main window's Report button calls runReport with the texts
// its fields and result labels show; the command line makes the very same call with a
// system that writes to a file.
class ScheduleReport {
public:
    // When the connections start answering other processes: at once, or when the owner
    // calls offerToOtherProcesses (a window, once its first frame is on screen: the
    // listener threads and the user-wide shared objects are nothing that frame needs).
    enum class OfferStart { AtOnce, WhenAsked };

    // The connections register with connections, which must outlive them. visibility:
    // whether the schedule is offered to other processes (a window's is, a command-line
    // run's is not and never touches what other processes can reach). Reports of this
    // process read the schedule from construction on, offered or not.
    ScheduleReport(LoanEngine& engine, TDataConnectManager& connections,
        TRuntimeVisibility visibility = TRuntimeVisibility::rtDeveloper, OfferStart start = OfferStart::AtOnce);

    // Starts answering other processes as the visibility says, the parameters too once
    // given; again does nothing.
    void offerToOtherProcesses();
    bool offered() const { return m_offered; }

    // Report row cursor := 1; Open; the SetParameter calls; Execute; Close. An error
    // from Open or Execute passes on and Close is skipped, as the button does.
    void runReport(TRvProject& project, const ReportFieldTexts& texts);

    void RvCustomConnection1Open(TRvCustomConnection& connection);
    void RvCustomConnection1GetCols(TRvCustomConnection& connection);
    void RvCustomConnection1GetRow(TRvCustomConnection& connection);

    TRvCustomConnection& RvCustomConnection1() { return m_connection; }

    // The main window's handle, as other processes see it in the connections' identity.
    void setApplicationHandle(std::uint32_t handle);

    // Offers the parameter texts, read from the window whenever they are asked for
    // (from offerToOtherProcesses on).
    void offerParameters(std::function<ReportFieldTexts()> currentTexts);
    // Why other processes cannot read the schedule or the parameters (empty when they
    // can, or when nothing is offered).
    std::string offerError() const;
    // The schedule table row that OnGetRow hands out next.
    std::int32_t reportRowCursor() const { return m_rowCursor; }

private:
    // Months the table really holds rows for.
    std::int32_t servedMonths() const;

    LoanEngine& m_engine;
    TDataConnectManager& m_connections;
    TRvCustomConnection m_connection;
    std::int32_t m_rowCursor = 1;
    std::function<ReportFieldTexts()> m_currentTexts;
    std::unique_ptr<TRvCustomConnection> m_parameters;
    TRuntimeVisibility m_visibility;
    bool m_offered = false;
};

} // namespace qv
