#include "report/project/TRpProjectManager.h"

#include "report/components/NamedValues.h"
#include "report/project/ProjectLoader.h"
#include "report/project/ProjectSaver.h"
#include "report/project/ReportErrors.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace qv::report {

const PropertyTable& TRpProjectManager::classProperties()
{
    return derivedTable(TRpProjectItem::classProperties(), [](PropertyBuilder& b) {
        b.stringList("Categories", &TRpProjectManager::m_categories)
            .part(TRpRunInputs::declareProperties)
            .reference("SecurityControl", &TRpProjectManager::m_securityControl)
            .string("AdminPassword", &TRpProjectManager::m_adminPassword)
            .enumeration("Units", &TRpProjectManager::m_units, UnitsType, unInch)
            .floating("UnitsFactor", &TRpProjectManager::m_unitsFactor);
    });
}

TRpProjectManager::TRpProjectManager() = default;

TRpProjectManager::~TRpProjectManager()
{
    clear();
}

TRpReport* TRpProjectManager::addReport(std::unique_ptr<TRpReport> report)
{
    report->setOwnerItem(this);
    m_reports.push_back(std::move(report));
    return m_reports.back().get();
}

TRpPage* TRpProjectManager::addGlobalPage(std::unique_ptr<TRpPage> page)
{
    page->setOwnerItem(this);
    m_globalPages.push_back(std::move(page));
    return m_globalPages.back().get();
}

TRpDataObject* TRpProjectManager::addDataObject(std::unique_ptr<TRpDataObject> object)
{
    object->setOwnerItem(this);
    m_dataObjects.push_back(std::move(object));
    return m_dataObjects.back().get();
}

namespace {

template<class T>
bool eraseItem(std::vector<std::unique_ptr<T>>& list, TRpProjectItem* item)
{
    auto it = std::find_if(list.begin(), list.end(), [&](auto& entry) { return entry.get() == item; });
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

} // namespace

void TRpProjectManager::removeItem(TRpProjectItem* item)
{
    eraseItem(m_reports, item) || eraseItem(m_globalPages, item) || eraseItem(m_dataObjects, item);
}

void TRpProjectManager::clear()
{
    m_activeReport = nullptr;
    // Reports refer to global pages and data objects, so they go first.
    m_reports.clear();
    m_globalPages.clear();
    m_dataObjects.clear();
}

void TRpProjectManager::resetSettings()
{
    m_categories.clear();
    m_parameters.clear();
    m_piVars.clear();
    m_securityControl = nullptr;
    m_adminPassword.clear();
    m_units = unInch;
    m_unitsFactor = 1.0;
    m_fullName.clear();
    m_description.clear();
    m_module.clear();
    m_lastActiveReport.clear();
}

TRpProjectItem* TRpProjectManager::findItem(std::string_view name) const
{
    for (auto& report : m_reports) {
        if (sameText(report->name(), name))
            return report.get();
    }
    for (auto& page : m_globalPages) {
        if (sameText(page->name(), name))
            return page.get();
    }
    for (auto& object : m_dataObjects) {
        if (sameText(object->name(), name))
            return object.get();
    }
    return nullptr;
}

TRpReportComponent* TRpProjectManager::findComponent(std::string_view name) const
{
    if (auto* item = findItem(name))
        return item;
    return findDescendant(name);
}

TRpReport* TRpProjectManager::findReport(std::string_view name) const
{
    for (auto& report : m_reports) {
        if (sameText(report->name(), name))
            return report.get();
    }
    return nullptr;
}

void TRpProjectManager::activateReport(TRpReport* report)
{
    m_activeReport = report;
    if (report)
        m_lastActiveReport = report->name();
}

TRpReportComponent* TRpProjectManager::resolveReference(std::string_view name, const TRpProjectItem* context,
    const TRpReport* report) const
{
    if (name.empty())
        return nullptr;
    if (name.front() == '*') {
        name.remove_prefix(1);
        if (m_master)
            return m_master->resolveReference(name, nullptr, m_master->activeReport());
    }
    auto dot = name.find('.');
    if (dot == std::string_view::npos) {
        if (context) {
            if (auto* found = context->findComponent(name))
                return found;
        }
        return findComponent(name);
    }
    auto ownerName = name.substr(0, dot);
    auto componentName = name.substr(dot + 1);
    const TRpProjectItem* owner = report ? report->findPage(ownerName) : nullptr;
    if (!owner)
        owner = findItem(ownerName);
    if (owner) {
        if (auto* found = owner->findComponent(componentName))
            return found;
    }
    return findComponent(componentName);
}

std::string TRpProjectManager::param(std::string_view name) const
{
    return namedValue(m_params, name);
}

void TRpProjectManager::setParam(const std::string& name, const std::string& value)
{
    setNamedValue(m_params, name, value);
}

void TRpProjectManager::loadFromFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw ERpException("Cannot open file \"%s\"", path);
    Bytes data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (data.empty()) {
        newProject();
        return;
    }
    m_fileName = path;
    loadFromStream(data);
}

