#pragma once

#include <string>

namespace qv {

// "yyyy-MM-dd" of a payment in the given month, keeping the loan date's day where
// the month has it: the 31st becomes the 30th in 30-day months, and 29th to 31st
// become the last day of February.
std::string paymentDateText(int year, int month, int loanDay);

} // namespace qv
