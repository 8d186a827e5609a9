#include "report/execution/ConnectionRowSource.h"

namespace qv {

ConnectionRowSource::ConnectionRowSource(report::TRpDataView& view, TRpDataSystem& system, report::MessageSink messages)
    : m_source(view, system)
{
    m_source.Link().Messages = std::move(messages);
}

bool ConnectionRowSource::open()
{
    if (!m_source.Open())
        return false;
    m_fields.clear();
    for (const TRpViewField& field : m_source.Link().Fields)
        m_fields.push_back({field.fieldName, int(field.dataType), field.nullText});
    return true;
}

bool ConnectionRowSource::first(report::Row& row)
{
    m_source.First();
    return fill(row);
}

bool ConnectionRowSource::next(report::Row& row)
{
    m_source.Next();
    return fill(row);
}

void ConnectionRowSource::close()
{
    if (m_source.Active())
        m_source.Close();
}

bool ConnectionRowSource::fill(report::Row& row)
{
    if (m_source.Eof())
        return false;
    const auto& fields = m_source.Link().Fields;
    row.assign(fields.size(), report::RowCell {});
    for (std::size_t i = 0; i < fields.size(); ++i) {
        TRpFieldValue value = m_source.Link().FieldValue(fields[i]);
        row[i].isNull = value.isNull;
        row[i].native = std::move(value.native);
        row[i].formatted = std::move(value.formatted);
    }
    return true;
}

} // namespace qv
