#include "report/data/TRpDataViewLink.h"

#include "report/data/TDataConnectManager.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/EReportPrinter.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

EReportPrinter rowError()
{
    return EReportPrinter("Invalid row in the data buffer.");
}

int32_t rowInt32(const std::vector<uint8_t>& row, size_t offset)
{
    if (offset > row.size() || row.size() - offset < 4)
        throw rowError();
    uint32_t v = row[offset] | (row[offset + 1] << 8) | (row[offset + 2] << 16) | (static_cast<uint32_t>(row[offset + 3]) << 24);
    return static_cast<int32_t>(v);
}

std::string rowBytes(const std::vector<uint8_t>& row, size_t offset, size_t count)
{
    if (offset > row.size() || row.size() - offset < count)
        throw rowError();
    return std::string(reinterpret_cast<const char*>(row.data() + offset), count);
}

std::string rowString(const std::vector<uint8_t>& row, int32_t offset)
{
    int32_t length = rowInt32(row, static_cast<size_t>(offset));
    if (length < 0)
        throw rowError();
    return rowBytes(row, static_cast<size_t>(offset) + 4, static_cast<size_t>(length));
}

} // namespace

std::vector<uint8_t> typedFilterValue(TRPDataType type, const std::string& text)
{
    std::vector<uint8_t> bytes(fixedValueSize(type), 0);
    auto store = [&](const auto& value) { std::memcpy(bytes.data(), &value, std::min(bytes.size(), sizeof value)); };
    switch (type) {
    case TRPDataType::dtInteger:
        store(static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10)));
        break;
    case TRPDataType::dtBoolean:
        bytes[0] = sameText(text, "true") || text == "1" ? 1 : 0;
        break;
    case TRPDataType::dtFloat:
        // 80-bit extended: the significand and exponent bytes of long double on this platform.
        store(static_cast<long double>(std::strtold(text.c_str(), nullptr)));
        break;
    case TRPDataType::dtCurrency:
    case TRPDataType::dtBCD:
        store(static_cast<int64_t>(std::llround(std::strtod(text.c_str(), nullptr) * 10000.0)));
        break;
    case TRPDataType::dtDate:
    case TRPDataType::dtTime:
    case TRPDataType::dtDateTime:
        store(std::strtod(text.c_str(), nullptr));
        break;
    case TRPDataType::dtInt64:
        store(static_cast<int64_t>(std::strtoll(text.c_str(), nullptr, 10)));
        break;
    default:
        break;
    }
    return bytes;
}

std::string fieldReferenceName(const std::string& declaredName)
{
    for (char c : declaredName) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return "<" + declaredName + ">";
    }
    return declaredName;
}

TRpDataViewLink::TRpDataViewLink(TRpDataSystem& system)
    : m_system(system)
{
}

bool TRpDataViewLink::Open()
{
    if (m_active)
        return true;
    m_record = {};
    if (!m_system.Connect(ConnectionName, m_record, Messages))
        return false;
    m_system.Request(m_record, TRpDataAction::Open);
    readColumns(m_system.Request(m_record, TRpDataAction::GetCols));
    matchFields();
    m_active = true;
    m_eof = true;
    return true;
}

void TRpDataViewLink::Close()
{
    if (!m_active)
        return;
    m_active = false;
    m_eof = true;
    if (m_record.lost)
        return; // nobody left to restore; closing also runs while a failed run unwinds
    m_system.Request(m_record, TRpDataAction::Restore);
}

std::vector<TRpDeclaredField> parseDeclaredFields(TRpAnswer& answer)
{
    std::vector<TRpDeclaredField> fields;
    int32_t count = answer.ReadInt32();
    // Every declaration takes at least its 4-byte end mark.
    if (count < 0 || static_cast<size_t>(count) > answer.Remaining() / 4)
        throw EReportPrinter("Invalid answer in the data buffer.");
    for (int32_t i = 0; i < count; ++i) {
        TRpDeclaredField field;
        for (;;) {
            std::string tag = answer.ReadString();
            if (tag.empty())
                break;
            std::string value = answer.ReadString();
            if (tag == "N")
                field.name = value;
            else if (tag == "T")
                field.dataType = dataTypeFromName(value).value_or(TRPDataType::dtString);
            else if (tag == "W")
                field.width = static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 10));
            else if (tag == "L")
                field.fullName = value;
            else if (tag == "D")
                field.description = value;
        }
        fields.push_back(field);
    }
    return fields;
}

void TRpDataViewLink::readColumns(TRpAnswer answer)
{
    m_declared = parseDeclaredFields(answer);
}

