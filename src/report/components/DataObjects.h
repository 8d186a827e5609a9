#pragma once

#include "report/components/DataFields.h"
#include "report/components/TRpProjectItem.h"

namespace qv::report {

// A project item that supplies or guards data rather than printing.
class TRpDataObject : public TRpProjectItem {
    QV_RP_CLASS_INHERITING(TRpDataObject, TRpProjectItem)

public:
    // Execution copies do not carry this object but take it from their master project.
    virtual bool takenFromMaster() const { return false; }
};

// A data view: a source of rows whose fields are its children.
class TRpBaseDataView : public TRpDataObject {
    QV_RP_CLASS_INHERITING(TRpBaseDataView, TRpDataObject)

public:
    bool acceptsChild(const TRpReportComponent& child) const override;
};

// The master data view a detail follows and the key that links a detail row to the
// master's current row: a part of data views, data bands and data cycles.
class TRpMasterLink {
public:
    QV_RP_REFERENCE(TRpBaseDataView, masterDataView, setMasterDataView)
    QV_RP_MOVED(std::string, masterKey, setMasterKey)

    // MasterDataView, then MasterKey.
    static void declareProperties(PropertyBuilder& builder);

protected:
    ~TRpMasterLink() = default;

    RpRef<TRpBaseDataView> m_masterDataView;
    std::string m_masterKey;
};

// A data view over a data connection named by ConnectionName.
class TRpDataView : public TRpBaseDataView, public TRpMasterLink {
    QV_RP_CLASS(TRpDataView)

public:
    QV_RP_MOVED(std::string, connectionName, setConnectionName)
    QV_RP_MOVED(std::string, detailKey, setDetailKey)
    QV_RP_MOVED(std::string, sortKey, setSortKey)

protected:
    std::string m_connectionName;
    std::string m_detailKey;
    std::string m_sortKey;
};

// A database connection of driver data views.
class TRpDatabase : public TRpDataObject {
    QV_RP_CLASS(TRpDatabase)

public:
    bool takenFromMaster() const override { return true; }

    QV_RP_MOVED(std::string, linkType, setLinkType)
    QV_RP_MOVED(std::string, authDesign, setAuthDesign)
    QV_RP_MOVED(std::string, authRun, setAuthRun)

protected:
    std::string m_linkType;
    std::string m_authDesign;
    std::string m_authRun;
};

// A data view that queries a database connection.
class TRpDriverDataView : public TRpBaseDataView {
    QV_RP_CLASS(TRpDriverDataView)

public:
    QV_RP_REFERENCE(TRpDatabase, database, setDatabase)
    QV_RP_MOVED(std::string, query, setQuery)
    QV_RP_MOVED(std::vector<std::string>, queryParams, setQueryParams)

protected:
    RpRef<TRpDatabase> m_database;
    std::string m_query;
    std::vector<std::string> m_queryParams;
};

// A security controller with its own user list.
class TRpSimpleSecurity : public TRpDataObject {
    QV_RP_CLASS(TRpSimpleSecurity)

public:
    QV_RP_MOVED(std::vector<std::string>, userList, setUserList)
    QV_RP_VALUE(bool, caseMatters, setCaseMatters)

protected:
    std::vector<std::string> m_userList;
    bool m_caseMatters = false;
};

// A security controller that looks users up in a data view.
class TRpLookupSecurity : public TRpDataObject {
    QV_RP_CLASS(TRpLookupSecurity)

public:
    QV_RP_REFERENCE(TRpBaseDataView, dataView, setDataView)
    QV_RP_MOVED(std::string, userField, setUserField)
    QV_RP_MOVED(std::string, passwordField, setPasswordField)
    QV_RP_VALUE(bool, caseMatters, setCaseMatters)

protected:
    RpRef<TRpBaseDataView> m_dataView;
    std::string m_userField;
    std::string m_passwordField;
    bool m_caseMatters = false;
};

} // namespace qv::report
