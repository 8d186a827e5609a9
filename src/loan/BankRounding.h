#pragma once

#include "loan/LoanRecord.h"

#include <optional>
#include <string>

namespace qv {

// The line a loan file of this model ends with after its last month; none for classic,
// so classic files keep their bytes.
const char* roundingFileLine(RoundingModel model);
// The model a file's line after its last month names: "rounding=bank" is bank; no line,
// an empty line or "rounding=classic" is classic. Any other "rounding=" line raises.
RoundingModel roundingFromFileLine(const std::string& line);

// "Classic" or "Bank", as the report and show print it.
const char* roundingName(RoundingModel model);
// "classic" or "bank", as the command line and info.ini spell it.
const char* roundingKeyword(RoundingModel model);
std::optional<RoundingModel> roundingFromKeyword(const std::string& keyword);

// Raises the conversion error for an extra payment text a bank-rounded loan cannot take:
// one that is no number, or one below 0.
void checkBankExtraPayment(const std::string& text);

} // namespace qv
