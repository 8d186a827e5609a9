#include "report/layout/ParameterStore.h"

#include "report/components/RpPersistent.h"

#include <algorithm>

namespace qv::report {

std::string ListParameterStore::get(std::string_view name) const
{
    for (const auto& [key, value] : m_values) {
        if (sameText(key, name))
            return value;
    }
    return {};
}

void ListParameterStore::set(const std::string& name, const std::string& value)
{
    auto it = std::find_if(m_values.begin(), m_values.end(), [&](const auto& entry) { return sameText(entry.first, name); });
    if (value.empty()) {
        if (it != m_values.end())
            m_values.erase(it);
        return;
    }
    if (it != m_values.end())
        it->second = value;
    else
        m_values.emplace_back(name, value);
}

} // namespace qv::report
