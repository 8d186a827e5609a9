#include "report/layout/RowSource.h"

namespace qv::report {

ListRowSource::ListRowSource(std::vector<RowField> fields, std::vector<std::vector<std::string>> rows)
    : m_fields(std::move(fields))
    , m_rows(std::move(rows))
{
}

bool ListRowSource::open()
{
    return true;
}

bool ListRowSource::first(Row& row)
{
    m_index = 0;
    return fill(row);
}

bool ListRowSource::next(Row& row)
{
    ++m_index;
    return fill(row);
}

bool ListRowSource::fill(Row& row)
{
    if (m_index >= m_rows.size())
        return false;
    const auto& texts = m_rows[m_index];
    row.assign(m_fields.size(), RowCell {});
    for (std::size_t i = 0; i < m_fields.size() && i < texts.size(); ++i) {
        row[i].isNull = false;
        row[i].native = texts[i];
    }
    return true;
}

} // namespace qv::report
