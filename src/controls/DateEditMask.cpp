#include "controls/DateEditMask.h"

#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"
#include "runtime/core/RegionalSettings.h"

#include <algorithm>
#include <cwctype>

namespace qv {

namespace {

constexpr char32_t blank = U' ';

// Month names in the local language are UTF-8; the mask counts characters.
std::u32string toChars(const std::string& text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        auto const c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (c >= 0x80 && c < 0xC0)
            extra = 0;
        char32_t code = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
        bool valid = extra == 0 || i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            auto const next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            // A stray byte stands for itself rather than swallowing what follows.
            out += c;
            ++i;
            continue;
        }
        out += code;
        i += extra + 1;
    }
    return out;
}

std::string toUtf8(const std::u32string& text)
{
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

bool allDigits(const std::u32string& s) { return !s.empty() && std::all_of(s.begin(), s.end(), isDigit); }

// Digits only, at most five of them (a part is never longer than the year's four).
int valueOf(const std::u32string& digits)
{
    int v = 0;
    for (char32_t c : digits.substr(0, 5))
        v = v * 10 + static_cast<int>(c - U'0');
    return v;
}

std::vector<std::u32string> splitAt(const std::u32string& text, char32_t separator)
{
    std::vector<std::u32string> parts(1);
    for (char32_t c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::u32string lowered(std::u32string s)
{
    for (char32_t& c : s)
        c = static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
    return s;
}

bool numeric(TDatePartKind kind) { return kind != TDatePartKind::MonthName; }

std::string notADate(const std::string& text) { return formatMessage("'%s' is not a valid date", echoedInput(text)); }

} // namespace

TDateEditMask TDateEditMask::fromRegionalSettings()
{
    const RegionalSettings& region = regionalSettings();
    TDateEditMask mask;
    mask.m_separator = static_cast<unsigned char>(region.dateSeparator);
    std::u32string const sample = toChars(dateToStr(encodeDate(9999, 12, 31)));
    bool day = false, month = false, year = false;
    for (const std::u32string& text : splitAt(sample, mask.m_separator)) {
        TDateMaskPart part;
        part.length = static_cast<int>(text.size());
        int const value = allDigits(text) ? valueOf(text) : -1;
        if (value == 31 && !day) {
            part = {TDatePartKind::Day, part.length, 31};
            day = true;
        } else if (value == 12 && !month) {
            part = {TDatePartKind::Month, part.length, 12};
            month = true;
        } else if ((value == 9999 || value == 99) && !year) {
            part = {TDatePartKind::Year, part.length, value};
            year = true;
        } else if (value == -1 && !month && !text.empty()) {
            std::string const name = toUtf8(text);
            if (name == region.shortMonthNames[11])
                mask.m_monthNames.assign(region.shortMonthNames.begin(), region.shortMonthNames.end());
            else if (name == region.longMonthNames[11])
                mask.m_monthNames.assign(region.longMonthNames.begin(), region.longMonthNames.end());
            else
                return {};
            part = {TDatePartKind::MonthName, part.length, 12};
            month = true;
        } else {
            return {};
        }
        mask.m_parts.push_back(part);
    }
    if (!(day && month && year && mask.m_parts.size() == 3))
        return {};
    return mask;
}

std::string TDateEditMask::editMask() const
{
    if (!valid())
        return {};
    std::string mask = "!";
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        if (i > 0)
            mask += '/';
        char const c = m_parts[i].kind == TDatePartKind::Year ? '0'
            : m_parts[i].kind == TDatePartKind::MonthName     ? 'L'
                                                              : '9';
        mask += std::string(static_cast<std::size_t>(m_parts[i].length), c);
    }
    return mask + ";1; ";
}

int TDateEditMask::length() const
{
    int n = 0;
    for (const TDateMaskPart& p : m_parts)
        n += p.length;
    return valid() ? n + 2 : 0;
}

bool TDateEditMask::hasMonthNames() const { return !m_monthNames.empty(); }

std::string TDateEditMask::fit(const std::string& text) const
{
    if (!valid())
        return text;
    std::vector<std::u32string> given = splitAt(toChars(text), m_separator);
    std::u32string out;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        if (i > 0)
            out += m_separator;
        std::u32string part = i < given.size() ? given[i] : std::u32string();
        auto const length = static_cast<std::size_t>(m_parts[i].length);
        if (part.size() > length)
            part = part.substr(part.size() - length);
        out += std::u32string(length - part.size(), blank) + part;
    }
    return toUtf8(out);
}

