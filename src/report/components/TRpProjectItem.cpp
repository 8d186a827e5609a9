#include "report/components/TRpProjectItem.h"

namespace qv::report {

const PropertyTable& TRpProjectItem::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.string("FullName", &TRpProjectItem::m_fullName)
            .string("Description", &TRpProjectItem::m_description);
    });
}

bool TRpProjectItem::definesProperty(std::string_view name) const
{
    return name == "Module";
}

void TRpProjectItem::readDefinedProperty(std::string_view name, std::vector<std::uint8_t> payload)
{
    if (name == "Module")
        m_module = std::move(payload);
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> TRpProjectItem::definedPropertyValues() const
{
    if (m_module.empty())
        return {};
    return { { "Module", m_module } };
}

void TRpRunInputs::declareProperties(PropertyBuilder& builder)
{
    builder.stringList("Parameters", &TRpRunInputs::m_parameters).stringList("PIVars", &TRpRunInputs::m_piVars);
}

} // namespace qv::report
