#include "report/calc/CalcValue.h"

#include <cmath>
#include <limits>

namespace qv::report {

void CalcValue::reset()
{
    m_count = 0;
    m_total = 0;
}

void CalcValue::addRow(long double number, bool isNull, const std::string& text)
{
    switch (calcType) {
    case ctSum:
        m_total += number;
        break;
    case ctMin:
    case ctMax:
        if (m_count == 0 || (calcType == ctMin ? number < m_total : number > m_total))
            m_total = number;
        m_count = 1;
        break;
    case ctAverage:
        if (isNull)
            break;
        m_total += number;
        if (countBlanks || number != 0)
            ++m_count;
        break;
    case ctCount:
        if (isNull)
            break;
        if (!countValue.empty()) {
            if (text == countValue)
                ++m_count;
        } else if (countBlanks || number != 0 || text.empty()) {
            ++m_count;
        }
        break;
    }
}

void CalcValue::start(long double value)
{
    reset();
    if (calcType == ctCount) {
        long double truncated = std::trunc(value);
        constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
        constexpr auto highest = std::numeric_limits<std::int32_t>::max();
        m_count = truncated < lowest ? lowest : truncated > highest ? highest : std::int32_t(truncated);
    } else if (calcType == ctSum) {
        m_total = value;
    }
}

long double CalcValue::result() const
{
    switch (calcType) {
    case ctCount:
        return m_count;
    case ctSum:
        return m_total;
    case ctMin:
    case ctMax:
        return m_count ? m_total : 0;
    case ctAverage:
        return m_count ? m_total / m_count : 0;
    }
    return 0;
}

} // namespace qv::report
