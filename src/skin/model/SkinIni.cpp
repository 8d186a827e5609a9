#include "skin/model/SkinIni.h"
#include "runtime/core/Exception.h"
#include "runtime/core/GraphicTypes.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cctype>
#include <charconv>

namespace qv {

namespace {

bool parseInteger(std::string_view text, int& out)
{
    std::string_view const t = trimmedView(text);
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
template <size_t N> std::array<int, N> digitFields(std::string_view value)
{
    std::array<int, N> fields{};
    size_t start = 0;
    for (size_t i = 0; i < N; ++i) {
        size_t const comma = value.find(',', start);
        std::string_view const raw = start <= value.size() ? value.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start) : std::string_view();
        int v = 0;
        bool digits = false, overflow = false;
        for (char c : raw) {
            if (c < '0' || c > '9')
                continue;
            digits = true;
            int const d = c - '0';
            overflow = overflow || v > (INT_MAX - d) / 10;
            v = overflow ? 0 : v * 10 + d;
        }
        if (!digits || overflow)
            throw EConvertError("'" + trim(raw) + "' is not a valid integer value");
        fields[i] = v;
        start = comma == std::string_view::npos ? value.size() + 1 : comma + 1;
    }
    return fields;
}

// A found value as an integer; def when there is none or it does not parse.
int integerOr(const std::string* text, int def)
{
    int parsed = def;
    return text && parseInteger(*text, parsed) ? parsed : def;
}

} // namespace

int TbsSkinIni::readInteger(std::string_view section, std::string_view key, int def) const { return integerOr(value(section, key), def); }

TRect ReadSkinRect(std::string_view value)
{
    auto f = digitFields<4>(value);
    return TRect{f[0], f[1], f[2], f[3]};
}

TPoint ReadSkinPoint(std::string_view value)
{
    auto f = digitFields<2>(value);
    return TPoint{f[0], f[1]};
}

bool ReadSkinBool(std::string_view value)
{
    int v = 0;
    return parseInteger(value, v) && v == 1;
}

unsigned ReadSkinFontStyle(std::string_view value)
{
    unsigned style = 0;
    if (value.find("fsbold") != std::string_view::npos)
        style |= fsBold;
    if (value.find("fsitalic") != std::string_view::npos)
        style |= fsItalic;
    if (value.find("fsunderline") != std::string_view::npos)
        style |= fsUnderline;
    if (value.find("fsstrikeout") != std::string_view::npos)
        style |= fsStrikeOut;
    return style;
}

TAlignment ReadSkinAlignment(std::string_view value)
{
    if (value == "tacenter")
        return TAlignment::Center;
    if (value == "taleftjustify")
        return TAlignment::LeftJustify;
    return TAlignment::RightJustify;
}

namespace {

// The enumeration value whose word value is (its place in words); fallback for any other text.
template <class E, size_t N> E wordValue(std::string_view value, const char* const (&words)[N], E fallback)
{
    for (size_t i = 0; i < N; ++i) {
        if (value == words[i])
            return static_cast<E>(i);
    }
    return fallback;
}

} // namespace

TbsMorphKind ReadSkinMorphKind(std::string_view value)
{
    static const char* const words[]
        = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
    return wordValue(value, words, mkDefault);
}

TbsInactiveEffect ReadSkinInactiveEffect(std::string_view value)
{
    static const char* const words[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
    return wordValue(value, words, ieGrayScale);
}

TbsStdCommand ReadSkinCommand(std::string_view value)
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

std::string_view TbsSectionReader::valueOr(std::string_view key, std::string_view def) const
{
    const std::string* found = m_keys ? m_keys->find(key) : nullptr;
    return found ? std::string_view(*found) : def;
}

std::string TbsSectionReader::str(std::string_view key, std::string_view def) const { return std::string(valueOr(key, def)); }

int TbsSectionReader::integer(std::string_view key, int def) const { return integerOr(m_keys ? m_keys->find(key) : nullptr, def); }

namespace {

// A value the loader cannot convert is reported with the section and key it came from.
template <class Read>
auto convertedValue(const std::string& section, std::string_view key, std::string_view value, Read read)
{
    try {
        return read(value);
    } catch (const EConvertError& error) {
        throw EConvertError("[" + section + "] " + std::string(key) + ": " + error.message());
    }
}

} // namespace

TRect TbsSectionReader::rect(std::string_view key) const
{
    return convertedValue(m_section, key, valueOr(key, "0,0,0,0"), ReadSkinRect);
}

TPoint TbsSectionReader::point(std::string_view key) const
{
    return convertedValue(m_section, key, valueOr(key, "0,0"), ReadSkinPoint);
}
bool TbsSectionReader::flag(std::string_view key) const { return ReadSkinBool(valueOr(key, "")); }
unsigned TbsSectionReader::fontStyle(std::string_view key) const { return ReadSkinFontStyle(valueOr(key, "")); }
TAlignment TbsSectionReader::alignment(std::string_view key) const { return ReadSkinAlignment(valueOr(key, "tacenter")); }
TbsMorphKind TbsSectionReader::morphKind(std::string_view key) const { return ReadSkinMorphKind(valueOr(key, "mkdefault")); }
TbsInactiveEffect TbsSectionReader::inactiveEffect(std::string_view key) const { return ReadSkinInactiveEffect(valueOr(key, "iebrightness")); }
TbsStdCommand TbsSectionReader::command(std::string_view key) const { return ReadSkinCommand(valueOr(key, "cmdefault")); }

int TbsSectionReader::listCount(std::string_view key) const { return std::clamp(integer(key, 0), 0, maxListCount); }

std::vector<std::string> TbsSectionReader::nameList(const std::string& name) const
{
    std::vector<std::string> names;
    for (int i = 0; i < listCount(name + "count"); ++i)
        names.push_back(str(std::to_string(i)));
    return names;
}

} // namespace qv
