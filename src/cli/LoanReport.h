#pragma once

#include "loan/LoanEngine.h"
#include "loan/MemoryLoanView.h"
#include "report/data/DataCommunication.h"
#include "report/execution/TRvSystem.h"

namespace qv::cli {

// RvSystem1's window titles, as the main window gives them.
void setReportTitles(TRvSystem& system);
// RvSystem1 with those titles for a command that names its destination: no output
// options window asks for another.
void setUpForDestination(TRvSystem& system, TReportDest destination);

// Runs the schedule report of a loaded loan on system through data, as the Report button
// does with the texts the window shows. A command-line run offers its schedule to no other
// process, and its errors name the report project file.
void runLoanReport(TRvSystem& system, DataCommunication& data, LoanEngine& engine, const MemoryLoanView& view,
                   const report::MessageSink& messages);

} // namespace qv::cli