namespace {

// Which part a position of the mask belongs to; -1 for a separator.
int partAt(const std::vector<TDateMaskPart>& parts, int position)
{
    int start = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (position >= start && position < start + parts[i].length)
            return static_cast<int>(i);
        start += parts[i].length + 1;
    }
    return -1;
}

int partStart(const std::vector<TDateMaskPart>& parts, int part)
{
    int start = 0;
    for (int i = 0; i < part; ++i)
        start += parts[static_cast<std::size_t>(i)].length + 1;
    return start;
}

void blankRange(std::u32string& text, const std::vector<TDateMaskPart>& parts, int from, int count)
{
    for (int i = std::max(0, from); i < from + count && i < static_cast<int>(text.size()); ++i) {
        if (partAt(parts, i) >= 0)
            text[static_cast<std::size_t>(i)] = blank;
    }
}

} // namespace

namespace {

bool suits(TDatePartKind kind, char32_t ch)
{
    switch (kind) {
    case TDatePartKind::Year: return isDigit(ch);
    case TDatePartKind::Day:
    case TDatePartKind::Month: return isDigit(ch) || ch == blank;
    case TDatePartKind::MonthName: return !isDigit(ch) && ch != blank && ch >= U'A';
    }
    return false;
}

} // namespace

bool TDateEditMask::holds(const std::string& text) const
{
    if (!valid())
        return true;
    std::u32string const t = toChars(text);
    if (static_cast<int>(t.size()) != length())
        return false;
    for (int i = 0; i < length(); ++i) {
        char32_t const c = t[static_cast<std::size_t>(i)];
        int const part = partAt(m_parts, i);
        if (part < 0 ? c != m_separator : c != blank && !suits(m_parts[static_cast<std::size_t>(part)].kind, c))
            return false;
    }
    return true;
}

std::optional<TMaskEdit> TDateEditMask::typed(const std::string& text, int selStart, int selLength, char32_t ch) const
{
    if (!valid())
        return std::nullopt;
    std::u32string t = toChars(fit(text));
    int const n = length();
    int caret = std::clamp(selStart, 0, n);
    blankRange(t, m_parts, caret, selLength);
    if (ch == m_separator) {
        // Typed out of habit right after a part was filled: the caret is already there.
        if (caret == 0 || partAt(m_parts, caret - 1) < 0)
            return TMaskEdit{toUtf8(t), caret};
        for (int i = caret; i < n; ++i) {
            if (partAt(m_parts, i) < 0)
                return TMaskEdit{toUtf8(t), i + 1};
        }
        return TMaskEdit{toUtf8(t), caret};
    }
    int pos = caret;
    while (pos < n && partAt(m_parts, pos) < 0)
        ++pos;
    if (pos >= n)
        return std::nullopt;
    int const part = partAt(m_parts, pos);
    if (!suits(m_parts[static_cast<std::size_t>(part)].kind, ch))
        return std::nullopt;
    // Typing from a part's start retypes the part: what stood after it goes, so
    // the new digits are judged on their own and not with the old ones.
    if (pos == partStart(m_parts, part))
        blankRange(t, m_parts, pos, m_parts[static_cast<std::size_t>(part)].length);
    t[static_cast<std::size_t>(pos)] = ch;
    caret = pos + 1;
    while (caret < n && partAt(m_parts, caret) < 0)
        ++caret;
    return TMaskEdit{toUtf8(t), caret};
}

