#include "report/layout/ParameterStore.h"

#include "report/components/NamedValues.h"

namespace qv::report {

std::string ListParameterStore::get(std::string_view name) const
{
    return namedValue(m_values, name);
}

void ListParameterStore::set(const std::string& name, const std::string& value)
{
    setNamedValue(m_values, name, value);
}

} // namespace qv::report
