#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::report {

// Values by name (names compared case-insensitively), in the order they were first set.
using NamedValues = std::vector<std::pair<std::string, std::string>>;

// The value set for the name, or an empty text.
std::string namedValue(const NamedValues& values, std::string_view name);

// An empty value removes the name.
void setNamedValue(NamedValues& values, const std::string& name, const std::string& value);

} // namespace qv::report
