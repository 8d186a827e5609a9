#include "report/project/ProjectLoader.h"

#include "report/components/DataObjects.h"
#include "report/project/ClassRegistry.h"
#include "report/project/ReportErrors.h"
#include "report/project/TRpProjectManager.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

namespace qv::report {

namespace {

constexpr char Signature[4] = { 'R', 'A', 'V', 0x1A };
constexpr int MaxDepth = 100;
// The most a project may expand to through compressed blocks; far above any real report.
constexpr std::size_t ExpansionBudget = std::size_t(256) << 20;

enum ItemKind : std::uint8_t {
    OldDataView = 2,
    GlobalPage = 3,
    Report = 4,
    DataObject = 6,
};

constexpr std::uint8_t PropertyListStart = 8;

enum Tag : std::uint8_t {
    TagIdent = 0,
    TagCount = 1,
    TagNegativeCount = 2,
    TagInt32 = 3,
    TagChar = 4,
    TagExtended = 5,
    TagString = 6,
    TagSet = 7,
    TagObject = 8,
    TagReferenceList = 9,
    TagObjectList = 10,
};

const char* const UnknownClassMessage
    = "Unknown class \"%s\" found.  You will need to include the unit containing this component to your uses clause.";

bool isDefinedPropertyName(const std::string& name)
{
    return name == "Params" || name == "Module" || name == "Data";
}

[[noreturn]] void invalidValue()
{
    throw ERpException("Invalid property value");
}

// Colours written by name, as some writers store them.
std::optional<std::int64_t> colourByName(const std::string& name)
{
    static const std::pair<const char*, std::int64_t> colours[] = {
        { "clBlack", 0x000000 }, { "clMaroon", 0x000080 }, { "clGreen", 0x008000 }, { "clOlive", 0x008080 },
        { "clNavy", 0x800000 }, { "clPurple", 0x800080 }, { "clTeal", 0x808000 }, { "clGray", 0x808080 },
        { "clSilver", 0xC0C0C0 }, { "clRed", 0x0000FF }, { "clLime", 0x00FF00 }, { "clYellow", 0x00FFFF },
        { "clBlue", 0xFF0000 }, { "clFuchsia", 0xFF00FF }, { "clAqua", 0xFFFF00 }, { "clWhite", 0xFFFFFF },
        { "clNone", 0x1FFFFFFF }, { "clDefault", 0x20000000 },
    };
    for (auto& [colourName, value] : colours) {
        if (sameText(colourName, name))
            return value;
    }
    return std::nullopt;
}

void checkDepth(int depth)
{
    if (depth > MaxDepth)
        throw ERpException("Invalid Project Format");
}

void reportUnknownClass(const MessageSink& messages, const std::string& className)
{
    showMessage(messages, ReportText{UnknownClassMessage, className}.shown());
}

} // namespace

ProjectLoader::ProjectLoader(TRpProjectManager& project)
    : m_project(project)
{
}

void ProjectLoader::load(std::span<const std::uint8_t> data)
{
    registerReportClasses();
    m_project.clear();
    m_project.resetSettings();
    m_budget = ExpansionBudget;
    try {
        ProjectReader reader(data);
        reader.setExpansionBudget(&m_budget);
        if (reader.remaining() < 4 || std::memcmp(data.data(), Signature, 4) != 0)
            throw ERpException("Invalid Project Format");
        reader.skip(4);
        m_version = reader.readInt32();
        if (reader.readByte() != 0)
            throw ERpException("Invalid Project Header Code");
        m_project.setVersion(m_version);
        if (m_version > 40004)
            readModules(reader);
        auto lastActive = reader.readString();

        readProjectRecord(reader);
        loadItems(reader);

        resolvePending();
        chooseActiveReport(lastActive);
        resolvePending();
        finishReferenceLists();
        notifyLoaded();
        m_project.setModified(false);
        m_project.setSaved(true);
    } catch (...) {
        m_pending.clear();
        m_lists.clear();
        m_project.clear();
        throw;
    }
}

// A module replaces a loaded module of the same name or is added.
void ProjectLoader::readModules(ProjectReader& reader)
{
    auto count = reader.readCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        auto name = reader.readString();
        auto bytes = reader.readBlock();
        auto& modules = m_project.modules();
        auto it = std::find_if(modules.begin(), modules.end(), [&](auto& m) { return sameText(m.name, name); });
        if (it != modules.end())
            it->bytes = std::move(bytes);
        else
            modules.push_back({ name, std::move(bytes) });
    }
}

