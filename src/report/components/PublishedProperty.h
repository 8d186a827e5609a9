#pragma once

#include "report/components/RpRef.h"
#include "runtime/core/Text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qv::report {

class RpPersistent;
class TRpReportComponent;

// The object that holds a published member: the persistent object itself, or a part
// that several classes share (reached by a cross cast, as it is no persistent object).
template<class M, class P>
auto& holder(P& object)
{
    using Holder = std::conditional_t<std::is_const_v<P>, const M, M>;
    if constexpr (std::is_base_of_v<RpPersistent, M>)
        return static_cast<Holder&>(object);
    else
        return dynamic_cast<Holder&>(object);
}

// The names of an enumeration or of the members of a set, in ordinal order.
struct EnumType {
    std::vector<std::string> names;

    // -1 when the name is none of them (compared case-insensitively).
    int indexOf(std::string_view name) const;
};

extern const EnumType BooleanType;

enum class PropertyType {
    Integer,
    Char,
    Enumeration,
    Set,
    Float,
    String,
    Object,
    Reference,
    ReferenceList,
};

// One published property: what the generic project reader and writer see of a member.
struct PublishedProperty {
    std::string name;
    PropertyType type = PropertyType::Integer;
    const EnumType* enumType = nullptr;
    // Integers, characters, enumerations and sets are written only when they differ from
    // the declared default; without one they compare against the smallest 32-bit integer,
    // so in practice they are always written.
    std::optional<std::int64_t> ordinalDefault;
    bool stored = true;
    bool writable = true;

    std::function<std::int64_t(const RpPersistent&)> getOrdinal;
    std::function<void(RpPersistent&, std::int64_t)> setOrdinal;
    std::function<long double(const RpPersistent&)> getFloat;
    std::function<void(RpPersistent&, long double)> setFloat;
    std::function<std::string(const RpPersistent&)> getString;
    std::function<void(RpPersistent&, const std::string&)> setString;
    std::function<RpPersistent*(RpPersistent&)> object;
    std::function<TRpReportComponent*(const RpPersistent&)> getReference;
    // Returns false when the component is of a class the property cannot hold.
    std::function<bool(RpPersistent&, TRpReportComponent*)> setReference;
    std::function<std::vector<TRpReportComponent*>(const RpPersistent&)> getReferences;
    std::function<void(RpPersistent&, const std::vector<TRpReportComponent*>&)> setReferences;
};

// The published properties of a class, its ancestors' first; a class may redeclare an
// inherited property (to change its default), which keeps the inherited position.
class PropertyTable {
public:
    explicit PropertyTable(const PropertyTable* parent = nullptr);

    void add(PublishedProperty property);
    const PublishedProperty* find(std::string_view name) const;
    const std::vector<PublishedProperty>& all() const { return m_properties; }

private:
    std::vector<PublishedProperty> m_properties;
};

std::string joinLines(const std::vector<std::string>& lines);
using qv::splitLines;

// Declares properties over plain data members.
class PropertyBuilder {
public:
    explicit PropertyBuilder(PropertyTable& table)
        : m_table(table)
    {
    }

    template<class M, class I>
    PropertyBuilder& integer(const char* name, I M::*member, std::optional<std::int64_t> defaultValue = std::nullopt)
    {
        PublishedProperty p = ordinal(name, PropertyType::Integer, defaultValue);
        p.getOrdinal = [member](const RpPersistent& o) { return std::int64_t(holder<M>(o).*member); };
        p.setOrdinal = [member](RpPersistent& o, std::int64_t v) { holder<M>(o).*member = I(v); };
        return add(std::move(p));
    }

    template<class M>
    PropertyBuilder& boolean(const char* name, bool M::*member, bool defaultValue)
    {
        PublishedProperty p = ordinal(name, PropertyType::Enumeration, defaultValue ? 1 : 0);
        p.enumType = &BooleanType;
        p.getOrdinal = [member](const RpPersistent& o) { return std::int64_t(holder<M>(o).*member); };
        p.setOrdinal = [member](RpPersistent& o, std::int64_t v) { holder<M>(o).*member = v != 0; };
        return add(std::move(p));
    }

    template<class M, class E>
    PropertyBuilder& enumeration(const char* name, E M::*member, const EnumType& type, E defaultValue)
    {
        PublishedProperty p = ordinal(name, PropertyType::Enumeration, std::int64_t(defaultValue));
        p.enumType = &type;
        p.getOrdinal = [member](const RpPersistent& o) { return std::int64_t(holder<M>(o).*member); };
        p.setOrdinal = [member](RpPersistent& o, std::int64_t v) { holder<M>(o).*member = E(v); };
        return add(std::move(p));
    }

