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
bool sectionHeader(std::string_view line, std::string_view& name)
{
    std::string_view const t = trimmedView(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    std::size_t const close = t.find(']');
    if (close == std::string_view::npos)
        return false;
    name = trimmedView(t.substr(1, close - 1));
    return true;
}

bool keyLine(std::string_view line, std::string_view& key, std::string_view& value)
{
    std::string_view const t = trimmedView(line);
    if (t.empty() || t[0] == ';')
        return false;
    std::size_t const eq = t.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trimmedView(t.substr(0, eq));
    value = trimmedView(t.substr(eq + 1));
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

std::size_t NoCaseHash::operator()(std::string_view text) const
{
    // FNV-1a over the lower-case letters.
    std::size_t hash = 14695981039346656037ULL;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

bool NoCaseEqual::operator()(std::string_view a, std::string_view b) const { return sameText(a, b); }

IniText::IniText(std::string_view text)
{
    Section* current = nullptr;
    std::size_t at = 0;
    std::string_view line;
    while (nextLine(text, at, line)) {
        std::string_view name;
        if (sectionHeader(line, name)) {
            auto const found = m_sections.find(name);
            current = found != m_sections.end() ? &found->second : &m_sections[std::string(name)];
            continue;
        }
        std::string_view key;
        std::string_view value;
        if (current && keyLine(line, key, value) && current->m_keys.find(key) == current->m_keys.end())
            current->m_keys.emplace(key, value);
    }
}

const std::string* IniText::Section::find(std::string_view key) const
{
    auto const entry = m_keys.find(key);
    return entry == m_keys.end() ? nullptr : &entry->second;
}

const IniText::Section* IniText::section(std::string_view name) const
{
    auto const found = m_sections.find(name);
    return found == m_sections.end() ? nullptr : &found->second;
}

const std::string* IniText::value(std::string_view section, std::string_view key) const
{
    const Section* keys = this->section(section);
    return keys ? keys->find(key) : nullptr;
}

std::optional<std::string> IniText::find(std::string_view section, std::string_view key) const
{
    const std::string* found = value(section, key);
    return found ? std::optional<std::string>(*found) : std::nullopt;
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
        std::string_view name;
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
        std::string_view lineKey;
        std::string_view oldValue;
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
