#include "runtime/core/DisplayFormat.h"
#include "runtime/core/RegionalSettings.h"

#include <cstdint>
#include <cstring>
#include <string>

// Display patterns come from report project files: eight bytes of value, then any
// bytes as the pattern, formatted as a number and as a date-time under plain and
// many-byte regional settings.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    std::string const pattern(reinterpret_cast<const char*>(data) + sizeof value, size - sizeof value);

    qv::RegionalSettings unusual = qv::RegionalSettings::posix();
    unusual.decimalSeparator = ',';
    unusual.thousandSeparator = "\xE2\x80\xAF";
    unusual.grouping = {3, 2};
    unusual.shortTimeFormat = pattern; // a time format that may name itself
    unusual.longDateFormat = pattern;
    for (const qv::RegionalSettings& settings : {qv::RegionalSettings::posix(), unusual}) {
        qv::ScopedRegionalSettings region(settings);
        if (qv::formatFloat(pattern, value).size() > 100000)
            __builtin_trap();
        (void)qv::formatDateTime(pattern, value);
        (void)qv::formatRegionalDate(pattern, value);
    }
    return 0;
}
