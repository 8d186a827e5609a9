#pragma once

#include <memory>

namespace qv::report {

class TRpReportComponent;

// Identity of a live component; the component clears it when it is destroyed, so every
// reference to it reads as none from then on.
using ComponentHandle = std::shared_ptr<TRpReportComponent*>;

ComponentHandle handleOf(TRpReportComponent* component);

// A reference from one component to another that never dangles.
template<class T>
class RpRef {
public:
    RpRef() = default;
    RpRef(T* target) { *this = target; }

    RpRef& operator=(T* target)
    {
        m_handle = target ? handleOf(target) : nullptr;
        return *this;
    }

    T* get() const { return m_handle && *m_handle ? static_cast<T*>(*m_handle) : nullptr; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    ComponentHandle m_handle;
};

} // namespace qv::report
