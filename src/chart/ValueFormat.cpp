#include "chart/ValueFormat.h"

#include "runtime/core/RegionalSettings.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace qv {

namespace {

struct Pattern {
    std::string prefix;
    std::string suffix;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
};

bool isDigitPlaceholder(char c) { return c == '0' || c == '#'; }

Pattern parsePattern(const std::string& text)
{
    Pattern p;
    std::string section = text.substr(0, text.find(';'));
    size_t first = section.find_first_of("0#.,");
    size_t last = section.find_last_of("0#.,");
    if (first == std::string::npos)
        return p;
    p.prefix = section.substr(0, first);
    p.suffix = section.substr(last + 1);
    bool afterPoint = false;
    for (size_t i = first; i <= last; ++i) {
        char c = section[i];
        if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            p.grouping = p.grouping || !afterPoint;
        } else if (isDigitPlaceholder(c)) {
            if (afterPoint) {
                ++p.maxDecimals;
                if (c == '0')
                    p.minDecimals = p.maxDecimals;
            } else if (c == '0' || p.minIntegerDigits > 0) {
                ++p.minIntegerDigits;
            }
        }
    }
    return p;
}

char thousandSeparatorFor(char decimalSeparator) { return decimalSeparator == ',' ? '.' : ','; }

} // namespace

std::string formatFloat(const std::string& patternText, double value)
{
    Pattern p = parsePattern(patternText);
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");

    std::vector<char> buffer(400);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", p.maxDecimals, std::fabs(value));
    std::string digits(buffer.data());
    std::string integerPart = digits.substr(0, digits.find('.'));
    std::string fraction = digits.find('.') == std::string::npos ? "" : digits.substr(digits.find('.') + 1);
    while (static_cast<int>(fraction.size()) > p.minDecimals && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (integerPart == "0" && p.minIntegerDigits == 0 && !fraction.empty())
        integerPart.clear();
    while (static_cast<int>(integerPart.size()) < p.minIntegerDigits)
        integerPart.insert(integerPart.begin(), '0');

    const char decimalSeparator = regionalSettings().decimalSeparator;
    std::string grouped;
    if (p.grouping) {
        for (size_t i = 0; i < integerPart.size(); ++i) {
            if (i > 0 && (integerPart.size() - i) % 3 == 0)
                grouped += thousandSeparatorFor(decimalSeparator);
            grouped += integerPart[i];
        }
    } else {
        grouped = integerPart;
    }

    bool allZero = digits.find_first_not_of("0.") == std::string::npos;
    std::string out = p.prefix;
    if (value < 0 && !allZero)
        out += '-';
    out += grouped;
    if (!fraction.empty()) {
        out += decimalSeparator;
        out += fraction;
    }
    if (grouped.empty() && fraction.empty())
        out += '0';
    return out + p.suffix;
}

} // namespace qv
