#include "runtime/core/IniFile.h"

#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"
#include "runtime/core/Text.h"
#include "runtime/core/TextFile.h"

#include <cerrno>
#include <fstream>
#include <sstream>

namespace qv {
namespace {

// "[name]" gives name; anything else gives false.
bool sectionHeader(const std::string& line, std::string& name)
{
    std::string const t = trim(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    std::size_t const close = t.find(']');
    if (close == std::string::npos)
        return false;
    name = trim(t.substr(1, close - 1));
    return true;
}

bool keyLine(const std::string& line, std::string& key, std::string& value)
{
    std::string const t = trim(line);
    if (t.empty() || t[0] == ';')
        return false;
    std::size_t const eq = t.find('=');
    if (eq == std::string::npos)
        return false;
    key = trim(t.substr(0, eq));
    value = trim(t.substr(eq + 1));
    return true;
}

// Far beyond any settings file this program writes; a device, a pipe or a huge file
// under the name reads as no file.
constexpr std::uint64_t maxIniFileBytes = 1 << 20;

std::string readFileIfAny(const std::string& path, bool& readable)
{
    readable = false;
    try {
        std::string bytes = readRegularFile(path, maxIniFileBytes);
        readable = true;
        return bytes;
    } catch (const EInOutError&) {
        return {};
    }
}

} // namespace

IniText::IniText(std::string_view text)
{
    Keys* current = nullptr;
    for (std::string const& line : splitLines(text)) {
        std::string name;
        if (sectionHeader(line, name)) {
            current = &m_sections[lower(name)];
            continue;
        }
        std::string key;
        std::string value;
        if (current && keyLine(line, key, value))
            current->emplace(lower(key), std::move(value));
    }
}

bool IniText::hasSection(const std::string& section) const { return m_sections.count(lower(section)) > 0; }

bool IniText::hasKey(const std::string& section, const std::string& key) const { return find(section, key).has_value(); }

std::optional<std::string> IniText::find(const std::string& section, const std::string& key) const
{
    auto const keys = m_sections.find(lower(section));
    if (keys == m_sections.end())
        return std::nullopt;
    auto const entry = keys->second.find(lower(key));
    if (entry == keys->second.end())
        return std::nullopt;
    return entry->second;
}

// Unlike a skin's values, the file's are unquoted and cut to the reader's buffer, as
// the platform's INI file reader does.
std::string IniFile::lookup(const std::string& text, const std::string& section, const std::string& key,
    const std::string& defaultValue)
{
    std::optional<std::string> found = IniText(text).find(section, key);
    if (!found)
        return defaultValue;
    std::string value = std::move(*found);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > valueBufferSize - 1)
        value.resize(valueBufferSize - 1);
    return value;
}

std::string IniFile::withValue(const std::string& text, const std::string& section, const std::string& key,
    const std::string& value)
{
    std::vector<std::string> lines = splitLines(text);
    std::string const entry = key + "=" + value;
    bool inSection = false;
    std::ptrdiff_t lastInSection = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (sectionHeader(lines[i], name)) {
            if (inSection)
                break;
            inSection = sameText(name, section);
            if (inSection)
                lastInSection = static_cast<std::ptrdiff_t>(i);
            continue;
        }
        if (!inSection)
            continue;
        std::string lineKey;
        std::string oldValue;
        if (keyLine(lines[i], lineKey, oldValue)) {
            if (sameText(lineKey, key)) {
                lines[i] = entry;
                lastInSection = -2;
                break;
            }
            lastInSection = static_cast<std::ptrdiff_t>(i);
        }
    }
    if (lastInSection >= 0) {
        lines.insert(lines.begin() + lastInSection + 1, entry);
    } else if (lastInSection == -1) {
        if (!lines.empty() && !trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    std::string out;
    for (std::string const& line : lines)
        out += line + "\r\n";
    return out;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
    const std::string& defaultValue) const
{
    bool readable = false;
    std::string const text = readFileIfAny(m_path, readable);
    if (!readable)
        return defaultValue;
    return lookup(text, section, key, defaultValue);
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) const
{
    bool readable = false;
    std::string const text = readFileIfAny(m_path, readable);
    try {
        replaceFileAtomically(m_path, withValue(text, section, key, value));
    } catch (const EInOutError&) {
        throw EIniFileException(formatMessage("Unable to write to %s", m_path));
    }
}

} // namespace qv
