#pragma once

#include "report/components/DataObjects.h"
#include "report/data/TRpDataViewSource.h"
#include "report/layout/RowSource.h"

namespace qv {

// The rows of a project's data view, read through the data connection it names.
class ConnectionRowSource : public report::RowSource {
public:
    // messages: where the user is told why a connection cannot be used.
    ConnectionRowSource(report::TRpDataView& view, TRpDataSystem& system, report::MessageSink messages);

    bool open() override;
    const std::vector<report::RowField>& fields() const override { return m_fields; }
    bool first(report::Row& row) override;
    bool next(report::Row& row) override;
    void close() override;

private:
    bool fill(report::Row& row);

    TRpDataViewSource m_source;
    std::vector<report::RowField> m_fields;
};

} // namespace qv