TMaskEdit TDateEditMask::backspace(const std::string& text, int selStart, int selLength) const
{
    std::u32string t = toChars(fit(text));
    int caret = std::clamp(selStart, 0, length());
    if (selLength > 0) {
        blankRange(t, m_parts, caret, selLength);
        return {toUtf8(t), caret};
    }
    int pos = caret - 1;
    while (pos >= 0 && partAt(m_parts, pos) < 0)
        --pos;
    if (pos < 0)
        return {toUtf8(t), caret};
    t[static_cast<std::size_t>(pos)] = blank;
    return {toUtf8(t), pos};
}

TMaskEdit TDateEditMask::deleteForward(const std::string& text, int selStart, int selLength) const
{
    std::u32string t = toChars(fit(text));
    int const caret = std::clamp(selStart, 0, length());
    if (selLength > 0) {
        blankRange(t, m_parts, caret, selLength);
        return {toUtf8(t), caret};
    }
    int pos = caret;
    while (pos < length() && partAt(m_parts, pos) < 0)
        ++pos;
    if (pos < length())
        t[static_cast<std::size_t>(pos)] = blank;
    return {toUtf8(t), caret};
}

bool TDateEditMask::canBecomeDate(const std::string& text) const
{
    if (!valid())
        return true;
    std::u32string const t = toChars(text);
    if (!hasMonthNames()) {
        if (!std::all_of(t.begin(), t.end(),
                         [this](char32_t c) { return isDigit(c) || c == blank || c == m_separator; }))
            return false;
    } else if (allDigits(t)) {
        return false;
    }
    std::vector<std::u32string> const given = splitAt(t, m_separator);
    if (given.size() != m_parts.size())
        return false;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const TDateMaskPart& part = m_parts[i];
        const std::u32string& s = given[i];
        if (!numeric(part.kind))
            continue;
        std::u32string digits;
        std::copy_if(s.begin(), s.end(), std::back_inserter(digits), [](char32_t c) { return c != blank; });
        if (digits.empty())
            continue;
        if (!allDigits(digits))
            return false;
        if (digits.size() < s.size()) {
            // The first digit of a month or day typed so far: 1x at most, 3x at most.
            bool const firstOnly = digits.size() == 1 && s[0] != blank && s.size() >= 2;
            if (firstOnly && part.kind == TDatePartKind::Month && valueOf(digits) >= 2)
                return false;
            if (firstOnly && part.kind == TDatePartKind::Day && valueOf(digits) >= 4)
                return false;
            continue;
        }
        int const v = valueOf(digits);
        if (v <= 0 || v > part.sample)
            return false;
    }
    return true;
}

std::optional<TDateTime> TDateEditMask::dateOf(const std::string& text) const
{
    if (!valid())
        return std::nullopt;
    std::u32string const t = toChars(text);
    if (t.find(blank) != std::u32string::npos)
        return std::nullopt;
    std::vector<std::u32string> const given = splitAt(t, m_separator);
    if (given.size() != m_parts.size())
        return std::nullopt;
    int year = 0, month = 0, day = 0, yearSample = 0;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const TDateMaskPart& part = m_parts[i];
        const std::u32string& s = given[i];
        if (s.empty())
            return std::nullopt;
        if (part.kind == TDatePartKind::MonthName) {
            auto const found = std::find_if(m_monthNames.begin(), m_monthNames.end(), [&](const std::string& name) {
                return lowered(toChars(name)) == lowered(s);
            });
            if (found == m_monthNames.end())
                return std::nullopt;
            month = static_cast<int>(found - m_monthNames.begin()) + 1;
            continue;
        }
        if (!allDigits(s))
            return std::nullopt;
        int const v = valueOf(s);
        if (v <= 0 || v > part.sample)
            return std::nullopt;
        (part.kind == TDatePartKind::Day ? day : part.kind == TDatePartKind::Month ? month : year) = v;
        if (part.kind == TDatePartKind::Year)
            yearSample = part.sample;
    }
    if (!hasMonthNames())
        return strToDate(text);
    if (yearSample == 99)
        year += decodeDate(today()).year / 100 * 100;
    if (!isValidDate(year, month, day))
        throw EConvertError(notADate(text));
    return encodeDate(year, month, day);
}

} // namespace qv
