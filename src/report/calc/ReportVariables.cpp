#include "report/calc/ReportVariables.h"

#include "report/components/RpPersistent.h"

#include <array>

namespace qv::report {

namespace {

constexpr std::array<const char*, reportVariableCount> names = {
    "DateShort", "DateLong", "DateUS", "DateInter", "TimeShort", "TimeLong", "TimeAMPM", "Time24",
    "FirstPage", "LastPage", "TotalPages", "CurrentPage", "RelativePage", "PrinterName", "DriverName", "PortName",
};

} // namespace

std::optional<int> reportVariableNumber(std::string_view name)
{
    for (int i = 0; i < reportVariableCount; ++i) {
        if (sameText(name, names[i]))
            return i;
    }
    return std::nullopt;
}

const char* reportVariableName(int number)
{
    if (number < 0 || number >= reportVariableCount)
        return "";
    return names[number];
}

} // namespace qv::report
