#pragma once

#include "report/components/TRpReportComponent.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv::report {

using ComponentFactory = std::function<std::unique_ptr<TRpReportComponent>()>;

struct RegisteredClass {
    std::string group;
    std::string name;
    ComponentFactory create;
};

// Turns the class names a project file holds into components.
class RpClassRegistry {
public:
    static RpClassRegistry& instance();

    // A later registration of the same name replaces the earlier one.
    void registerClass(std::string group, std::string name, ComponentFactory factory);

    template<class T>
    void registerClass(std::string group)
    {
        registerClass(std::move(group), T::staticClassName(), [] { return std::make_unique<T>(); });
    }

    // Case-insensitive; nullptr for a class nobody registered.
    const RegisteredClass* find(std::string_view name) const;
    std::vector<const RegisteredClass*> classesOf(std::string_view group) const;

private:
    std::vector<RegisteredClass> m_classes;
};

// Registers every component class a report project may contain. Runs its registrations
// once, however often it is called.
void registerReportClasses();

} // namespace qv::report