void ProjectLoader::readProjectRecord(ProjectReader& reader)
{
    if (reader.readByte() != 0)
        throw ERpException("Invalid Project Format");
    if (!sameText(reader.readString(), m_project.className()))
        throw ERpException("Invalid Project Format");
    m_project.setName(reader.readString());
    if (reader.readByte() != PropertyListStart)
        throw ERpException("Invalid Project Format");
    m_item = &m_project;
    readPropertyList(reader, m_project, m_project, 0);
    readChildren(reader, m_project, 0);
}

// The report stored as last active, matched exactly, else the first report.
void ProjectLoader::chooseActiveReport(const std::string& lastActive)
{
    TRpReport* active = nullptr;
    for (auto& report : m_project.reports()) {
        if (report->name() == lastActive) {
            active = report.get();
            break;
        }
    }
    if (!active && !m_project.reports().empty())
        active = m_project.reports().front().get();
    m_project.setLastActiveReport(lastActive);
    m_project.activateReport(active);
}

ProjectReader ProjectLoader::blockReader(ProjectReader& reader, Bytes& storage)
{
    storage = reader.readBlock();
    ProjectReader block(storage);
    block.setExpansionBudget(reader.expansionBudget());
    return block;
}

void ProjectLoader::loadItems(ProjectReader& reader)
{
    while (!reader.atEnd())
        loadItem(reader);
}

void ProjectLoader::loadItem(ProjectReader& reader)
{
    auto kind = reader.readByte();
    auto name = reader.readString();
    std::string className = kind == DataObject ? reader.readString() : std::string();
    Bytes storage;
    auto block = blockReader(reader, storage);

    TRpProjectItem* item = nullptr;
    m_report = nullptr;
    if (kind == DataObject) {
        auto* registered = RpClassRegistry::instance().find(className);
        if (!registered) {
            reportUnknownClass(m_project.messages(), className);
            return;
        }
        auto created = registered->create();
        auto* object = dynamic_cast<TRpDataObject*>(created.get());
        if (!object)
            return;
        created.release();
        item = m_project.addDataObject(std::unique_ptr<TRpDataObject>(object));
    } else if (kind == OldDataView) {
        item = m_project.addDataObject(std::make_unique<TRpDataView>());
    } else if (kind == GlobalPage) {
        item = m_project.addGlobalPage(std::make_unique<TRpPage>());
    } else {
        m_report = m_project.addReport(std::make_unique<TRpReport>());
        item = m_report;
    }
    item->setName(name);
    remember(kind == DataObject || kind == OldDataView ? m_dataObjects : kind == GlobalPage ? m_globalPages : m_reports, *item);
    m_item = item;
    if (m_report)
        loadReport(block, *m_report);
    else
        readItemRecord(block, *item);
    m_report = nullptr;
    m_item = nullptr;

    if (name.empty()) {
        forget(*item);
        m_project.removeItem(item);
    }
}

void ProjectLoader::loadReport(ProjectReader& reader, TRpReport& report)
{
    if (m_version > 30003)
        report.setLastActivePage(reader.readString());
    auto pageCount = reader.readCount();
    for (std::uint32_t i = 0; i < pageCount; ++i) {
        if (reader.readByte() != 0)
            throw EClassNotFound("TRpProjectItem class not found");
        auto page = std::make_unique<TRpPage>();
        page->setName(reader.readString());
        remember(m_components[&report], *report.addPage(std::move(page)));
    }
    auto globalCount = reader.readCount();
    std::vector<std::string> globalPages;
    for (std::uint32_t i = 0; i < globalCount; ++i)
        globalPages.push_back(reader.readString());
    report.setLoadedGlobalPages(std::move(globalPages));

    m_item = &report;
    readItemRecord(reader, report);
    for (std::uint32_t i = 0; i < pageCount; ++i) {
        auto& page = *report.pages()[i];
        Bytes storage;
        auto block = blockReader(reader, storage);
        m_item = &page;
        readItemRecord(block, page);
    }
}

