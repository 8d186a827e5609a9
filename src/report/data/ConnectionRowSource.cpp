#include "report/data/ConnectionRowSource.h"

#include "report/components/DataFields.h"
#include "report/components/DataObjects.h"

namespace qv {

ConnectionRowSource::ConnectionRowSource(const report::TRpDataView& view, TRpDataSystem& system)
    : m_view(view)
    , m_link(system)
{
}

bool ConnectionRowSource::open()
{
    m_link.Fields.clear();
    m_fields.clear();
    for (const auto& child : m_view.children()) {
        auto* field = dynamic_cast<const report::TRpDataField*>(child.get());
        if (!field)
            continue;
        auto type = dataTypeFromCode(field->dataTypeCode()).value_or(TRPDataType::dtString);
        m_link.Fields.push_back({ field->fieldName(), type, field->nullText(), -1 });
    }
    m_link.ConnectionName = m_view.connectionName();
    if (!m_link.Open())
        return false;
    // After a type mismatch the link has no fields left, and neither has the view.
    for (const TRpViewField& field : m_link.Fields)
        m_fields.push_back({ field.fieldName, static_cast<int>(field.dataType), field.nullText });
    return true;
}

bool ConnectionRowSource::fill(report::Row& row) const
{
    row.clear();
    if (m_link.Eof())
        return false;
    for (const TRpViewField& field : m_link.Fields) {
        TRpFieldValue value = m_link.FieldValue(field);
        row.push_back({ value.isNull, std::move(value.native), std::move(value.formatted) });
    }
    return true;
}

bool ConnectionRowSource::first(report::Row& row)
{
    m_link.First();
    return fill(row);
}

bool ConnectionRowSource::next(report::Row& row)
{
    m_link.Next();
    return fill(row);
}

std::unique_ptr<report::RowSource> makeConnectionRowSource(const report::TRpBaseDataView& view)
{
    auto* dataView = dynamic_cast<const report::TRpDataView*>(&view);
    if (!dataView)
        return nullptr;
    return std::make_unique<ConnectionRowSource>(*dataView);
}

} // namespace qv
