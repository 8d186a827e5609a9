#pragma once

#include "report/data/TRpDataViewLink.h"

#include <string>
#include <vector>

namespace qv::report {
class TRpDataView;
class TRpDataField;
} // namespace qv::report

namespace qv {

// Feeds a project's data view from the connection its ConnectionName names;
// its TRpDataField children are matched to the declared columns.
class TRpDataViewSource {
public:
    TRpDataViewSource(report::TRpDataView& view, TRpDataSystem& system);

    // False when the report must be aborted (the user has been told why).
    bool Open();
    void Close() { m_link.Close(); }
    bool Active() const { return m_link.Active(); }
    void First() { m_link.First(); }
    void Next() { m_link.Next(); }
    void GetRow() { m_link.GetRow(); }
    bool Eof() const { return m_link.Eof(); }

    // The field's text in the current row: its null text when null or not matched.
    std::string FieldText(const report::TRpDataField& field) const;
    // A field of the view by FieldName (case-insensitive), nullptr when none.
    report::TRpDataField* FindField(const std::string& fieldName) const;
    // The row position a field was matched to, -1 when it was not.
    int RowIndexOf(const report::TRpDataField& field) const;

    TRpDataViewLink& Link() { return m_link; }

private:
    const TRpViewField* linkFieldOf(const report::TRpDataField& field) const;

    report::TRpDataView& m_view;
    TRpDataViewLink m_link;
    std::vector<report::TRpDataField*> m_fields; // parallel to the link's fields
};

} // namespace qv
