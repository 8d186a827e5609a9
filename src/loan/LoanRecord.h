#pragma once

#include <cstdint>
#include <string>

namespace qv {

// The loan as last calculated or opened (one process-wide instance).
struct LoanRecord {
    int32_t term = 0;        // years
    float amount = 0.0f;
    float monthlyRate = 0.0f; // fraction per month
    std::string loanDate;    // short-date text
    std::string rateText;    // the rate field exactly as typed
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

// Values Calculate leaves behind so a re-amortization can continue the recurrence.
struct WorkingValues {
    float rate = 0.0f;
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double balance = 0;
};

} // namespace qv
