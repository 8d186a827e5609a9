#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace qv {

enum class TRPDataType {
    dtString = 0,
    dtInteger = 1,
    dtBoolean = 2,
    dtFloat = 3,
    dtCurrency = 4,
    dtBCD = 5,
    dtDate = 6,
    dtTime = 7,
    dtDateTime = 8,
    dtBlob = 9,
    dtMemo = 10,
    dtGraphic = 11,
    dtInt64 = 12,
};

constexpr int kDataTypeCount = 13;

// Bytes of a fixed-size value; 0 for the length-prefixed types.
size_t fixedValueSize(TRPDataType type);
bool isFixedSize(TRPDataType type);
// "dtInteger" and so on.
std::string dataTypeName(TRPDataType type);
std::optional<TRPDataType> dataTypeFromName(const std::string& name);
std::optional<TRPDataType> dataTypeFromCode(int code);

} // namespace qv
