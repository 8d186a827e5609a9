#pragma once

#include <optional>
#include <string_view>

namespace qv::report {

// Report variables by name, numbered as the snapshot placeholders number them.
constexpr int rvRelativePage = 12;
constexpr int reportVariableCount = 16;

// Case-insensitive; nullopt for a name that is no report variable.
std::optional<int> reportVariableNumber(std::string_view name);
const char* reportVariableName(int number);

} // namespace qv::report
