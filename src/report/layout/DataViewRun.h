#pragma once

#include "report/calc/ExpressionContext.h"
#include "report/layout/RowSource.h"

#include <deque>
#include <memory>
#include <optional>

namespace qv::report {

// A data view during a run: opened at its first use, read with First and Next, and able
// to look ahead: in saved state the rows it fetches are kept and replayed once the state
// is restored, so every row comes from the source only once.
class DataViewRun {
public:
    explicit DataViewRun(std::unique_ptr<RowSource> source);

    // False when the source could not be opened.
    bool open();
    bool isOpen() const { return m_open; }
    void close();

    void first();
    void next();
    bool eof() const;
    // Moves on without fetching rows twice; increases with every move.
    long position() const { return m_position; }

    void saveState();
    void restoreState();
    bool saving() const { return m_saving; }

    std::optional<FieldRead> readField(std::string_view name) const;
    // The next row, fetched early when needed (group footers compare it).
    std::optional<FieldRead> readFieldAhead(std::string_view name);
    bool eofAhead();

private:
    const Row* current() const;
    const Row* ahead();
    std::optional<FieldRead> fieldOf(const Row* row, std::string_view name) const;
    void fetch(bool fromStart);
    int fieldIndex(std::string_view name) const;

    std::unique_ptr<RowSource> m_source;
    bool m_open = false;
    bool m_started = false;
    // Rows fetched from m_base on; a missing row at the end marks the end of the data.
    std::deque<std::optional<Row>> m_rows;
    long m_base = 0;
    long m_position = 0;
    bool m_saving = false;
    long m_savedPosition = 0;
};

// The number a raw fixed-size value stands for.
long double fixedValueNumber(int dataType, const std::string& bytes);

} // namespace qv::report
