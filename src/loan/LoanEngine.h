#pragma once

#include "loan/LoanRecord.h"
#include "loan/LoanView.h"
#include "loan/ScheduleTable.h"
#include "runtime/core/DateTime.h"

#include <cfloat>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Payments, interest and balances come out to the cent only with 64-bit
// mantissas in the intermediate steps (the x87 extended type).
static_assert(LDBL_MANT_DIG == 64, "the loan arithmetic needs an 80-bit long double");

namespace qv {

// The four inputs exactly as the main window holds them.
struct CalculateInput {
    std::string termText;
    std::string amountText;
    std::string rateText;
    TDateTime loanDate = 0;
    RoundingModel rounding = RoundingModel::Classic;
};

enum class CalculateOutcome {
    Done,
    DataError, // "Data Error!" (or the bank model's refusal) shown; the record was already updated
    RateError, // "number N" shown; Calculate ended, nothing else changed
    DateError, // the last payment would fall after the last date the program writes
};

// One month of the schedule's arithmetic.
struct MonthFigures {
    double interest = 0;
    double principal = 0;
    double balance = 0;
};

// The last payment date a schedule may have: dates keep four-digit years.
inline constexpr int lastPaymentYear = 9999;
inline constexpr const char* lateLastPaymentMessage = "The last payment would fall after 9999-12-31.";

// State of the Extra Payment column between cell moves.
struct EditState {
    int armedRow = 0; // 0 = nothing armed
    int armedCol = 0;
    std::string armedText;
};

// Process-wide loan state and the operations on it. Errors (conversion, I/O,
// floating-point faults) are raised; whatever each step changed before stays.
class LoanEngine {
public:
    static constexpr int extraColumn = 4;
    // Terms beyond this are refused like a zero term; a schedule of more rows is no use to anyone.
    static constexpr int32_t maxTermYears = 1000;

    CalculateOutcome calculate(const CalculateInput& input, LoanView& view);

    // Select-cell handling of the schedule grid: re-amortizes when an edited
    // Extra Payment cell is left, then arms or disarms. Returns true when the
    // new cell is in the Extra Payment column (editing on).
    bool selectCell(int col, int row, LoanView& view);
    // The re-amortization check alone, for the cell about to become current.
    void checkReamortization(int col, int row, LoanView& view);

    // Re-amortizes from this month on with the extra payments the table holds, in
    // the loan's rounding model: what leaving an edited Extra Payment cell runs once
    // the cell's text is stored. Months before it keep their rows.
    void reamortizeFrom(int month, LoanView& view);
    // Stores the text as the month's extra payment (table and grid) and re-amortizes
    // from that month, as typing it into the cell and leaving it does.
    void applyExtraPayment(int month, const std::string& text, LoanView& view);
    // The months of the schedule in use whose extra payment is not "0", in order.
    std::vector<std::pair<int, std::string>> extraPayments() const;

    // Stores these extra payments (month -> text) and re-amortizes once, from the first
    // month whose text changes: the same schedule, totals and labels as typing each into
    // its cell in month order and leaving it. A month the schedule no longer reaches once
    // an earlier one has paid the loan off is dropped, as its row vanished before it could
    // be typed into. A text that does not convert raises before anything changes.
    void applyExtraPayments(const std::map<int, std::string>& extras, LoanView& view);
    // The text (empty means "0") as the extra payment of every month from this one to the end of the term.
    void repeatExtraPayment(int month, const std::string& text, LoanView& view);
    void clearExtraPaymentsFrom(int month, LoanView& view);
    // Undoes every extra payment: the schedule as Calculate made it, the baseline totals
    // and nothing saved.
    void clearAllExtraPayments(LoanView& view);
    // Raises the conversion error for an extra payment text the loan's model cannot take.
    void checkExtraPaymentText(const std::string& text) const;

    LoanRecord record;
    ScheduleTable table;
    LoanTotals totals;
    WorkingValues working;
    EditState edit;
    BankFigures bank; // meaningful while record.rounding is Bank

private:
    void recalculate(LoanView& view);
    // Refuses a month outside the term and gives grid and table the whole term's rows.
    void holdWholeTerm(int month, LoanView& view);
    // The recurrence from `first` on, once the table holds the whole term.
    void reamortizeInModel(int first, LoanView& view);
    void reamortizeClassic(int first, LoanView& view);
    // Calculate's months 1 to N from the record and working values, with no extra payments;
    // returns the balance left after month N.
    double writeCalculatedMonths(LoanView& view);
    double writeCalculatedMonth(ScheduleGrid& grid, int month, double balance);
    void writeMonthFigures(ScheduleGrid& grid, int month, const MonthFigures& figures, std::string_view extra);
    void writeMonthNumberAndDate(ScheduleGrid& grid, int month, DateParts& paymentMonth);
    CalculateOutcome calculateBank(const CalculateInput& input, LoanView& view);
    void reamortizeBank(int first, LoanView& view);
};

// The rate message of Calculate: "number " + character code at the failing position.
std::string rateErrorMessage(const std::string& rateText, int position);

} // namespace qv
