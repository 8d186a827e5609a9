#include "skin/model/SkinIni.h"
#include "runtime/core/Exception.h"
#include "runtime/core/GraphicTypes.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace qv {

namespace {

bool parseInteger(const std::string& text, int& out)
{
    std::string t = trim(text);
    bool negative = false;
    size_t at = 0;
    if (at < t.size() && (t[at] == '-' || t[at] == '+'))
        negative = t[at++] == '-';
    int base = 10;
    if (at < t.size() && t[at] == '$') {
        base = 16;
        ++at;
    } else if (at + 1 < t.size() && t[at] == '0' && (t[at + 1] == 'x' || t[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    if (at >= t.size())
        return false;
    int64_t value = 0;
    auto [end, ec] = std::from_chars(t.data() + at, t.data() + t.size(), value, base);
    if (ec != std::errc() || end != t.data() + t.size())
        return false;
    value = negative ? -value : value;
    // Hexadecimal colours fill all 32 bits.
    if (base == 16 && value >= 0 && value <= 0xFFFFFFFFLL)
        value = static_cast<int32_t>(static_cast<uint32_t>(value));
    if (value < INT32_MIN || value > INT32_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

// Fields cut at commas, every non-digit dropped.
std::vector<int> digitFields(const std::string& value, size_t count)
{
    std::vector<int> fields;
    size_t start = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t comma = value.find(',', start);
        std::string raw = start <= value.size() ? value.substr(start, comma == std::string::npos ? std::string::npos : comma - start) : "";
        std::string digits;
        for (char c : raw) {
            if (c >= '0' && c <= '9')
                digits += c;
        }
        int v = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
            throw EConvertError("'" + trim(raw) + "' is not a valid integer value");
        fields.push_back(v);
        start = comma == std::string::npos ? value.size() + 1 : comma + 1;
    }
    return fields;
}

} // namespace

int TbsSkinIni::readInteger(const std::string& section, const std::string& key, int def) const
{
    int value = def;
    return parseInteger(readString(section, key, ""), value) ? value : def;
}

TRect ReadSkinRect(const std::string& value)
{
    auto f = digitFields(value, 4);
    return TRect{f[0], f[1], f[2], f[3]};
}

TPoint ReadSkinPoint(const std::string& value)
{
    auto f = digitFields(value, 2);
    return TPoint{f[0], f[1]};
}

bool ReadSkinBool(const std::string& value)
{
    int v = 0;
    return parseInteger(value, v) && v == 1;
}

unsigned ReadSkinFontStyle(const std::string& value)
{
    unsigned style = 0;
    if (value.find("fsbold") != std::string::npos)
        style |= fsBold;
    if (value.find("fsitalic") != std::string::npos)
        style |= fsItalic;
    if (value.find("fsunderline") != std::string::npos)
        style |= fsUnderline;
    if (value.find("fsstrikeout") != std::string::npos)
        style |= fsStrikeOut;
    return style;
}

TAlignment ReadSkinAlignment(const std::string& value)
{
    if (value == "tacenter")
        return TAlignment::Center;
    if (value == "taleftjustify")
        return TAlignment::LeftJustify;
    return TAlignment::RightJustify;
}

namespace {

// The enumeration value whose word value is (its place in words); fallback for any other text.
template <class E, size_t N> E wordValue(const std::string& value, const char* const (&words)[N], E fallback)
{
    for (size_t i = 0; i < N; ++i) {
        if (value == words[i])
            return static_cast<E>(i);
    }
    return fallback;
}

} // namespace

TbsMorphKind ReadSkinMorphKind(const std::string& value)
{
    static const char* const words[]
        = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
    return wordValue(value, words, mkDefault);
}

TbsInactiveEffect ReadSkinInactiveEffect(const std::string& value)
{
    static const char* const words[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
    return wordValue(value, words, ieGrayScale);
}

TbsStdCommand ReadSkinCommand(const std::string& value)
{
    static const char* const words[] = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup"};
    return wordValue(value, words, cmMinimizeToTray);
}

std::pair<std::string, std::string> splitNameKind(const std::string& entry)
{
    size_t colon = entry.find(':');
    if (colon == std::string::npos)
        return {};
    return {entry.substr(0, colon), entry.substr(colon + 1)};
}

std::string TbsSectionReader::str(const std::string& key, const std::string& def) const { return m_ini.readString(m_section, key, def); }
int TbsSectionReader::integer(const std::string& key, int def) const { return m_ini.readInteger(m_section, key, def); }
namespace {

// A value the loader cannot convert is reported with the section and key it came from.
template <class Read>
auto convertedValue(const std::string& section, const std::string& key, const std::string& value, Read read)
{
    try {
        return read(value);
    } catch (const EConvertError& error) {
        throw EConvertError("[" + section + "] " + key + ": " + error.message());
    }
}

} // namespace

TRect TbsSectionReader::rect(const std::string& key) const
{
    return convertedValue(m_section, key, str(key, "0,0,0,0"), ReadSkinRect);
}

TPoint TbsSectionReader::point(const std::string& key) const
{
    return convertedValue(m_section, key, str(key, "0,0"), ReadSkinPoint);
}
bool TbsSectionReader::flag(const std::string& key) const { return ReadSkinBool(str(key)); }
unsigned TbsSectionReader::fontStyle(const std::string& key) const { return ReadSkinFontStyle(str(key)); }
TAlignment TbsSectionReader::alignment(const std::string& key) const { return ReadSkinAlignment(str(key, "tacenter")); }
TbsMorphKind TbsSectionReader::morphKind(const std::string& key) const { return ReadSkinMorphKind(str(key, "mkdefault")); }
TbsInactiveEffect TbsSectionReader::inactiveEffect(const std::string& key) const { return ReadSkinInactiveEffect(str(key, "iebrightness")); }
TbsStdCommand TbsSectionReader::command(const std::string& key) const { return ReadSkinCommand(str(key, "cmdefault")); }

int TbsSectionReader::listCount(const std::string& key) const { return std::clamp(integer(key, 0), 0, maxListCount); }

std::vector<std::string> TbsSectionReader::nameList(const std::string& name) const
{
    std::vector<std::string> names;
    for (int i = 0; i < listCount(name + "count"); ++i)
        names.push_back(str(std::to_string(i)));
    return names;
}

} // namespace qv
