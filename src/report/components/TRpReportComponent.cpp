#include "report/components/TRpReportComponent.h"

#include "report/components/TRpProjectItem.h"

#include <algorithm>
#include <cctype>

namespace qv::report {

const PropertyTable& RpPersistent::classProperties()
{
    static const PropertyTable table;
    return table;
}

ComponentHandle handleOf(TRpReportComponent* component)
{
    return component->handle();
}

const PropertyTable& TRpReportComponent::classProperties()
{
    return derivedTable(RpPersistent::classProperties(), [](PropertyBuilder& b) {
        b.boolean("Locked", &TRpReportComponent::m_locked, false)
            .boolean("DevLocked", &TRpReportComponent::m_devLocked, false);
    });
}

TRpReportComponent::TRpReportComponent()
    : m_handle(std::make_shared<TRpReportComponent*>(this))
{
}

TRpReportComponent::~TRpReportComponent()
{
    // Children go first so that references between siblings never see a half-destroyed
    // component.
    while (!m_children.empty())
        m_children.pop_back();
    *m_handle = nullptr;
}

TRpProjectItem* TRpReportComponent::ownerItem() const
{
    for (auto* up = m_parent; up; up = up->m_parent) {
        if (up->isProjectItem())
            return static_cast<TRpProjectItem*>(up);
    }
    return nullptr;
}

TRpReportComponent* TRpReportComponent::addChild(std::unique_ptr<TRpReportComponent> child)
{
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

std::unique_ptr<TRpReportComponent> TRpReportComponent::removeChild(TRpReportComponent* child)
{
    auto it = std::find_if(m_children.begin(), m_children.end(), [&](auto& c) { return c.get() == child; });
    if (it == m_children.end())
        return nullptr;
    auto removed = std::move(*it);
    m_children.erase(it);
    removed->m_parent = nullptr;
    return removed;
}

void TRpReportComponent::forEachDescendant(const std::function<void(TRpReportComponent&)>& visit) const
{
    for (auto& child : m_children) {
        visit(*child);
        child->forEachDescendant(visit);
    }
}

TRpReportComponent* TRpReportComponent::findDescendant(std::string_view name) const
{
    for (auto& child : m_children) {
        if (sameText(child->name(), name))
            return child.get();
        if (auto* found = child->findDescendant(name))
            return found;
    }
    return nullptr;
}

} // namespace qv::report
