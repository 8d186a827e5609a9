#include "report/components/PublishedProperty.h"

#include "report/components/TRpReportComponent.h"

#include <strings.h>

namespace qv::report {

const EnumType BooleanType { { "False", "True" } };

int EnumType::indexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameText(names[i], name))
            return int(i);
    }
    return -1;
}

PropertyTable::PropertyTable(const PropertyTable* parent)
{
    if (parent)
        m_properties = parent->m_properties;
}

void PropertyTable::add(PublishedProperty property)
{
    for (auto& existing : m_properties) {
        if (sameText(existing.name, property.name)) {
            existing = std::move(property);
            return;
        }
    }
    m_properties.push_back(std::move(property));
}

const PublishedProperty* PropertyTable::find(std::string_view name) const
{
    for (auto& property : m_properties) {
        if (sameText(property.name, name))
            return &property;
    }
    return nullptr;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (auto& line : lines)
        text += line + "\r\n";
    return text;
}

PropertyBuilder& PropertyBuilder::add(PublishedProperty property)
{
    m_last = property.name;
    m_table.add(std::move(property));
    return *this;
}

PropertyBuilder& PropertyBuilder::notStored()
{
    PublishedProperty property = *m_table.find(m_last);
    property.stored = false;
    m_table.add(std::move(property));
    return *this;
}

} // namespace qv::report
