#include "report/project/ProjectSaver.h"

#include "report/project/ReportErrors.h"
#include "report/project/TRpProjectManager.h"

#include <algorithm>
#include <climits>
#include <initializer_list>

namespace qv::report {

namespace {

constexpr std::uint32_t LargestCountValue = 268'435'455;

void writeInteger(ProjectWriter& writer, std::int64_t value)
{
    if (value >= 0 && value <= LargestCountValue) {
        writer.writeByte(1);
        writer.writeCount(std::uint32_t(value));
    } else if (value < 0 && value >= -std::int64_t(LargestCountValue)) {
        writer.writeByte(2);
        writer.writeCount(std::uint32_t(-value));
    } else {
        writer.writeByte(3);
        writer.writeInt32(std::int32_t(value));
    }
}

// A property declared without a default compares against the smallest 32-bit integer.
bool atDefault(const PublishedProperty& property, std::int64_t value)
{
    return value == property.ordinalDefault.value_or(INT32_MIN);
}

void forEachComponent(const TRpReportComponent& root, const std::function<void(const TRpReportComponent&)>& visit)
{
    visit(root);
    root.forEachDescendant([&](TRpReportComponent& c) { visit(c); });
}

} // namespace

ProjectSaver::ProjectSaver(const TRpProjectManager& project, BlockMethod method)
    : m_project(project)
    , m_method(method)
{
}

Bytes ProjectSaver::saveProject()
{
    ProjectWriter writer;
    auto* active = m_project.activeReport();
    writeHeader(writer, active ? active->name() : m_project.lastActiveReport());
    writeItems(writer, nullptr);
    return writer.take();
}

Bytes ProjectSaver::saveReport(const TRpReport& report)
{
    m_executionCopy = true;
    ProjectWriter writer;
    writeHeader(writer, report.name());
    auto only = dependenciesOf(report);
    only.insert(&report);
    writeItems(writer, &only);
    return writer.take();
}

void ProjectSaver::writeHeader(ProjectWriter& writer, const std::string& lastActiveReport)
{
    writer.writeBytes(std::vector<std::uint8_t> { 'R', 'A', 'V', 0x1A });
    writer.writeInt32(ProjectVersion);
    writer.writeByte(0);
    writer.writeCount(std::uint32_t(m_project.modules().size()));
    for (auto& module : m_project.modules()) {
        writer.writeString(module.name);
        writer.writeBlock(m_method, module.bytes);
    }
    writer.writeString(lastActiveReport);
    m_item = &m_project;
    writeRecord(writer, m_project, false);
}

void ProjectSaver::writeItems(ProjectWriter& writer, const std::set<const TRpProjectItem*>* only)
{
    // Each item wanted: its tag and heading, then its record in a block of its own.
    auto writeItem = [&](const TRpProjectItem& item, std::uint8_t tag, std::initializer_list<std::string> heading, auto writeBody) {
        if (only && !only->count(&item))
            return;
        ProjectWriter block;
        writeBody(block);
        writer.writeByte(tag);
        for (const std::string& text : heading)
            writer.writeString(text);
        writer.writeBlock(m_method, block.bytes());
    };
    for (auto& object : m_project.dataObjects()) {
        writeItem(*object, 6, {object->name(), object->className()}, [&](ProjectWriter& block) {
            m_item = object.get();
            writeRecord(block, *object, true);
        });
    }
    for (auto& page : m_project.globalPages()) {
        writeItem(*page, 3, {page->name()}, [&](ProjectWriter& block) {
            m_item = page.get();
            writeRecord(block, *page, true);
        });
    }
    for (auto& report : m_project.reports())
        writeItem(*report, 4, {report->name()}, [&](ProjectWriter& block) { writeReport(block, *report); });
}

void ProjectSaver::writeReport(ProjectWriter& writer, const TRpReport& report)
{
    writer.writeString(report.lastActivePage());
    writer.writeCount(std::uint32_t(report.pages().size()));
    for (auto& page : report.pages()) {
        writer.writeByte(0);
        writer.writeString(page->name());
    }
    auto globalPages = globalPagesUsedBy(report);
    writer.writeCount(std::uint32_t(globalPages.size()));
    for (auto& name : globalPages)
        writer.writeString(name);
    m_item = &report;
    writeRecord(writer, report, false);
    for (auto& page : report.pages()) {
        ProjectWriter block;
        m_item = page.get();
        writeRecord(block, *page, true);
        writer.writeBlock(m_method, block.bytes());
    }
}

void ProjectSaver::writeRecord(ProjectWriter& writer, const TRpReportComponent& component, bool withChildren)
{
    writer.writeByte(0);
    writer.writeString(component.className());
    writer.writeString(component.name());
    writer.writeByte(8);
    writePropertyList(writer, component);
    if (!withChildren) {
        writer.writeCount(0);
        return;
    }
    writer.writeCount(std::uint32_t(component.children().size()));
    for (auto& child : component.children())
        writeRecord(writer, *child, true);
}

void ProjectSaver::writePropertyList(ProjectWriter& writer, const RpPersistent& object)
{
    // A component's name is in its record header; owned objects such as fonts store
    // their Name like any other property.
    bool isComponent = dynamic_cast<const TRpReportComponent*>(&object) != nullptr;
    for (auto& property : object.properties().all()) {
        if (!property.stored || !property.writable || (isComponent && sameText(property.name, "Name")))
            continue;
        auto& mutableObject = const_cast<RpPersistent&>(object);
        switch (property.type) {
        case PropertyType::Integer:
        case PropertyType::Char: {
            auto value = property.getOrdinal(object);
            if (atDefault(property, value))
                break;
            writer.writeString(property.name);
            if (property.type == PropertyType::Char) {
                writer.writeByte(4);
                writer.writeByte(std::uint8_t(value));
            } else {
                writeInteger(writer, value);
            }
            break;
        }
        case PropertyType::Enumeration: {
            auto value = property.getOrdinal(object);
            if (atDefault(property, value) || value < 0
                || std::size_t(value) >= property.enumType->names.size())
                break;
            writer.writeString(property.name);
            writer.writeByte(0);
            writer.writeString(property.enumType->names[std::size_t(value)]);
            break;
        }
        case PropertyType::Set: {
            auto value = property.getOrdinal(object);
            if (atDefault(property, value))
                break;
            writer.writeString(property.name);
            writer.writeByte(7);
            for (std::size_t bit = 0; bit < property.enumType->names.size(); ++bit) {
                if (value & (std::int64_t(1) << bit))
                    writer.writeString(property.enumType->names[bit]);
            }
            writer.writeString("");
            break;
        }
        case PropertyType::Float:
            writer.writeString(property.name);
            writer.writeByte(5);
            writer.writeExtended(property.getFloat(object));
            break;
        case PropertyType::String: {
            auto value = property.getString(object);
            if (value.empty())
                break;
            writer.writeString(property.name);
            writer.writeByte(6);
            writer.writeString(value);
            break;
        }
        case PropertyType::Object:
            writer.writeString(property.name);
            writer.writeByte(8);
            writePropertyList(writer, *property.object(mutableObject));
            break;
        case PropertyType::Reference: {
            auto* target = property.getReference(object);
            if (!target)
                break;
            writer.writeString(property.name);
            writer.writeByte(0);
            writer.writeString(referenceName(*target));
            break;
        }
        case PropertyType::ReferenceList: {
            auto targets = property.getReferences(object);
            std::erase(targets, nullptr);
            if (targets.empty())
                break;
            writer.writeString(property.name);
            writer.writeByte(9);
            for (auto* target : targets)
                writer.writeString(referenceName(*target));
            writer.writeString("");
            break;
        }
        }
    }
    for (auto& [name, payload] : object.definedPropertyValues()) {
        writer.writeString(name);
        writer.writeCount(std::uint32_t(payload.size()));
        writer.writeBytes(payload);
    }
    writer.writeString("");
}

std::string ProjectSaver::referenceName(const TRpReportComponent& target) const
{
    const TRpProjectItem* owner = target.ownerItem();
    std::string name = !owner || owner == m_item || owner == &m_project ? target.name() : owner->name() + "." + target.name();
    if (m_executionCopy && takenFromMaster(target))
        return "*" + name;
    return name;
}

const TRpProjectItem* ProjectSaver::topItem(const TRpReportComponent& component) const
{
    const TRpProjectItem* item = component.isProjectItem() ? static_cast<const TRpProjectItem*>(&component) : component.ownerItem();
    while (item && item->ownerItem() && item->ownerItem() != &m_project)
        item = item->ownerItem();
    return item && item->ownerItem() == &m_project ? item : nullptr;
}

bool ProjectSaver::takenFromMaster(const TRpReportComponent& target) const
{
    auto* object = dynamic_cast<const TRpDataObject*>(topItem(target));
    return object && object->takenFromMaster();
}

void ProjectSaver::collectReferences(const RpPersistent& object, std::vector<const TRpReportComponent*>& targets) const
{
    for (auto& property : object.properties().all()) {
        if (property.type == PropertyType::Reference) {
            if (auto* target = property.getReference(object))
                targets.push_back(target);
        } else if (property.type == PropertyType::ReferenceList) {
            for (auto* target : property.getReferences(object)) {
                if (target)
                    targets.push_back(target);
            }
        } else if (property.type == PropertyType::Object) {
            collectReferences(*property.object(const_cast<RpPersistent&>(object)), targets);
        }
    }
}

std::set<const TRpProjectItem*> ProjectSaver::dependenciesOf(const TRpReport& report) const
{
    std::set<const TRpProjectItem*> found;
    std::vector<const TRpProjectItem*> toWalk { &report };
    while (!toWalk.empty()) {
        auto* item = toWalk.back();
        toWalk.pop_back();
        std::vector<const TRpReportComponent*> targets;
        auto collect = [&](const TRpReportComponent& c) { collectReferences(c, targets); };
        forEachComponent(*item, collect);
        if (auto* asReport = dynamic_cast<const TRpReport*>(item)) {
            for (auto& page : asReport->pages())
                forEachComponent(*page, collect);
        }
        for (auto* target : targets) {
            auto* top = topItem(*target);
            if (!top || top == &report || dynamic_cast<const TRpReport*>(top) || takenFromMaster(*target))
                continue;
            if (found.insert(top).second)
                toWalk.push_back(top);
        }
    }
    return found;
}

std::vector<std::string> ProjectSaver::globalPagesUsedBy(const TRpReport& report) const
{
    auto used = dependenciesOf(report);
    std::vector<std::string> names;
    for (auto& page : m_project.globalPages()) {
        bool stored = std::any_of(report.loadedGlobalPages().begin(), report.loadedGlobalPages().end(),
            [&](auto& name) { return sameText(name, page->name()); });
        if (stored || used.count(page.get()))
            names.push_back(page->name());
    }
    return names;
}

} // namespace qv::report
