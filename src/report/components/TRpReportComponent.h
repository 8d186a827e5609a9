#pragma once

#include "report/components/RpPersistent.h"
#include "report/components/RpRef.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv::report {

class TRpProjectItem;

// Base of every component a report project holds: a name, a parent that owns it, the
// children it owns, and the published properties the project format stores.
class TRpReportComponent : public RpPersistent {
    QV_RP_CLASS(TRpReportComponent)

public:
    TRpReportComponent();
    ~TRpReportComponent() override;
    TRpReportComponent(const TRpReportComponent&) = delete;
    TRpReportComponent& operator=(const TRpReportComponent&) = delete;

    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }

    TRpReportComponent* parent() const { return m_parent; }
    // The project item whose components this one belongs to (its page, report or data
    // object); for an item, the item that holds it (a report for its pages, else the project).
    virtual TRpProjectItem* ownerItem() const;

    const std::vector<std::unique_ptr<TRpReportComponent>>& children() const { return m_children; }
    virtual bool acceptsChild(const TRpReportComponent&) const { return false; }
    TRpReportComponent* addChild(std::unique_ptr<TRpReportComponent> child);
    std::unique_ptr<TRpReportComponent> removeChild(TRpReportComponent* child);

    // Depth-first over the children, not the component itself.
    void forEachDescendant(const std::function<void(TRpReportComponent&)>& visit) const;
    TRpReportComponent* findDescendant(std::string_view name) const;

    virtual bool isProjectItem() const { return false; }

    // Called once the whole project has loaded and every reference is resolved.
    virtual void loaded() { }

    bool locked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }
    bool devLocked() const { return m_devLocked; }
    void setDevLocked(bool locked) { m_devLocked = locked; }

    const ComponentHandle& handle() const { return m_handle; }

protected:
    bool m_locked = false;
    bool m_devLocked = false;

private:
    std::string m_name;
    TRpReportComponent* m_parent = nullptr;
    std::vector<std::unique_ptr<TRpReportComponent>> m_children;
    ComponentHandle m_handle;
};

} // namespace qv::report