void TRpDataViewLink::matchFields()
{
    for (TRpViewField& field : Fields)
        field.rowIndex = -1;
    for (size_t position = 0; position < m_declared.size(); ++position) {
        const TRpDeclaredField& declared = m_declared[position];
        std::string reference = fieldReferenceName(declared.name);
        TRpViewField* found = FindField(reference);
        if (!found)
            continue;
        if (found->dataType != declared.dataType) {
            // A type mismatch leaves the view open but without fields.
            Fields.clear();
            return;
        }
        found->rowIndex = static_cast<int>(position);
    }
}

TRpViewField* TRpDataViewLink::FindField(const std::string& name)
{
    for (TRpViewField& field : Fields) {
        if (sameText(field.fieldName, name))
            return &field;
    }
    return nullptr;
}

void TRpDataViewLink::readRow(TRpAnswer answer)
{
    m_row.clear();
    if (answer.AtEnd() || answer.ReadByte() == 1) {
        m_eof = true;
        return;
    }
    int32_t size = answer.ReadInt32();
    if (size < 0 || static_cast<size_t>(size) > answer.Remaining())
        throw rowError();
    m_row = answer.ReadBytes(static_cast<size_t>(size));
    m_eof = false;
}

void TRpDataViewLink::First()
{
    readRow(m_system.Request(m_record, TRpDataAction::First));
}

void TRpDataViewLink::Next()
{
    readRow(m_system.Request(m_record, TRpDataAction::Next));
}

void TRpDataViewLink::GetRow()
{
    readRow(m_system.Request(m_record, TRpDataAction::GetRow));
}

void TRpDataViewLink::SetFilter(const std::vector<std::pair<std::string, std::string>>& filter)
{
    m_system.BeginRequest(m_record, TRpDataAction::SetFilter);
    for (const auto& [name, value] : filter) {
        const TRpViewField* field = FindField(name);
        const TRpDeclaredField* declared = nullptr;
        if (field && field->rowIndex >= 0 && static_cast<size_t>(field->rowIndex) < m_declared.size())
            declared = &m_declared[static_cast<size_t>(field->rowIndex)];
        m_system.WriteString(declared ? declared->name : name);
        m_system.WriteString("=");
        m_system.WriteString(value);
        if (!field) {
            m_system.WriteInt32(0);
            continue;
        }
        m_system.WriteInt32(static_cast<int32_t>(field->dataType));
        if (isFixedSize(field->dataType)) {
            std::vector<uint8_t> typed = typedFilterValue(field->dataType, value);
            m_system.WriteBytes(typed.data(), typed.size());
        }
    }
    m_system.WriteString("");
    m_system.Request(m_record, TRpDataAction::SetFilter);
}

void TRpDataViewLink::SetSort(const std::vector<std::string>& sortFields)
{
    m_system.BeginRequest(m_record, TRpDataAction::SetSort);
    for (const std::string& name : sortFields)
        m_system.WriteString(name);
    m_system.WriteString("");
    m_system.Request(m_record, TRpDataAction::SetSort);
}

std::vector<std::string> TRpDataViewLink::GetSorts()
{
    TRpAnswer answer = m_system.Request(m_record, TRpDataAction::GetSorts);
    std::vector<std::string> sorts;
    while (!answer.AtEnd()) {
        std::string name = answer.ReadString();
        if (name.empty())
            break;
        sorts.push_back(name);
    }
    return sorts;
}

TRpFieldValue decodeRowField(const std::vector<uint8_t>& row, int rowIndex, TRPDataType type)
{
    TRpFieldValue value;
    if (rowIndex < 0 || row.empty())
        return value;
    size_t slot = static_cast<size_t>(rowIndex) * 8;
    int32_t nativeOffset = rowInt32(row, slot);
    int32_t formattedOffset = rowInt32(row, slot + 4);
    // Negative is null; 0 means the row handler wrote nothing, read as null too.
    if (nativeOffset <= 0)
        return value;
    value.isNull = false;
    if (isFixedSize(type))
        value.native = rowBytes(row, static_cast<size_t>(nativeOffset), fixedValueSize(type));
    else
        value.native = rowString(row, nativeOffset);
    if (formattedOffset > 0)
        value.formatted = rowString(row, formattedOffset);
    return value;
}

TRpFieldValue TRpDataViewLink::FieldValue(const TRpViewField& field) const
{
    if (m_eof)
        return {};
    return decodeRowField(m_row, field.rowIndex, field.dataType);
}

std::string TRpDataViewLink::FieldText(const TRpViewField& field) const
{
    TRpFieldValue value = FieldValue(field);
    if (value.isNull)
        return field.nullText;
    if (value.formatted)
        return *value.formatted;
    return value.native;
}

} // namespace qv
