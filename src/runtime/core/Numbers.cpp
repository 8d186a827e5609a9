#include "runtime/core/Numbers.h"

#include "runtime/core/Exception.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/Format.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <iterator>
#include <cfloat>
#include <cmath>
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

// A decimal mantissa of up to 19 digits and a power of ten up to 27 are both exact
// in the extended type, so one multiplication or division rounds the value once,
// as the library's conversion does, without its cost (a re-amortization reads two
// numbers a month).
struct ExactDecimal {
    static constexpr int maxDigits = 19;
    static constexpr int maxPower = 27;
    static constexpr int maxWrittenExponent = 100000; // beyond any power that matters
    uint64_t mantissa = 0;
    int digits = 0;
    int exponent = 0;
    bool negative = false;
    bool tooLong = false;

    void addDigit(char c)
    {
        if (digits == maxDigits) {
            tooLong = true;
            return;
        }
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
        ++digits;
    }

    bool convert(long double& value) const
    {
        if (tooLong || exponent < -maxPower || exponent > maxPower)
            return false;
        static constexpr auto powers = [] {
            std::array<long double, maxPower + 1> p{};
            p[0] = 1;
            for (int k = 1; k <= maxPower; ++k)
                p[k] = p[k - 1] * 10;
            return p;
        }();
        long double const m = static_cast<long double>(mantissa);
        value = exponent < 0 ? m / powers[-exponent] : m * powers[exponent];
        if (negative)
            value = -value;
        return true;
    }
};

// x in "%.*Le" form. Every figure of the loan is a double or a float, and the
// library formats those without going through printf; only a genuine extended
// value takes the slow road. Both round the exact binary value to nearest, ties to even.
char* formatScientific(char* buffer, std::size_t size, long double x, int precision)
{
    char* const end = buffer + size;
    if (std::fabs(x) <= DBL_MAX && static_cast<double>(x) == x)
        return std::to_chars(buffer, end, static_cast<double>(x), std::chars_format::scientific, precision).ptr;
    return std::to_chars(buffer, end, x, std::chars_format::scientific, precision).ptr;
}

// Money is held in whole cents. A decimal D of at most 15 significant digits lies
// within half a unit of the 15th digit of every double up to one step from the
// double nearest D (a step of a double is below a quarter of that unit), so the
// 15-digit rounding of such an x is D itself and its text comes straight from the
// integer c = 100 D. Writes the text and returns its end, or nullptr for any other x.
char* centsText(char* out, double value, char separator)
{
    constexpr double limit = 1e13; // |c| < 10^15: at most 15 digits, exact as a double
    if (!(std::fabs(value) < limit))
        return nullptr;
    double const scaled = value * 100;
    long long const cents = static_cast<long long>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
    double const nearest = static_cast<double>(cents) / 100; // one correctly rounded division
    auto const steps = std::bit_cast<int64_t>(value) - std::bit_cast<int64_t>(nearest);
    if (cents == 0 || steps < -1 || steps > 1)
        return nullptr;

    char digits[24];
    char* const digitsEnd = std::to_chars(digits, std::end(digits), cents < 0 ? -cents : cents).ptr;
    int const count = static_cast<int>(digitsEnd - digits);
    char* o = out;
    if (cents < 0)
        *o++ = '-';
    if (count <= 2) {
        *o++ = '0';
    } else {
        o = std::copy(digits, digitsEnd - 2, o);
    }
    int const fraction = static_cast<int>((cents < 0 ? -cents : cents) % 100);
    if (fraction == 0)
        return o;
    *o++ = separator;
    *o++ = static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0)
        *o++ = static_cast<char>('0' + fraction % 10);
    return o;
}

char* copyText(char* out, std::string_view text)
{
    return std::copy(text.begin(), text.end(), out);
}

