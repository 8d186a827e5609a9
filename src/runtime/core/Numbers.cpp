#include "runtime/core/Numbers.h"

#include "runtime/core/Exception.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/Format.h"
#include "runtime/core/RegionalSettings.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

// Rounding to cents and reading numbers rely on the 80-bit extended type.
static_assert(LDBL_MANT_DIG == 64, "the loan arithmetic needs an 80-bit long double");

namespace qv {
namespace {

locale_t cLocale()
{
    static locale_t const locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Correctly rounded conversion of a plain "[-]digits[.digits][e[-]digits]" text.
long double convertPlain(const std::string& plain, bool& outOfRange)
{
    errno = 0;
    long double const value = strtold_l(plain.c_str(), nullptr, cLocale());
    outOfRange = errno == ERANGE && std::isinf(value);
    return value;
}

std::string notAFloat(const std::string& text)
{
    return formatMessage("'%s' is not a valid floating point value", echoedInput(text));
}

} // namespace

long double integerPower(long double base, int exponent)
{
    unsigned long long n = exponent < 0 ? -static_cast<long long>(exponent) : exponent;
    long double result = 1.0L;
    while (n != 0) {
        if (n & 1)
            result *= base;
        n >>= 1;
        if (n != 0)
            base *= base;
    }
    if (exponent < 0)
        result = 1.0L / result;
    return result;
}

double roundDecimal(double x, int d)
{
    double const factor = static_cast<double>(integerPower(10.0L, d));
    long double const quotient = static_cast<long double>(x) / factor;
    long long const whole = llrintl(quotient); // out of range raises the invalid-operation flag
    double const result = static_cast<double>(static_cast<long double>(whole) * factor);
    raiseFloatFaults();
    return result;
}

std::string numberText(long double x)
{
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    if (x == 0)
        return "0";

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", x);
    std::string const scientific = buffer; // [-]d.dddddddddddddde[+-]xx
    bool const negative = scientific[0] == '-';
    std::size_t const start = negative ? 1 : 0;
    std::size_t const ePos = scientific.find('e');
    std::string digits = scientific.substr(start, 1) + scientific.substr(start + 2, ePos - start - 2);
    int const exponent = std::atoi(scientific.c_str() + ePos + 1); // x = d.ddd * 10^exponent
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    char const separator = regionalSettings().decimalSeparator;
    int const e = exponent + 1; // x = 0.ddd * 10^e
    std::string out = negative ? "-" : "";
    if (e > 15 || e < -3) {
        out += digits[0];
        if (digits.size() > 1)
            out += separator + digits.substr(1);
        out += 'E';
        if (exponent < 0)
            out += '-';
        out += std::to_string(std::abs(exponent));
        return out;
    }
    if (e <= 0)
        return out + "0" + separator + std::string(-e, '0') + digits;
    if (static_cast<int>(digits.size()) <= e)
        return out + digits + std::string(e - digits.size(), '0');
    return out + digits.substr(0, e) + separator + digits.substr(e);
}

long double parseNumber(const std::string& text)
{
    char const separator = regionalSettings().decimalSeparator;
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;

    std::string plain;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    int mantissaDigits = 0;
    while (i < end && isDigit(text[i])) {
        plain += text[i++];
        ++mantissaDigits;
    }
    if (i < end && text[i] == separator) {
        plain += '.';
        ++i;
        while (i < end && isDigit(text[i])) {
            plain += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        throw EConvertError(notAFloat(text));
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        int exponentDigits = 0;
        while (i < end && isDigit(text[i])) {
            plain += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            throw EConvertError(notAFloat(text));
    }
    if (i != end)
        throw EConvertError(notAFloat(text));

    bool outOfRange = false;
    long double const value = convertPlain(plain, outOfRange);
    if (outOfRange)
        throw EConvertError(notAFloat(text));
    return value;
}

int32_t parseInteger(const std::string& text)
{
    auto fail = [&text]() { return EConvertError(formatMessage("'%s' is not a valid integer value", echoedInput(text))); };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        throw fail();

    unsigned long long magnitude = 0;
    for (; i < text.size(); ++i) {
        char const c = text[i];
        int digit;
        if (isDigit(c))
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            throw fail();
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > 0xFFFFFFFFull)
            throw fail();
    }
    if (hex) {
        // Eight hex digits are a 32-bit pattern; the sign applies to the pattern.
        int32_t const pattern = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
        return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(pattern)) : pattern;
    }
    if (negative) {
        if (magnitude > 2147483648ull)
            throw fail();
        return static_cast<int32_t>(-static_cast<long long>(magnitude));
    }
    if (magnitude > 2147483647ull)
        throw fail();
    return static_cast<int32_t>(magnitude);
}

ParsedRate parseRate(const std::string& text)
{
    std::size_t i = 0;
    std::size_t const n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    std::string plain;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    int mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        plain += text[i++];
        ++mantissaDigits;
    }
    if (i < n && text[i] == '.') {
        plain += text[i++];
        while (i < n && isDigit(text[i])) {
            plain += text[i++];
            ++mantissaDigits;
        }
    }
    ParsedRate result;
    if (mantissaDigits == 0) {
        result.errorPosition = static_cast<int>(i) + 1;
        return result;
    }
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::string exponent = "e";
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            exponent += text[i++];
        int exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            exponent += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            bool ignored = false;
            result.value = convertPlain(plain, ignored);
            result.errorPosition = static_cast<int>(i) + 1;
            return result;
        }
        plain += exponent;
    }
    bool outOfRange = false;
    result.value = convertPlain(plain, outOfRange);
    if (outOfRange)
        throw EOverflow();
    result.errorPosition = i == n ? 0 : static_cast<int>(i) + 1;
    return result;
}

} // namespace qv
