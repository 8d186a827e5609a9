#include "report/components/NamedValues.h"

#include "report/components/RpPersistent.h"

#include <algorithm>

namespace qv::report {

std::string namedValue(const NamedValues& values, std::string_view name)
{
    for (const auto& [key, value] : values) {
        if (sameText(key, name))
            return value;
    }
    return {};
}

void setNamedValue(NamedValues& values, const std::string& name, const std::string& value)
{
    auto it = std::find_if(values.begin(), values.end(), [&](const auto& entry) { return sameText(entry.first, name); });
    if (value.empty()) {
        if (it != values.end())
            values.erase(it);
        return;
    }
    if (it != values.end())
        it->second = value;
    else
        values.emplace_back(name, value);
}

} // namespace qv::report
