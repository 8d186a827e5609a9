#pragma once

#include <string>
#include <vector>

namespace qv {

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

// One coordinate of all points of a series. Values read back are scaled by
// Multiplier; the statistics are cached until the values change.
class TChartValueList {
public:
    TChartValueList(TChartSeries* owner, std::string name, TChartListOrder order);

    int ValueCount() const { return static_cast<int>(m_values.size()); }
    // Raises EListError "List index out of bounds (%d)" outside the values.
    double ValueAt(int index) const;
    // Places the value by Order (after any equal values) and returns its index.
    int InsertOrdered(double value);
    void InsertAt(int index, double value);
    void ReplaceAt(int index, double value);
    void RemoveAt(int index);
    // Releases all storage.
    void RemoveAll();

    double Lowest() const;
    double Highest() const;
    double Sum() const;
    double SumOfMagnitudes() const;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    TChartListOrder Order() const { return m_order; }
    void SetOrder(TChartListOrder order) { m_order = order; }
    double Multiplier() const { return m_multiplier; }
    void SetMultiplier(double multiplier);
    bool DateTime() const { return m_dateTime; }
    void SetDateTime(bool dateTime) { m_dateTime = dateTime; }
    const std::string& ValueSource() const { return m_valueSource; }
    void SetValueSource(const std::string& source) { m_valueSource = source; }
    TChartSeries* Owner() const { return m_owner; }

private:
    struct Statistics {
        double lowest = 0;
        double highest = 0;
        double sum = 0;
        double sumOfMagnitudes = 0;
    };

    void checkIndex(int index) const;
    const Statistics& statistics() const;

    TChartSeries* m_owner;
    std::string m_name;
    TChartListOrder m_order;
    double m_multiplier = 1.0;
    bool m_dateTime = false;
    std::string m_valueSource;
    std::vector<double> m_values;
    mutable Statistics m_statistics;
    mutable bool m_dirty = true;
};

} // namespace qv
