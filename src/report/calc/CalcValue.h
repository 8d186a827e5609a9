#pragma once

#include "report/components/ReportEnums.h"

#include <cstdint>
#include <string>

namespace qv::report {

// The run-time state of one calculation: a count and a total. For minimum and maximum
// the count tells whether a value has been seen.
class CalcValue {
public:
    TRpCalcType calcType = ctSum;
    bool countBlanks = true;
    std::string countValue;

    void reset();
    // One row: its number, whether it is null, and its text as a data text prints it.
    void addRow(long double number, bool isNull, const std::string& text);
    // A start value sent by an initializer.
    void start(long double value);

    long double result() const;
    // An average over no rows has no value.
    bool undefined() const { return calcType == ctAverage && m_count == 0; }

    std::int32_t count() const { return m_count; }
    long double total() const { return m_total; }

private:
    std::int32_t m_count = 0;
    long double m_total = 0;
};

} // namespace qv::report
