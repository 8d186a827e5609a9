#pragma once

#include <cstdint>
#include <string>

namespace qv {

// How a loan's money is rounded. Classic: the program's own single-precision
// arithmetic, as every earlier file holds it. Bank: exact decimal money,
// interest rounded half-up to the cent each month, matching the bank's figures.
enum class RoundingModel { Classic, Bank };

// The loan as last calculated or opened (one process-wide instance).
struct LoanRecord {
    int32_t term = 0;        // years
    float amount = 0.0f;
    float monthlyRate = 0.0f; // fraction per month
    std::string loanDate;    // short-date text
    std::string rateText;    // the rate field exactly as typed
    RoundingModel rounding = RoundingModel::Classic;
};

struct LoanTotals {
    double monthlyPayment = 0;
    double totalInterest = 0;
    double totalPayment = 0;
    double baselineInterest = 0;
    double baselinePayment = 0;
    double interestSaved = 0;
    int32_t scheduleMonths = 0;
};

// A bank-rounded loan's figures as exact decimal texts (locale separator). The
// record's floats and the totals' doubles only mirror them; the bank model
// computes from these texts alone.
struct BankFigures {
    std::string amount;
    std::string monthlyRate;
    std::string monthlyPayment;
    std::string baselinePayment;
    std::string totalPayment;
    std::string baselineInterest;
    std::string totalInterest;
    std::string interestSaved;
};

// Values Calculate leaves behind so a re-amortization can continue the recurrence.
struct WorkingValues {
    float rate = 0.0f;
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double balance = 0;
};

} // namespace qv
