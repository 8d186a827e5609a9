#include "report/components/DataObjects.h"

namespace qv::report {

bool TRpBaseDataView::acceptsChild(const TRpReportComponent& child) const
{
    return dynamic_cast<const TRpDataField*>(&child) != nullptr;
}

void TRpMasterLink::declareProperties(PropertyBuilder& builder)
{
    builder.reference("MasterDataView", &TRpMasterLink::m_masterDataView).string("MasterKey", &TRpMasterLink::m_masterKey);
}

const PropertyTable& TRpDataView::classProperties()
{
    return derivedTable(TRpBaseDataView::classProperties(), [](PropertyBuilder& b) {
        b.string("ConnectionName", &TRpDataView::m_connectionName)
            .part(TRpMasterLink::declareProperties)
            .string("DetailKey", &TRpDataView::m_detailKey)
            .string("SortKey", &TRpDataView::m_sortKey);
    });
}

const PropertyTable& TRpDatabase::classProperties()
{
    return derivedTable(TRpDataObject::classProperties(), [](PropertyBuilder& b) {
        b.string("LinkType", &TRpDatabase::m_linkType)
            .string("AuthDesign", &TRpDatabase::m_authDesign)
            .string("AuthRun", &TRpDatabase::m_authRun);
    });
}

const PropertyTable& TRpDriverDataView::classProperties()
{
    return derivedTable(TRpBaseDataView::classProperties(), [](PropertyBuilder& b) {
        b.reference("Database", &TRpDriverDataView::m_database)
            .string("Query", &TRpDriverDataView::m_query)
            .stringList("QueryParams", &TRpDriverDataView::m_queryParams);
    });
}

const PropertyTable& TRpSimpleSecurity::classProperties()
{
    return derivedTable(TRpDataObject::classProperties(), [](PropertyBuilder& b) {
        b.stringList("UserList", &TRpSimpleSecurity::m_userList)
            .boolean("CaseMatters", &TRpSimpleSecurity::m_caseMatters, false);
    });
}

const PropertyTable& TRpLookupSecurity::classProperties()
{
    return derivedTable(TRpDataObject::classProperties(), [](PropertyBuilder& b) {
        b.reference("DataView", &TRpLookupSecurity::m_dataView)
            .string("UserField", &TRpLookupSecurity::m_userField)
            .string("PasswordField", &TRpLookupSecurity::m_passwordField)
            .boolean("CaseMatters", &TRpLookupSecurity::m_caseMatters, false);
    });
}

} // namespace qv::report
