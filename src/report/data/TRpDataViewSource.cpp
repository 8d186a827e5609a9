#include "report/data/TRpDataViewSource.h"

#include "report/components/DataFields.h"
#include "report/components/DataObjects.h"
#include "report/data/TDataConnectManager.h"
#include "runtime/core/Text.h"

namespace qv {

TRpDataViewSource::TRpDataViewSource(report::TRpDataView& view, TRpDataSystem& system)
    : m_view(view)
    , m_link(system)
{
}

bool TRpDataViewSource::Open()
{
    m_fields.clear();
    m_link.Fields.clear();
    for (const auto& child : m_view.children()) {
        auto* field = dynamic_cast<report::TRpDataField*>(child.get());
        if (!field)
            continue;
        m_fields.push_back(field);
        auto type = dataTypeFromCode(field->dataTypeCode()).value_or(TRPDataType::dtString);
        m_link.Fields.push_back({ field->fieldName(), type, field->nullText(), -1 });
    }
    m_link.ConnectionName = m_view.connectionName();
    bool opened = m_link.Open();
    // A type mismatch empties the field list: no field of this view is matched then.
    if (m_link.Fields.size() != m_fields.size())
        m_fields.clear();
    return opened;
}

const TRpViewField* TRpDataViewSource::linkFieldOf(const report::TRpDataField& field) const
{
    for (size_t i = 0; i < m_fields.size() && i < m_link.Fields.size(); ++i) {
        if (m_fields[i] == &field)
            return &m_link.Fields[i];
    }
    return nullptr;
}

std::string TRpDataViewSource::FieldText(const report::TRpDataField& field) const
{
    const TRpViewField* linked = linkFieldOf(field);
    if (!linked)
        return field.nullText();
    return m_link.FieldText(*linked);
}

report::TRpDataField* TRpDataViewSource::FindField(const std::string& fieldName) const
{
    for (const auto& child : m_view.children()) {
        auto* field = dynamic_cast<report::TRpDataField*>(child.get());
        if (field && sameText(field->fieldName(), fieldName))
            return field;
    }
    return nullptr;
}

int TRpDataViewSource::RowIndexOf(const report::TRpDataField& field) const
{
    const TRpViewField* linked = linkFieldOf(field);
    return linked ? linked->rowIndex : -1;
}

} // namespace qv