void ProjectLoader::readItemRecord(ProjectReader& reader, TRpProjectItem& item)
{
    if (reader.readByte() != 0)
        throw ERpException("Invalid Project Format");
    reader.readString();
    reader.readString();
    if (reader.readByte() != PropertyListStart)
        throw ERpException("Invalid Project Format");
    readPropertyList(reader, item, item, 0);
    readChildren(reader, item, 0);
}

void ProjectLoader::readChildren(ProjectReader& reader, TRpReportComponent& parent, int depth)
{
    auto count = reader.readCount();
    for (std::uint32_t i = 0; i < count; ++i)
        readRecord(reader, parent, depth + 1);
}

void ProjectLoader::readRecord(ProjectReader& reader, TRpReportComponent& parent, int depth)
{
    checkDepth(depth);
    if (reader.readByte() != 0)
        throw ERpException("Invalid Project Format");
    auto className = reader.readString();
    auto name = reader.readString();
    auto* registered = RpClassRegistry::instance().find(className);
    if (!registered) {
        reportUnknownClass(m_project.messages(), className);
        skipRecordBody(reader, depth);
        return;
    }
    auto created = registered->create();
    if (created->isProjectItem() || !parent.acceptsChild(*created)) {
        skipRecordBody(reader, depth);
        return;
    }
    auto* component = parent.addChild(std::move(created));
    component->setName(name);
    if (m_item)
        remember(m_components[m_item], *component);
    if (reader.readByte() != PropertyListStart)
        throw ERpException("Invalid Project Format");
    readPropertyList(reader, *component, *component, depth);
    readChildren(reader, *component, depth);
}

void ProjectLoader::readPropertyList(ProjectReader& reader, RpPersistent& object, TRpReportComponent& holder, int depth)
{
    checkDepth(depth);
    for (auto name = reader.readString(); !name.empty(); name = reader.readString()) {
        if (isDefinedPropertyName(name)) {
            auto payload = reader.readBytes(reader.readCount());
            if (object.definesProperty(name))
                object.readDefinedProperty(name, std::move(payload));
            continue;
        }
        auto* property = object.properties().find(name);
        bool componentName = &object == &holder && sameText(name, "Name");
        if (!property || !property->writable || componentName) {
            skipValue(reader, reader.readByte(), depth);
            continue;
        }
        readValue(reader, object, *property, holder, depth);
    }
}

// A value whose tag does not suit the property (a file from another writer, an older
// property type) is read past and the property keeps its value.
void ProjectLoader::readValue(ProjectReader& reader, RpPersistent& object, const PublishedProperty& property,
    TRpReportComponent& holder, int depth)
{
    auto tag = reader.readByte();
    switch (property.type) {
    case PropertyType::Integer:
    case PropertyType::Char:
        if (tag == TagCount)
            property.setOrdinal(object, reader.readCount());
        else if (tag == TagNegativeCount)
            property.setOrdinal(object, -std::int64_t(reader.readCount()));
        else if (tag == TagInt32)
            property.setOrdinal(object, reader.readInt32());
        else if (tag == TagChar)
            property.setOrdinal(object, reader.readByte());
        else if (tag == TagIdent) {
            if (auto colour = colourByName(reader.readString()))
                property.setOrdinal(object, *colour);
        } else
            skipValue(reader, tag, depth);
        return;
    case PropertyType::Enumeration:
        if (tag == TagIdent) {
            int index = property.enumType->indexOf(reader.readString());
            if (index >= 0)
                property.setOrdinal(object, index);
        } else if (tag == TagCount) {
            auto index = reader.readCount();
            if (index < property.enumType->names.size())
                property.setOrdinal(object, index);
        } else {
            skipValue(reader, tag, depth);
        }
        return;
    case PropertyType::Set: {
        if (tag != TagSet) {
            skipValue(reader, tag, depth);
            return;
        }
        std::uint32_t bits = 0;
        for (auto member = reader.readString(); !member.empty(); member = reader.readString()) {
            int index = property.enumType->indexOf(member);
            if (index >= 0 && index < 32)
                bits |= 1u << index;
        }
        property.setOrdinal(object, bits);
        return;
    }
    case PropertyType::Float:
        if (tag == TagExtended)
            property.setFloat(object, reader.readExtended());
        else if (tag == TagCount)
            property.setFloat(object, reader.readCount());
        else if (tag == TagNegativeCount)
            property.setFloat(object, -static_cast<long double>(reader.readCount()));
        else if (tag == TagInt32)
            property.setFloat(object, reader.readInt32());
        else
            skipValue(reader, tag, depth);
        return;
    case PropertyType::String:
        if (tag == TagString || tag == TagIdent)
            property.setString(object, reader.readString());
        else if (tag == TagChar)
            property.setString(object, std::string(1, char(reader.readByte())));
        else
            skipValue(reader, tag, depth);
        return;
    case PropertyType::Object:
        if (tag == TagObject)
            readPropertyList(reader, *property.object(object), holder, depth + 1);
        else
            skipValue(reader, tag, depth);
        return;
    case PropertyType::Reference:
        if (tag == TagIdent)
            readReference(object, property, holder, reader.readString());
        else if (tag == TagCount && reader.readCount() == 0)
            property.setReference(object, nullptr);
        else if (tag != TagCount)
            skipValue(reader, tag, depth);
        return;
    case PropertyType::ReferenceList:
        if (tag == TagReferenceList)
            readReferenceList(reader, object, property, holder);
        else
            skipValue(reader, tag, depth);
        return;
    }
}