void TRpProjectManager::loadFromStream(std::span<const std::uint8_t> data)
{
    if (data.empty()) {
        newProject();
        return;
    }
    ProjectLoader(*this).load(data);
}

Bytes TRpProjectManager::saveToStream(BlockMethod method) const
{
    return ProjectSaver(*this, method).saveProject();
}

Bytes TRpProjectManager::saveReportToStream(const TRpReport& report, BlockMethod method) const
{
    return ProjectSaver(*this, method).saveReport(report);
}

void TRpProjectManager::newProject()
{
    clear();
    auto report = std::make_unique<TRpReport>();
    report->setName("Report1");
    auto page = std::make_unique<TRpPage>();
    page->setName("Page1");
    report->addPage(std::move(page));
    activateReport(addReport(std::move(report)));
    m_fileName = "Project1.rav";
    m_version = ProjectVersion;
    m_modified = false;
    m_saved = false;
}

bool TRpProjectManager::definesProperty(std::string_view name) const
{
    return name == "Params" || TRpProjectItem::definesProperty(name);
}

void TRpProjectManager::readDefinedProperty(std::string_view name, std::vector<std::uint8_t> payload)
{
    if (name == "Params") {
        m_params = decodeParams(payload);
        return;
    }
    TRpProjectItem::readDefinedProperty(name, std::move(payload));
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> TRpProjectManager::definedPropertyValues() const
{
    auto values = TRpProjectItem::definedPropertyValues();
    if (!m_params.empty())
        values.emplace_back("Params", encodeParams(m_params));
    return values;
}

namespace {

constexpr std::uint8_t ValueString = 6;
constexpr std::uint8_t ValueLString = 12;
constexpr std::uint8_t ValueUtf8String = 20;

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

// Reads a double-quoted text at pos; false when there is none.
bool readQuoted(const std::string& text, std::size_t& pos, std::string& out)
{
    if (pos >= text.size() || text[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != '"') {
            out += text[pos];
            continue;
        }
        if (pos + 1 < text.size() && text[pos + 1] == '"') {
            out += '"';
            ++pos;
            continue;
        }
        ++pos;
        return true;
    }
    return false;
}

std::string latin1ToUtf8(std::span<const std::uint8_t> bytes)
{
    std::string out;
    for (auto b : bytes) {
        if (b < 0x80) {
            out += char(b);
        } else {
            out += char(0xC0 | (b >> 6));
            out += char(0x80 | (b & 0x3F));
        }
    }
    return out;
}

} // namespace

Bytes encodeParams(const std::vector<std::pair<std::string, std::string>>& params)
{
    std::string text;
    for (auto& [name, value] : params)
        text += quoted(name) + "," + quoted(value) + ";";
    bool plain = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    ProjectWriter writer;
    if (!plain) {
        writer.writeByte(ValueUtf8String);
        writer.writeInt32(std::int32_t(text.size()));
    } else if (text.size() <= 255) {
        writer.writeByte(ValueString);
        writer.writeByte(std::uint8_t(text.size()));
    } else {
        writer.writeByte(ValueLString);
        writer.writeInt32(std::int32_t(text.size()));
    }
    writer.writeBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return writer.take();
}

std::vector<std::pair<std::string, std::string>> decodeParams(std::span<const std::uint8_t> payload)
{
    ProjectReader reader(payload);
    auto kind = reader.readByte();
    std::string text;
    if (kind == ValueString) {
        auto bytes = reader.readBytes(reader.readByte());
        text = latin1ToUtf8(bytes);
    } else if (kind == ValueLString || kind == ValueUtf8String) {
        auto size = reader.readInt32();
        if (size < 0)
            throw EReadError("Stream read error");
        auto bytes = reader.readBytes(std::size_t(size));
        text = kind == ValueUtf8String ? std::string(bytes.begin(), bytes.end()) : latin1ToUtf8(bytes);
    } else {
        throw ERpException("Invalid property value");
    }

    std::vector<std::pair<std::string, std::string>> params;
    std::size_t pos = 0;
    std::string name;
    std::string value;
    while (readQuoted(text, pos, name)) {
        if (pos >= text.size() || text[pos] != ',')
            break;
        ++pos;
        if (!readQuoted(text, pos, value))
            break;
        params.emplace_back(name, value);
        if (pos < text.size() && text[pos] == ';')
            ++pos;
    }
    return params;
}

} // namespace qv::report
