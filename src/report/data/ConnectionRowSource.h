#pragma once

#include "report/data/TRpDataViewLink.h"
#include "report/layout/RowSource.h"

#include <memory>

namespace qv::report {
class TRpBaseDataView;
class TRpDataView;
} // namespace qv::report

namespace qv {

// The rows of a project's data view, read from the custom connection its
// ConnectionName names; cells follow the order of the view's data fields.
class ConnectionRowSource final : public report::RowSource {
public:
    explicit ConnectionRowSource(const report::TRpDataView& view, TRpDataSystem& system = TRpDataSystem::Instance());

    bool open() override;
    const std::vector<report::RowField>& fields() const override { return m_fields; }
    bool first(report::Row& row) override;
    bool next(report::Row& row) override;
    void close() override { m_link.Close(); }

private:
    bool fill(report::Row& row) const;

    const report::TRpDataView& m_view;
    TRpDataViewLink m_link;
    std::vector<report::RowField> m_fields;
};

// For the layout's row-source factory: a connection source for a TRpDataView,
// nullptr for any other kind of view.
std::unique_ptr<report::RowSource> makeConnectionRowSource(const report::TRpBaseDataView& view);

} // namespace qv