void ProjectLoader::readReference(RpPersistent& object, const PublishedProperty& property, TRpReportComponent& holder,
    const std::string& name)
{
    if (name.empty()) {
        property.setReference(object, nullptr);
        return;
    }
    if (auto* target = resolve(name, m_item, m_report)) {
        property.setReference(object, target);
        return;
    }
    property.setReference(object, nullptr);
    bool qualify = name.find('.') == std::string::npos && name.front() != '*' && m_item;
    m_pending.push_back({ holder.handle(), &object, &property, qualify ? m_item->name() + "." + name : name, -1, m_report });
}

void ProjectLoader::readReferenceList(ProjectReader& reader, RpPersistent& object, const PublishedProperty& property,
    TRpReportComponent& holder)
{
    std::vector<TRpReportComponent*> targets;
    for (auto name = reader.readString(); !name.empty(); name = reader.readString()) {
        auto* target = resolve(name, m_item, m_report);
        if (!target) {
            bool qualify = name.find('.') == std::string::npos && name.front() != '*' && m_item;
            m_pending.push_back({ holder.handle(), &object, &property, qualify ? m_item->name() + "." + name : name,
                int(targets.size()), m_report });
        }
        targets.push_back(target);
    }
    property.setReferences(object, targets);
    m_lists.push_back({ holder.handle(), { &object, &property } });
}

void ProjectLoader::remember(NameIndex& index, TRpReportComponent& component)
{
    if (!component.name().empty())
        index.try_emplace(lower(std::string(component.name())), &component);
}

void ProjectLoader::forget(TRpProjectItem& item)
{
    if (auto* report = dynamic_cast<TRpReport*>(&item)) {
        for (auto& page : report->pages())
            m_components.erase(page.get());
    }
    m_components.erase(&item);
}

TRpReportComponent* ProjectLoader::lookUp(const NameIndex& index, std::string_view name) const
{
    auto it = index.find(lower(std::string(name)));
    return it == index.end() ? nullptr : it->second;
}

// Mirrors TRpProjectManager::findItem: reports, then global pages, then data objects.
TRpProjectItem* ProjectLoader::findItem(std::string_view name) const
{
    for (auto* index : { &m_reports, &m_globalPages, &m_dataObjects }) {
        if (auto* found = lookUp(*index, name))
            return static_cast<TRpProjectItem*>(found);
    }
    return nullptr;
}

TRpReportComponent* ProjectLoader::findIn(const TRpProjectItem& item, std::string_view name) const
{
    if (&item == &m_project)
        return findItem(name);
    auto it = m_components.find(&item);
    return it == m_components.end() ? nullptr : lookUp(it->second, name);
}

