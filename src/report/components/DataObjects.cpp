#include "report/components/DataObjects.h"

namespace qv::report {

const PropertyTable& TRpDataObject::classProperties()
{
    return TRpProjectItem::classProperties();
}

const PropertyTable& TRpBaseDataView::classProperties()
{
    return TRpDataObject::classProperties();
}

bool TRpBaseDataView::acceptsChild(const TRpReportComponent& child) const
{
    return dynamic_cast<const TRpDataField*>(&child) != nullptr;
}

const PropertyTable& TRpDataView::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpBaseDataView::classProperties());
        PropertyBuilder(t)
            .string("ConnectionName", &TRpDataView::m_connectionName)
            .reference("MasterDataView", &TRpDataView::m_masterDataView)
            .string("MasterKey", &TRpDataView::m_masterKey)
            .string("DetailKey", &TRpDataView::m_detailKey)
            .string("SortKey", &TRpDataView::m_sortKey);
        return t;
    }();
    return table;
}

const PropertyTable& TRpDatabase::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataObject::classProperties());
        PropertyBuilder(t)
            .string("LinkType", &TRpDatabase::m_linkType)
            .string("AuthDesign", &TRpDatabase::m_authDesign)
            .string("AuthRun", &TRpDatabase::m_authRun);
        return t;
    }();
    return table;
}

const PropertyTable& TRpDriverDataView::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpBaseDataView::classProperties());
        PropertyBuilder(t)
            .reference("Database", &TRpDriverDataView::m_database)
            .string("Query", &TRpDriverDataView::m_query)
            .stringList("QueryParams", &TRpDriverDataView::m_queryParams);
        return t;
    }();
    return table;
}

const PropertyTable& TRpSimpleSecurity::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataObject::classProperties());
        PropertyBuilder(t)
            .stringList("UserList", &TRpSimpleSecurity::m_userList)
            .boolean("CaseMatters", &TRpSimpleSecurity::m_caseMatters, false);
        return t;
    }();
    return table;
}

const PropertyTable& TRpLookupSecurity::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataObject::classProperties());
        PropertyBuilder(t)
            .reference("DataView", &TRpLookupSecurity::m_dataView)
            .string("UserField", &TRpLookupSecurity::m_userField)
            .string("PasswordField", &TRpLookupSecurity::m_passwordField)
            .boolean("CaseMatters", &TRpLookupSecurity::m_caseMatters, false);
        return t;
    }();
    return table;
}

} // namespace qv::report
