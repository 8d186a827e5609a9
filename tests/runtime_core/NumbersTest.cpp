#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

using namespace qv;

namespace {

RegionalSettings commaSettings()
{
    RegionalSettings s = RegionalSettings::posix();
    s.decimalSeparator = ',';
    return s;
}

template<typename Fn>
std::string errorText(Fn fn)
{
    try {
        fn();
    } catch (const Exception& e) {
        return e.message();
    }
    return "(no error)";
}

} // namespace

TEST(RoundDecimal, FollowsTheBinaryValuesNotDecimalHalfUp)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(roundDecimal(0.125, -2), 0.12);
    EXPECT_EQ(roundDecimal(0.375, -2), 0.37);
    EXPECT_EQ(roundDecimal(0.005, -2), 0.0);
    EXPECT_EQ(roundDecimal(0.015, -2), 0.01);
    EXPECT_EQ(roundDecimal(0.025, -2), 0.03);
    EXPECT_EQ(roundDecimal(0.135, -2), 0.14);
    EXPECT_EQ(roundDecimal(2.675, -2), 2.67);
    EXPECT_EQ(roundDecimal(-2.675, -2), -2.67);
    EXPECT_EQ(roundDecimal(1234.5, 0), 1234.0); // ties to even
    EXPECT_EQ(roundDecimal(1235.5, 0), 1236.0);
    EXPECT_EQ(roundDecimal(1250.0, 2), 1200.0);
}

TEST(RoundDecimal, MonthlyRatesToFivePlaces)
{
    EXPECT_EQ(static_cast<float>(roundDecimal(5.0 / 1200.0, -5)), 0.00417f);
    EXPECT_EQ(static_cast<float>(roundDecimal(5.00001 / 1200.0, -5)), 0.00417f);
    EXPECT_EQ(static_cast<float>(roundDecimal(7.0 / 1200.0, -5)), 0.00583f);
    EXPECT_EQ(roundDecimal(0.006 / 1200.0, -5), 0.0);
}

TEST(RoundDecimal, QuotientBeyondInt64IsAnInvalidOperation)
{
    EXPECT_EQ(errorText([] { roundDecimal(1e30 / 1200, -5); }), "Invalid floating point operation");
    EXPECT_EQ(errorText([] { roundDecimal(std::numeric_limits<double>::quiet_NaN(), -2); }),
        "Invalid floating point operation");
    EXPECT_EQ(errorText([] { roundDecimal(1.0e17, -2); }), "Invalid floating point operation");
    EXPECT_NO_THROW(roundDecimal(9.0e16, -2));
}

TEST(NumberText, FixedAndScientificForms)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(numberText(1074.13), "1074.13");
    EXPECT_EQ(numberText(0.0001), "0.0001");
    EXPECT_EQ(numberText(200000), "200000");
    EXPECT_EQ(numberText(0.00001), "1E-5");
    EXPECT_EQ(numberText(1.5e20), "1.5E20");
    EXPECT_EQ(numberText(0.0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(-240.13), "-240.13");
    EXPECT_EQ(numberText(1e15), "1E15");
    EXPECT_EQ(numberText(999999999999999.0), "999999999999999");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3"); // 15 significant digits hide the binary tail
    EXPECT_EQ(numberText(0.00417f), "0.00417000008746982");
    EXPECT_EQ(numberText(0.00583f), "0.00583000015467405");
    EXPECT_EQ(numberText(123456.78f), "123456.78125");
    EXPECT_EQ(numberText(-1.25e-7), "-1.25E-7");
    EXPECT_EQ(numberText(9.999999999999999e15), "1E16"); // rounding carries into the exponent
}

TEST(NumberText, UsesTheRegionalDecimalSeparator)
{
    ScopedRegionalSettings comma(commaSettings());
    EXPECT_EQ(numberText(1074.13), "1074,13");
    EXPECT_EQ(numberText(1.5e-9), "1,5E-9");
}

TEST(ParseNumber, AcceptsTheRegionalForm)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(parseNumber("  150 "), 150.0L);
    EXPECT_EQ(parseNumber("-2.5"), -2.5L);
    EXPECT_EQ(parseNumber("+1e3"), 1000.0L);
    EXPECT_EQ(parseNumber("1E-2"), 0.01L);
    EXPECT_EQ(parseNumber(".5"), 0.5L);
    EXPECT_EQ(parseNumber("5."), 5.0L);
    EXPECT_EQ(parseNumber("1e39"), 1e39L);
}

TEST(ParseNumber, RejectsWithTheConversionText)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    for (std::string text : {"", "-", "1.2.3", ".", "1e", "1e+", "abc", "1 000", "0x10", "1,5", "1e5000"})
        EXPECT_EQ(errorText([&] { parseNumber(text); }), "'" + text + "' is not a valid floating point value") << text;
}

