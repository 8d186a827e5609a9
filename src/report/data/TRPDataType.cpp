#include "report/data/TRPDataType.h"

namespace qv {

namespace {

constexpr const char* kNames[kDataTypeCount] = {
    "dtString", "dtInteger", "dtBoolean", "dtFloat", "dtCurrency", "dtBCD", "dtDate",
    "dtTime", "dtDateTime", "dtBlob", "dtMemo", "dtGraphic", "dtInt64",
};

constexpr size_t kFixedSizes[kDataTypeCount] = { 0, 4, 1, 10, 8, 8, 8, 8, 8, 0, 0, 0, 8 };

} // namespace

size_t fixedValueSize(TRPDataType type)
{
    return kFixedSizes[static_cast<int>(type)];
}

bool isFixedSize(TRPDataType type)
{
    return fixedValueSize(type) > 0;
}

std::string dataTypeName(TRPDataType type)
{
    return kNames[static_cast<int>(type)];
}

std::optional<TRPDataType> dataTypeFromName(const std::string& name)
{
    for (int code = 0; code < kDataTypeCount; ++code) {
        if (name == kNames[code])
            return static_cast<TRPDataType>(code);
    }
    return std::nullopt;
}

std::optional<TRPDataType> dataTypeFromCode(int code)
{
    if (code < 0 || code >= kDataTypeCount)
        return std::nullopt;
    return static_cast<TRPDataType>(code);
}

} // namespace qv