// The same rules as TRpProjectManager::resolveReference, over the loader's indexes.
TRpReportComponent* ProjectLoader::resolve(std::string_view name, const TRpProjectItem* context, const TRpReport* report) const
{
    if (name.empty())
        return nullptr;
    if (name.front() == '*') {
        if (m_project.master())
            return m_project.resolveReference(name, context, report);
        name.remove_prefix(1);
    }
    auto dot = name.find('.');
    if (dot == std::string_view::npos) {
        if (context) {
            if (auto* found = findIn(*context, name))
                return found;
        }
        return findItem(name);
    }
    auto ownerName = name.substr(0, dot);
    auto componentName = name.substr(dot + 1);
    const TRpProjectItem* owner = report ? static_cast<TRpProjectItem*>(findIn(*report, ownerName)) : nullptr;
    if (!owner)
        owner = findItem(ownerName);
    if (owner) {
        if (auto* found = findIn(*owner, componentName))
            return found;
    }
    return findItem(componentName);
}

void ProjectLoader::resolvePending()
{
    std::vector<PendingReference> unresolved;
    for (auto& pending : m_pending) {
        if (!*pending.holder)
            continue;
        auto* target = resolve(pending.name, nullptr, pending.report.get());
        if (!target) {
            unresolved.push_back(std::move(pending));
            continue;
        }
        if (pending.index < 0) {
            pending.property->setReference(*pending.object, target);
            continue;
        }
        auto targets = pending.property->getReferences(*pending.object);
        if (std::size_t(pending.index) < targets.size()) {
            targets[pending.index] = target;
            pending.property->setReferences(*pending.object, targets);
        }
    }
    m_pending = std::move(unresolved);
}

void ProjectLoader::finishReferenceLists()
{
    m_pending.clear();
    for (auto& [holder, list] : m_lists) {
        if (!*holder)
            continue;
        auto targets = list.second->getReferences(*list.first);
        std::erase(targets, nullptr);
        list.second->setReferences(*list.first, targets);
    }
    m_lists.clear();
}

void ProjectLoader::notifyLoaded()
{
    auto notify = [](TRpReportComponent& component) {
        component.loaded();
        component.forEachDescendant([](TRpReportComponent& c) { c.loaded(); });
    };
    notify(m_project);
    for (auto& object : m_project.dataObjects())
        notify(*object);
    for (auto& page : m_project.globalPages())
        notify(*page);
    for (auto& report : m_project.reports()) {
        notify(*report);
        for (auto& page : report->pages())
            notify(*page);
    }
}

void ProjectLoader::skipRecordBody(ProjectReader& reader, int depth)
{
    if (reader.readByte() != PropertyListStart)
        throw ERpException("Invalid Project Format");
    skipPropertyList(reader, depth);
    auto count = reader.readCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        checkDepth(depth + 1);
        if (reader.readByte() != 0)
            throw ERpException("Invalid Project Format");
        reader.readString();
        reader.readString();
        skipRecordBody(reader, depth + 1);
    }
}

void ProjectLoader::skipPropertyList(ProjectReader& reader, int depth)
{
    checkDepth(depth);
    for (auto name = reader.readString(); !name.empty(); name = reader.readString()) {
        if (isDefinedPropertyName(name))
            reader.skip(reader.readCount());
        else
            skipValue(reader, reader.readByte(), depth);
    }
}

void ProjectLoader::skipValue(ProjectReader& reader, std::uint8_t tag, int depth)
{
    switch (tag) {
    case TagIdent:
    case TagString:
        reader.readString();
        return;
    case TagCount:
    case TagNegativeCount:
        reader.readCount();
        return;
    case TagInt32:
        reader.skip(4);
        return;
    case TagChar:
        reader.skip(1);
        return;
    case TagExtended:
        reader.skip(10);
        return;
    case TagSet:
    case TagReferenceList:
        while (!reader.readString().empty()) { }
        return;
    case TagObject:
        skipPropertyList(reader, depth + 1);
        return;
    case TagObjectList:
        while (!reader.readString().empty())
            skipPropertyList(reader, depth + 1);
        return;
    default:
        invalidValue();
    }
}

} // namespace qv::report