TEST(ParseNumber, CommaLocaleRejectsThePoint)
{
    ScopedRegionalSettings comma(commaSettings());
    EXPECT_EQ(parseNumber("1,5"), 1.5L);
    EXPECT_EQ(errorText([] { parseNumber("1.5"); }), "'1.5' is not a valid floating point value");
}

// Texts beyond the exact quick conversion (more than 19 digits, powers beyond 27) go to
// the library, which must read the regional separator and either exponent letter as
// the point and the e of its own notation.
TEST(ParseNumber, CommaLocaleLongTextsReadAsTheLibraryReadsThemWithAPoint)
{
    ScopedRegionalSettings comma(commaSettings());
    struct Case {
        const char* typed;
        const char* plain;
    };
    for (Case c : {Case{"1,23456789012345678901", "1.23456789012345678901"}, Case{"-9,87654321E40", "-9.87654321e40"},
                   Case{"  2,5e-30 ", "2.5e-30"}, Case{"123456789012345678901234", "123456789012345678901234"}})
        EXPECT_EQ(parseNumber(c.typed), std::strtold(c.plain, nullptr)) << c.typed;
    EXPECT_EQ(errorText([] { parseNumber("1,5e5000"); }), "'1,5e5000' is not a valid floating point value");
}

TEST(ParseInteger, DecimalAndHexForms)
{
    EXPECT_EQ(parseInteger("30"), 30);
    EXPECT_EQ(parseInteger("  +7"), 7);
    EXPECT_EQ(parseInteger("-5"), -5);
    EXPECT_EQ(parseInteger("$1F"), 31);
    EXPECT_EQ(parseInteger("x10"), 16);
    EXPECT_EQ(parseInteger("0x10"), 16);
    EXPECT_EQ(parseInteger("-$10"), -16);
    EXPECT_EQ(parseInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST(ParseInteger, RejectsWithTheConversionText)
{
    for (std::string text : {"", " ", "5 ", "1.0", "-", "$", "0x", "2147483648", "$100000000", "1e3", "12a"})
        EXPECT_EQ(errorText([&] { parseInteger(text); }), "'" + text + "' is not a valid integer value") << text;
}

TEST(ConversionErrors, EchoAtMostEightyCharactersWithControlBytesEscaped)
{
    std::string const eighty(80, '7');
    EXPECT_EQ(errorText([&] { parseInteger(eighty); }), "'" + eighty + "' is not a valid integer value");
    EXPECT_EQ(errorText([&] { parseNumber(eighty + "x" + std::string(1'000'000, '7')); }),
        "'" + eighty + "\xE2\x80\xA6' is not a valid floating point value");
    // "é" is one character of two bytes, kept whole; the 81st character is cut.
    std::string const accented = std::string(79, 'a') + "\xC3\xA9" + "zz";
    EXPECT_EQ(echoedInput(accented), std::string(79, 'a') + "\xC3\xA9\xE2\x80\xA6");
    EXPECT_EQ(errorText([&] { parseInteger(std::string("1\x1b[2J\x7f\n", 7)); }),
        "'1\\x1B[2J\\x7F\\x0A' is not a valid integer value");
}

TEST(ParseRate, ReportsTheFirstMisfit)
{
    struct Case {
        std::string text;
        int position;
        long double value;
    };
    for (Case const& c : std::initializer_list<Case>{
             {"5", 0, 5}, {"  5.5", 0, 5.5L}, {"-2", 0, -2}, {"5,5", 2, 5}, {"", 1, 0}, {"-", 2, 0}, {"+", 2, 0},
             {"5 ", 2, 5}, {"1.2.3", 4, 1.2L}, {".5", 0, 0.5L}, {".", 2, 0}, {"5e", 3, 5}, {"5e-", 4, 5},
             {"1e3", 0, 1000}, {"abc", 1, 0}}) {
        ParsedRate const parsed = parseRate(c.text);
        EXPECT_EQ(parsed.errorPosition, c.position) << c.text;
        EXPECT_EQ(parsed.value, c.value) << c.text;
    }
}

TEST(ParseRate, IgnoresTheRegionalSeparatorAndOverflowsBeyondExtended)
{
    ScopedRegionalSettings comma(commaSettings());
    EXPECT_EQ(parseRate("5.5").errorPosition, 0);
    EXPECT_EQ(parseRate("5,5").errorPosition, 2);
    EXPECT_EQ(errorText([] { parseRate("1e5000"); }), "Floating point overflow");
}

TEST(IntegerPower, SquareAndMultiplyWithReciprocal)
{
    EXPECT_EQ(integerPower(10.0L, 2), 100.0L);
    EXPECT_EQ(integerPower(2.0L, -3), 0.125L);
    EXPECT_EQ(integerPower(1.5L, 0), 1.0L);
    EXPECT_EQ(static_cast<double>(integerPower(10.0L, -2)), 0.01);
}

namespace {

// numberText as it was written with the C library's printf: the reference the
// faster formatting must match digit for digit.
std::string printfNumberText(long double x)
{
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    if (x == 0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", x);
    std::string const scientific = buffer;
    bool const negative = scientific[0] == '-';
    std::size_t const start = negative ? 1 : 0;
    std::size_t const ePos = scientific.find('e');
    std::string digits = scientific.substr(start, 1) + scientific.substr(start + 2, ePos - start - 2);
    int const exponent = std::atoi(scientific.c_str() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    char const separator = regionalSettings().decimalSeparator;
    int const e = exponent + 1;
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

// Values of every kind numberText meets, and the hard ones: whole cents and their
// neighbouring doubles, ties at the 15th digit, decade edges, floats, genuine
// extended values and arbitrary bit patterns.
std::vector<long double> numberTextSamples()
{
    std::mt19937_64 random(20261209);
    auto below = [&random](uint64_t n) { return random() % n; };
    std::vector<long double> samples;
    for (int i = 0; i < 4000; ++i) {
        auto const cents = static_cast<long long>(below(1'000'000'000'000'000)) >> below(50);
        double const sign = below(2) ? -1.0 : 1.0;
        double const exact = sign * static_cast<double>(cents) / 100;
        for (double x : {exact, sign * static_cast<double>(cents) * 0.01, roundDecimalDeferred(exact, -2)}) {
            samples.push_back(x);
            samples.push_back(std::nextafter(x, HUGE_VAL));
            samples.push_back(std::nextafter(std::nextafter(x, -HUGE_VAL), -HUGE_VAL));
        }
        // 16 significant digits ending in 5: an exact tie at the 15th digit.
        samples.push_back(static_cast<double>(below(900'000'000'000'000) + 100'000'000'000'000) + 0.5);
        samples.push_back(static_cast<double>(below(90'000'000'000'000) + 10'000'000'000'000) + 0.25);
        samples.push_back(std::ldexp(static_cast<double>(below(1ull << 53)), static_cast<int>(below(200)) - 100));
        samples.push_back(std::bit_cast<double>(random()));
        samples.push_back(std::bit_cast<float>(static_cast<uint32_t>(random())));
        samples.push_back(std::ldexp(static_cast<long double>(random() | (1ull << 63)), static_cast<int>(below(400)) - 263));
        double const decade = std::pow(10.0, static_cast<int>(below(40)) - 20);
        samples.push_back(std::nextafter(decade, 0.0));
        samples.push_back(decade * (1 - 5e-16));
    }
    return samples;
}

} // namespace

TEST(NumberText, MatchesThePrintfFormattingOnRandomValues)
{
    std::vector<long double> const samples = numberTextSamples();
    for (RegionalSettings const& settings : {RegionalSettings::posix(), commaSettings()}) {
        ScopedRegionalSettings scoped(settings);
        int mismatches = 0;
        for (long double x : samples) {
            if (std::isnan(x))
                continue;
            std::string const expected = printfNumberText(x);
            EXPECT_EQ(numberText(x), expected) << std::hexfloat << x;
            if (std::fabs(x) <= DBL_MAX && static_cast<double>(x) == x) {
                EXPECT_EQ(NumberText(static_cast<double>(x)).view(), expected) << std::hexfloat << x;
            }
            if (numberText(x) != expected && ++mismatches > 10) {
                FAIL() << "too many mismatches";
            }
        }
    }
}

TEST(ParseNumber, MatchesTheLibraryConversionOnRandomTexts)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    locale_t const c = newlocale(LC_ALL_MASK, "C", nullptr);
    std::mt19937_64 random(7);
    auto below = [&random](uint64_t n) { return static_cast<int>(random() % n); };
    for (int i = 0; i < 20000; ++i) {
        std::string text = below(3) == 0 ? "-" : "";
        int const digits = 1 + below(24);
        int const point = below(digits + 2);
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                text += '.';
            text += static_cast<char>('0' + below(10));
        }
        if (below(2))
            text += "e" + std::to_string(below(90) - 45);
        long double const expected = strtold_l(text.c_str(), nullptr, c);
        long double const value = parseNumber(text);
        EXPECT_TRUE(value == expected && std::signbit(value) == std::signbit(expected))
            << text << ": " << std::hexfloat << value << " instead of " << expected;
    }
    freelocale(c);
}

TEST(RunFloatStep, ReportsTheFaultThatCameFirstInTheStep)
{
    clearFloatFaults();
    volatile long double const beyondDouble = 1e400L;
    // Overflow first, then an invalid operation: one test of the flags would see both.
    auto const faulty = [&](auto stores) {
        using Stores = decltype(stores);
        double const stored = Stores::toDouble(beyondDouble);
        return stored + Stores::round(1e30, -2);
    };
    EXPECT_EQ(errorText([&] { runFloatStep(faulty); }), "Floating point overflow");
    EXPECT_FALSE(floatFaultsRaised());
    EXPECT_EQ(runFloatStep([](auto stores) { return decltype(stores)::round(2.675, -2); }), 2.67);
    EXPECT_FALSE(floatFaultsRaised());
}
