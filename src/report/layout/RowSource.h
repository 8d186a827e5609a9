#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv::report {

// A field of the rows a data view reads.
struct RowField {
    std::string name;
    int dataType = 0; // connection data-type code; 0 is text
    std::string nullText;
};

struct RowCell {
    bool isNull = true;
    std::string native; // text, or the raw bytes of a fixed-size type
    std::optional<std::string> formatted;
};

using Row = std::vector<RowCell>;

// Where a data view's rows come from: a data connection in a real run, a list in tests.
// Each row is asked for once, in order.
class RowSource {
public:
    virtual ~RowSource() = default;

    // False when the run must stop (the user has been told why).
    virtual bool open() = 0;
    // The fields in the order of a row's cells.
    virtual const std::vector<RowField>& fields() const = 0;
    // False at the end of the data.
    virtual bool first(Row& row) = 0;
    virtual bool next(Row& row) = 0;
    virtual void close() = 0;
};

// Rows held in memory.
class ListRowSource : public RowSource {
public:
    ListRowSource(std::vector<RowField> fields, std::vector<std::vector<std::string>> rows);

    bool open() override;
    const std::vector<RowField>& fields() const override { return m_fields; }
    bool first(Row& row) override;
    bool next(Row& row) override;
    void close() override { }

private:
    bool fill(Row& row);

    std::vector<RowField> m_fields;
    std::vector<std::vector<std::string>> m_rows;
    std::size_t m_index = 0;
};

} // namespace qv::report
