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
    TRpBaseDataView* masterDataView() const { return m_masterDataView.get(); }
    void setMasterDataView(TRpBaseDataView* value) { m_masterDataView = value; }
    const std::string& masterKey() const { return m_masterKey; }
    void setMasterKey(std::string value) { m_masterKey = std::move(value); }

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
    const std::string& connectionName() const { return m_connectionName; }
    void setConnectionName(std::string value) { m_connectionName = std::move(value); }
    const std::string& detailKey() const { return m_detailKey; }
    void setDetailKey(std::string value) { m_detailKey = std::move(value); }
    const std::string& sortKey() const { return m_sortKey; }
    void setSortKey(std::string value) { m_sortKey = std::move(value); }

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

    const std::string& linkType() const { return m_linkType; }
    void setLinkType(std::string value) { m_linkType = std::move(value); }
    const std::string& authDesign() const { return m_authDesign; }
    void setAuthDesign(std::string value) { m_authDesign = std::move(value); }
    const std::string& authRun() const { return m_authRun; }
    void setAuthRun(std::string value) { m_authRun = std::move(value); }

protected:
    std::string m_linkType;
    std::string m_authDesign;
    std::string m_authRun;
};

// A data view that queries a database connection.
class TRpDriverDataView : public TRpBaseDataView {
    QV_RP_CLASS(TRpDriverDataView)

public:
    TRpDatabase* database() const { return m_database.get(); }
    void setDatabase(TRpDatabase* value) { m_database = value; }
    const std::string& query() const { return m_query; }
    void setQuery(std::string value) { m_query = std::move(value); }
    const std::vector<std::string>& queryParams() const { return m_queryParams; }
    void setQueryParams(std::vector<std::string> value) { m_queryParams = std::move(value); }

protected:
    RpRef<TRpDatabase> m_database;
    std::string m_query;
    std::vector<std::string> m_queryParams;
};

// A security controller with its own user list.
class TRpSimpleSecurity : public TRpDataObject {
    QV_RP_CLASS(TRpSimpleSecurity)

public:
    const std::vector<std::string>& userList() const { return m_userList; }
    void setUserList(std::vector<std::string> value) { m_userList = std::move(value); }
    bool caseMatters() const { return m_caseMatters; }
    void setCaseMatters(bool value) { m_caseMatters = value; }

protected:
    std::vector<std::string> m_userList;
    bool m_caseMatters = false;
};

// A security controller that looks users up in a data view.
class TRpLookupSecurity : public TRpDataObject {
    QV_RP_CLASS(TRpLookupSecurity)

public:
    TRpBaseDataView* dataView() const { return m_dataView.get(); }
    void setDataView(TRpBaseDataView* value) { m_dataView = value; }
    const std::string& userField() const { return m_userField; }
    void setUserField(std::string value) { m_userField = std::move(value); }
    const std::string& passwordField() const { return m_passwordField; }
    void setPasswordField(std::string value) { m_passwordField = std::move(value); }
    bool caseMatters() const { return m_caseMatters; }
    void setCaseMatters(bool value) { m_caseMatters = value; }

protected:
    RpRef<TRpBaseDataView> m_dataView;
    std::string m_userField;
    std::string m_passwordField;
    bool m_caseMatters = false;
};

} // namespace qv::report
