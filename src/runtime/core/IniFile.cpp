#include "runtime/core/IniFile.h"

#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"
#include "runtime/core/TextFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <sstream>

namespace qv {
namespace {

std::string trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.substr(begin, end - begin);
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char const c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            continue;
        }
        line += c;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

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

std::string IniFile::lookup(const std::string& text, const std::string& section, const std::string& key,
    const std::string& defaultValue)
{
    bool inSection = false;
    for (std::string const& line : splitLines(text)) {
        std::string name;
        if (sectionHeader(line, name)) {
            inSection = sameName(name, section);
            continue;
        }
        std::string lineKey;
        std::string value;
        if (!inSection || !keyLine(line, lineKey, value) || !sameName(lineKey, key))
            continue;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.size() > valueBufferSize - 1)
            value.resize(valueBufferSize - 1);
        return value;
    }
    return defaultValue;
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
            inSection = sameName(name, section);
            if (inSection)
                lastInSection = static_cast<std::ptrdiff_t>(i);
            continue;
        }
        if (!inSection)
            continue;
        std::string lineKey;
        std::string oldValue;
        if (keyLine(lines[i], lineKey, oldValue)) {
            if (sameName(lineKey, key)) {
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
