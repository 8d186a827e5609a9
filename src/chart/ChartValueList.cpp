#include "chart/ChartValueList.h"

#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"

#include <cmath>

namespace qv {

TChartValueList::TChartValueList(TChartSeries* owner, std::string name, TChartListOrder order)
    : m_owner(owner), m_name(std::move(name)), m_order(order)
{
}

void TChartValueList::checkIndex(int index) const
{
    if (index < 0 || index >= ValueCount())
        throw EListError(formatMessage("List index out of bounds (%d)", index));
}

double TChartValueList::ValueAt(int index) const
{
    checkIndex(index);
    return m_values[static_cast<size_t>(index)] * m_multiplier;
}

int TChartValueList::InsertOrdered(double value)
{
    int n = ValueCount();
    int index = n;
    if (m_order == loAscending && n > 0 && value < m_values.back()) {
        int i = n - 1;
        while (i >= 0 && m_values[static_cast<size_t>(i)] > value)
            --i;
        index = i + 1;
    } else if (m_order == loDescending && n > 0 && value > m_values.back()) {
        int i = n - 1;
        while (i >= 0 && m_values[static_cast<size_t>(i)] < value)
            --i;
        index = i + 1;
    }
    m_values.insert(m_values.begin() + index, value);
    m_dirty = true;
    return index;
}

void TChartValueList::InsertAt(int index, double value)
{
    if (index < 0 || index > ValueCount())
        throw EListError(formatMessage("List index out of bounds (%d)", index));
    m_values.insert(m_values.begin() + index, value);
    m_dirty = true;
}

void TChartValueList::ReplaceAt(int index, double value)
{
    checkIndex(index);
    m_values[static_cast<size_t>(index)] = value;
    m_dirty = true;
}

void TChartValueList::RemoveAt(int index)
{
    checkIndex(index);
    m_values.erase(m_values.begin() + index);
    m_dirty = true;
}

void TChartValueList::RemoveAll()
{
    std::vector<double>().swap(m_values);
    m_dirty = true;
}

void TChartValueList::SetMultiplier(double multiplier)
{
    m_multiplier = multiplier;
    m_dirty = true;
}

// Worked out again only after a change to the values.
const TChartValueList::Statistics& TChartValueList::statistics() const
{
    if (!m_dirty)
        return m_statistics;
    m_dirty = false;
    m_statistics = {};
    if (m_values.empty())
        return m_statistics;
    double first = ValueAt(0);
    m_statistics = {first, first, first, std::fabs(first)};
    for (int i = 1; i < ValueCount(); ++i) {
        double v = ValueAt(i);
        if (v < m_statistics.lowest)
            m_statistics.lowest = v;
        else if (v > m_statistics.highest)
            m_statistics.highest = v;
        m_statistics.sum += v;
        m_statistics.sumOfMagnitudes += std::fabs(v);
    }
    return m_statistics;
}

double TChartValueList::Lowest() const { return statistics().lowest; }

double TChartValueList::Highest() const { return statistics().highest; }

double TChartValueList::Sum() const { return statistics().sum; }

double TChartValueList::SumOfMagnitudes() const { return statistics().sumOfMagnitudes; }

} // namespace qv
