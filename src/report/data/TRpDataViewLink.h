#pragma once

#include "report/data/TRpDataSystem.h"
#include "report/data/TRPDataType.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// A field component of a data view as the connection logic sees it.
struct TRpViewField {
    std::string fieldName;
    TRPDataType dataType = TRPDataType::dtString;
    std::string nullText;
    int rowIndex = -1; // position in the connection's rows, -1 when not matched
};

// A column as a connection declared it.
struct TRpDeclaredField {
    std::string name;
    TRPDataType dataType = TRPDataType::dtString;
    int32_t width = 0;
    std::string fullName;
    std::string description;
};

// The value of one field in the current row.
struct TRpFieldValue {
    bool isNull = true;
    std::string native;   // text, or the raw bytes of a fixed-size type
    std::optional<std::string> formatted;
};

// Runs a data view's conversation with its connection: connect, Open,
// GetCols and field matching, First/Next/GetRow, filter and sort requests,
// Restore. Rows are copied once into the view's current row.
class TRpDataViewLink {
public:
    explicit TRpDataViewLink(TRpDataSystem& system);

    std::string ConnectionName;
    std::vector<TRpViewField> Fields;
    // Where Open tells the user why a connection cannot be used.
    report::MessageSink Messages;

    // False when the report must be aborted (the user has been told why).
    bool Open();
    void Close();
    bool Active() const { return m_active; }

    void First();
    void Next();
    void GetRow();
    bool Eof() const { return m_eof; }

    // Field name/value pairs compared for equality (sent with the "=" operator).
    void SetFilter(const std::vector<std::pair<std::string, std::string>>& filter);
    void SetSort(const std::vector<std::string>& sortFields);
    std::vector<std::string> GetSorts();

    const std::vector<TRpDeclaredField>& DeclaredFields() const { return m_declared; }
    const std::vector<uint8_t>& CurrentRow() const { return m_row; }

    TRpFieldValue FieldValue(const TRpViewField& field) const;
    // Null text, else the formatted text, else the native text.
    std::string FieldText(const TRpViewField& field) const;
    TRpViewField* FindField(const std::string& name);

private:
    void readColumns(TRpAnswer answer);
    void matchFields();
    void readRow(TRpAnswer answer);

    TRpDataSystem& m_system;
    TRpDataConnection m_record;
    std::vector<TRpDeclaredField> m_declared;
    std::vector<uint8_t> m_row;
    bool m_active = false;
    bool m_eof = true;
};

// Reads a GetCols answer: the count of fields, then their tagged declarations.
std::vector<TRpDeclaredField> parseDeclaredFields(TRpAnswer& answer);

// Reads field rowIndex of a row as the connection wrote it; offsets and
// lengths outside the row raise EReportPrinter.
TRpFieldValue decodeRowField(const std::vector<uint8_t>& row, int rowIndex, TRPDataType type);

// The binary form of a filter value for a fixed-size type.
std::vector<uint8_t> typedFilterValue(TRPDataType type, const std::string& text);

// "<name>" for a name with characters other than letters, digits and "_".
std::string fieldReferenceName(const std::string& declaredName);

} // namespace qv