    template<class M>
    PropertyBuilder& set(const char* name, std::uint32_t M::*member, const EnumType& type,
        std::optional<std::int64_t> defaultValue = std::nullopt)
    {
        PublishedProperty p = ordinal(name, PropertyType::Set, defaultValue);
        p.enumType = &type;
        p.getOrdinal = [member](const RpPersistent& o) { return std::int64_t(holder<M>(o).*member); };
        p.setOrdinal = [member](RpPersistent& o, std::int64_t v) { holder<M>(o).*member = std::uint32_t(v); };
        return add(std::move(p));
    }

    template<class M, class F>
    PropertyBuilder& floating(const char* name, F M::*member)
    {
        PublishedProperty p = make(name, PropertyType::Float);
        p.getFloat = [member](const RpPersistent& o) { return static_cast<long double>(holder<M>(o).*member); };
        p.setFloat = [member](RpPersistent& o, long double v) { holder<M>(o).*member = F(v); };
        return add(std::move(p));
    }

    template<class M>
    PropertyBuilder& string(const char* name, std::string M::*member)
    {
        PublishedProperty p = make(name, PropertyType::String);
        p.getString = [member](const RpPersistent& o) { return holder<M>(o).*member; };
        p.setString = [member](RpPersistent& o, const std::string& v) { holder<M>(o).*member = v; };
        return add(std::move(p));
    }

    // A list of lines, stored as one text with a line break after every line.
    template<class M>
    PropertyBuilder& stringList(const char* name, std::vector<std::string> M::*member)
    {
        PublishedProperty p = make(name, PropertyType::String);
        p.getString = [member](const RpPersistent& o) { return joinLines(holder<M>(o).*member); };
        p.setString = [member](RpPersistent& o, const std::string& v) { holder<M>(o).*member = splitLines(v); };
        return add(std::move(p));
    }

    template<class M, class T>
    PropertyBuilder& object(const char* name, T M::*member)
    {
        PublishedProperty p = make(name, PropertyType::Object);
        p.object = [member](RpPersistent& o) -> RpPersistent* { return &(holder<M>(o).*member); };
        return add(std::move(p));
    }

    template<class M, class T>
    PropertyBuilder& reference(const char* name, RpRef<T> M::*member)
    {
        PublishedProperty p = make(name, PropertyType::Reference);
        p.getReference = [member](const RpPersistent& o) -> TRpReportComponent* { return (holder<M>(o).*member).get(); };
        p.setReference = [member](RpPersistent& o, TRpReportComponent* target) {
            auto* typed = dynamic_cast<T*>(target);
            holder<M>(o).*member = typed;
            return typed != nullptr || target == nullptr;
        };
        return add(std::move(p));
    }

    template<class M, class T>
    PropertyBuilder& referenceList(const char* name, std::vector<RpRef<T>> M::*member)
    {
        PublishedProperty p = make(name, PropertyType::ReferenceList);
        p.getReferences = [member](const RpPersistent& o) {
            std::vector<TRpReportComponent*> targets;
            for (auto& ref : holder<M>(o).*member)
                targets.push_back(ref.get());
            return targets;
        };
        p.setReferences = [member](RpPersistent& o, const std::vector<TRpReportComponent*>& targets) {
            auto& list = holder<M>(o).*member;
            list.clear();
            for (auto* target : targets)
                list.emplace_back(dynamic_cast<T*>(target));
        };
        return add(std::move(p));
    }

    // Declares the properties of a part that several classes share, in its order.
    PropertyBuilder& part(void (*declare)(PropertyBuilder&))
    {
        declare(*this);
        return *this;
    }

    // Applies to the property declared last.
    PropertyBuilder& notStored();

private:
    static PublishedProperty make(const char* name, PropertyType type)
    {
        PublishedProperty property;
        property.name = name;
        property.type = type;
        return property;
    }

    static PublishedProperty ordinal(const char* name, PropertyType type, std::optional<std::int64_t> defaultValue)
    {
        PublishedProperty property = make(name, type);
        property.ordinalDefault = defaultValue;
        return property;
    }

    PropertyBuilder& add(PublishedProperty property);

    PropertyTable& m_table;
    std::string m_last;
};

// A class's table: its parent's properties, then those declare adds, built once on first
// use. Every call site passes a lambda of its own type, so every class keeps its own table.
template<class Declare>
const PropertyTable& derivedTable(const PropertyTable& parent, Declare declare)
{
    static_assert(std::is_class_v<Declare>, "a function pointer would share one table between classes");
    static const PropertyTable table = [&] {
        PropertyTable t(&parent);
        PropertyBuilder builder(t);
        declare(builder);
        return t;
    }();
    return table;
}

} // namespace qv::report