// numberText into out (64 characters are enough); returns the end.
char* writeNumberText(char* out, char* outEnd, long double x)
{
    if (std::isnan(x))
        return copyText(out, "NAN");
    if (std::isinf(x))
        return copyText(out, x < 0 ? "-INF" : "INF");
    if (x == 0)
        return copyText(out, "0");

    char const separator = regionalSettings().decimalSeparator;
    if (std::fabs(x) <= DBL_MAX && static_cast<double>(x) == x) {
        if (char* end = centsText(out, static_cast<double>(x), separator))
            return end;
    }

    constexpr int significantDigits = 15;
    char scientific[64]; // [-]d.ddddddddddddddde[+-]x...
    char const* const scientificEnd = formatScientific(scientific, sizeof scientific, x, significantDigits - 1);
    char const* p = scientific;
    bool const negative = *p == '-';
    if (negative)
        ++p;
    char digits[significantDigits];
    int count = 0;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            digits[count++] = *p;
    }
    ++p;
    if (*p == '+')
        ++p;
    int exponent = 0; // x = d.ddd * 10^exponent
    std::from_chars(p, scientificEnd, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    int const e = exponent + 1; // x = 0.ddd * 10^e
    char* o = out;
    if (negative)
        *o++ = '-';
    if (e > 15 || e < -3) {
        *o++ = digits[0];
        if (count > 1) {
            *o++ = separator;
            o = std::copy(digits + 1, digits + count, o);
        }
        *o++ = 'E';
        o = std::to_chars(o, outEnd, exponent).ptr;
    } else if (e <= 0) {
        *o++ = '0';
        *o++ = separator;
        o = std::fill_n(o, -e, '0');
        o = std::copy(digits, digits + count, o);
    } else if (count <= e) {
        o = std::copy(digits, digits + count, o);
        o = std::fill_n(o, e - count, '0');
    } else {
        o = std::copy(digits, digits + e, o);
        *o++ = separator;
        o = std::copy(digits + e, digits + count, o);
    }
    return o;
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

double roundDecimalDeferred(double x, int d)
{
    double const factor = static_cast<double>(integerPower(10.0L, d));
    long double const quotient = static_cast<long double>(x) / factor;
    long long const whole = llrintl(quotient); // out of range raises the invalid-operation flag
    return static_cast<double>(static_cast<long double>(whole) * factor);
}

double roundDecimal(double x, int d)
{
    double const result = roundDecimalDeferred(x, d);
    raiseFloatFaults();
    return result;
}

std::string numberText(long double x)
{
    return std::string(NumberText(x).view());
}

NumberText::NumberText(long double x)
{
    char* const end = writeNumberText(m_text, std::end(m_text), x);
    m_size = static_cast<std::size_t>(end - m_text);
}

NumberText::NumberText(double x)
{
    char* end = x != 0 ? centsText(m_text, x, regionalSettings().decimalSeparator) : nullptr;
    if (!end)
        end = writeNumberText(m_text, std::end(m_text), x);
    m_size = static_cast<std::size_t>(end - m_text);
}

long double parseNumber(const std::string& typed)
{
    char const separator = regionalSettings().decimalSeparator;
    // Messages quote the text as typed, spaces around it included.
    std::string_view const text = trimmedView(typed, " ");
    std::size_t i = 0;
    std::size_t const end = text.size();
    std::size_t separatorAt = std::string_view::npos;
    std::size_t exponentAt = std::string_view::npos;

    ExactDecimal exact;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        exact.negative = text[i++] == '-';
    int mantissaDigits = 0;
    while (i < end && isDigit(text[i])) {
        exact.addDigit(text[i++]);
        ++mantissaDigits;
    }
    if (i < end && text[i] == separator) {
        separatorAt = i++;
        while (i < end && isDigit(text[i])) {
            exact.addDigit(text[i++]);
            --exact.exponent;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        throw EConvertError(notAFloat(typed));
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        exponentAt = i++;
        bool negativeExponent = false;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        int exponentDigits = 0;
        int written = 0;
        while (i < end && isDigit(text[i])) {
            if (written < ExactDecimal::maxWrittenExponent)
                written = written * 10 + (text[i] - '0');
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            throw EConvertError(notAFloat(typed));
        exact.exponent += negativeExponent ? -written : written;
    }
    if (i != end)
        throw EConvertError(notAFloat(typed));

    long double quick = 0;
    if (exact.convert(quick))
        return quick;
    // The library reads the text in its own notation: a point and a small e.
    std::string plain(text);
    if (separatorAt != std::string_view::npos)
        plain[separatorAt] = '.';
    if (exponentAt != std::string_view::npos)
        plain[exponentAt] = 'e';
    bool outOfRange = false;
    long double const value = convertPlain(plain, outOfRange);
    if (outOfRange)
        throw EConvertError(notAFloat(typed));
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

namespace {

// Moves i past the digits that start there, appending them to out; returns how many.
int takeDigits(const std::string& text, std::size_t& i, std::string& out)
{
    std::size_t const first = i;
    while (i < text.size() && isDigit(text[i]))
        out += text[i++];
    return static_cast<int>(i - first);
}

} // namespace

ParsedRate parseRate(const std::string& text)
{
    std::size_t i = 0;
    std::size_t const n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    std::string plain;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    int mantissaDigits = takeDigits(text, i, plain);
    if (i < n && text[i] == '.') {
        plain += text[i++];
        mantissaDigits += takeDigits(text, i, plain);
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
        if (takeDigits(text, i, exponent) == 0) {
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
