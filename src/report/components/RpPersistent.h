#pragma once

#include "report/components/PublishedProperty.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::report {

// Case-insensitive comparison of names (class, component and property names).
using qv::sameText;

// What every persistent class answers about itself.
#define QV_RP_CLASS_IDENTITY(Name)                                                         \
public:                                                                                    \
    static const char* staticClassName() { return #Name; }                                 \
    const char* className() const override { return #Name; }                               \
    const ::qv::report::PropertyTable& properties() const override { return classProperties(); }

// A class that publishes properties of its own; the table is defined in its source file.
#define QV_RP_CLASS(Name)                                                                  \
    QV_RP_CLASS_IDENTITY(Name)                                                             \
    static const ::qv::report::PropertyTable& classProperties();

// A class that publishes exactly what its parent does.
#define QV_RP_CLASS_INHERITING(Name, Parent)                                               \
    QV_RP_CLASS_IDENTITY(Name)                                                             \
    static const ::qv::report::PropertyTable& classProperties() { return Parent::classProperties(); }

// The getter and setter of a published member m_name: name() and setter(value).
// QV_RP_VALUE copies the value; QV_RP_MOVED returns it by reference and moves a new
// one in (texts, lists); QV_RP_REFERENCE hands out the component an RpRef points to.
#define QV_RP_VALUE(Type, name, setter)                                                    \
    Type name() const { return m_##name; }                                                 \
    void setter(Type value) { m_##name = value; }
#define QV_RP_MOVED(Type, name, setter)                                                    \
    const Type& name() const { return m_##name; }                                          \
    void setter(Type value) { m_##name = std::move(value); }
#define QV_RP_REFERENCE(Type, name, setter)                                                \
    Type* name() const { return m_##name.get(); }                                          \
    void setter(Type* value) { m_##name = value; }

// Anything the project format can store: a component or an owned object such as a font.
class RpPersistent {
public:
    virtual ~RpPersistent() = default;

    virtual const char* className() const = 0;
    virtual const PropertyTable& properties() const = 0;
    static const PropertyTable& classProperties();

    // Defined properties carry raw payload bytes instead of a tagged value.
    virtual bool definesProperty(std::string_view) const { return false; }
    virtual void readDefinedProperty(std::string_view, std::vector<std::uint8_t>) { }
    // Name and payload of each defined property that has data to store.
    virtual std::vector<std::pair<std::string, std::vector<std::uint8_t>>> definedPropertyValues() const { return {}; }
};

} // namespace qv::report
