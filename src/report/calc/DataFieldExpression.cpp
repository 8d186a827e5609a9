#include "report/calc/DataFieldExpression.h"

#include "report/calc/ReportVariables.h"
#include "report/components/RpPersistent.h"
#include "runtime/core/Exception.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/core/Text.h"

#include <cctype>
#include <limits>
#include <optional>

namespace qv::report {

namespace {

constexpr const char* invalidText = "(invalid)";

std::string normalized(const std::string& expression)
{
    std::string text = trim(expression, blanksWithLineEnds);
    if (!text.empty() && text.back() == ';')
        text.pop_back();
    return trim(text, blanksWithLineEnds);
}

// The first "." that is not inside angle brackets.
std::string::size_type prefixDot(const std::string& reference)
{
    bool bracketed = false;
    for (std::string::size_type i = 0; i < reference.size(); ++i) {
        char c = reference[i];
        if (c == '<')
            bracketed = true;
        else if (c == '>')
            bracketed = false;
        else if (c == '.' && !bracketed)
            return i;
    }
    return std::string::npos;
}

class Evaluator {
public:
    Evaluator(const std::string& text, const TRpBaseDataView* view, ExpressionContext& context)
        : m_text(text)
        , m_view(view)
        , m_context(context)
    {
    }

    std::string run() { return sequence(false); }

private:
    std::string sequence(bool nested)
    {
        std::string result;
        while (true) {
            skipBlanks();
            if (atEnd())
                break;
            if (nested && peek() == ')') {
                ++m_pos;
                break;
            }
            std::string value = item();
            result += value;
            skipBlanks();
            if (atEnd())
                break;
            char op = peek();
            if (op == '&' || op == '+') {
                ++m_pos;
                if (op == '&' && !value.empty())
                    result += ' ';
            } else if (op != ')') {
                ++m_pos; // stray character: step over it rather than loop
            }
        }
        return result;
    }

    std::string item()
    {
        char c = peek();
        if (c == '(') {
            ++m_pos;
            return sequence(true);
        }
        if (c == '\'' || c == '"')
            return literal(c);
        return reference(referenceText());
    }

    std::string literal(char quote)
    {
        ++m_pos;
        std::string value;
        while (!atEnd()) {
            char c = m_text[m_pos++];
            if (c != quote) {
                value += c;
                continue;
            }
            if (!atEnd() && peek() == quote) {
                value += quote;
                ++m_pos;
                continue;
            }
            break;
        }
        return value;
    }

    std::string referenceText()
    {
        std::string text;
        bool bracketed = false;
        while (!atEnd()) {
            char c = peek();
            if (!bracketed && (c == '+' || c == '&' || c == ')'))
                break;
            if (c == '<')
                bracketed = true;
            else if (c == '>')
                bracketed = false;
            text += c;
            ++m_pos;
        }
        return trim(text, blanksWithLineEnds);
    }

    std::string reference(const std::string& text)
    {
        if (text.empty())
            return {};
        auto dot = prefixDot(text);
        if (dot == std::string::npos)
            return fieldText(m_view, text);
        std::string prefix = trim(text.substr(0, dot), blanksWithLineEnds);
        std::string name = trim(text.substr(dot + 1), blanksWithLineEnds);
        if (sameText(prefix, "REPORT")) {
            auto number = reportVariableNumber(name);
            return number ? m_context.reportVariable(*number) : invalidText;
        }
        if (sameText(prefix, "PIVAR"))
            return m_context.piVar(name);
        if (sameText(prefix, "PARAM"))
            return m_context.parameter(name);
        const TRpBaseDataView* view = m_context.findDataView(prefix);
        if (!view)
            return invalidText;
        return fieldText(view, name);
    }

    std::string fieldText(const TRpBaseDataView* view, const std::string& name)
    {
        auto field = m_context.readField(view, name);
        return field ? field->text : invalidText;
    }

    void skipBlanks()
    {
        while (!atEnd() && std::isspace(static_cast<unsigned char>(peek())))
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return m_text[m_pos]; }

    const std::string& m_text;
    const TRpBaseDataView* m_view;
    ExpressionContext& m_context;
    std::string::size_type m_pos = 0;
};

} // namespace

std::string evaluateExpression(const std::string& expression, const TRpBaseDataView* dataView, ExpressionContext& context)
{
    if (!context.printing())
        return expression;
    std::string text = normalized(expression);
    return Evaluator(text, dataView, context).run();
}

namespace {

// The texts the number writer gives values beyond all numbers ("NAN", "INF", "-INF")
// stay such values, so that they are never shown as 0.
std::optional<long double> nonFiniteNumber(const std::string& text)
{
    std::string word;
    for (char c : text) {
        if (c != ' ')
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (word == "NAN" || word == "-NAN")
        return std::numeric_limits<long double>::quiet_NaN();
    if (word == "INF" || word == "+INF")
        return std::numeric_limits<long double>::infinity();
    if (word == "-INF")
        return -std::numeric_limits<long double>::infinity();
    return std::nullopt;
}

} // namespace

long double wholeNumber(const std::string& text)
{
    try {
        return parseNumber(text);
    } catch (const Exception&) {
        return nonFiniteNumber(text).value_or(0);
    }
}

long double cleanedNumber(const std::string& text)
{
    // A plain number, exponent included, is taken as it is: only decorated texts
    // ("$1,200.00") are cleaned, and cleaning "1E308" would make it 1308.
    try {
        return parseNumber(text);
    } catch (const Exception&) {
    }
    char separator = regionalSettings().decimalSeparator;
    std::string kept;
    bool separatorSeen = false;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            kept += c;
        } else if (c == separator && !separatorSeen) {
            kept += c;
            separatorSeen = true;
        } else if (c == '-' && kept.empty()) {
            kept += c;
        }
    }
    return wholeNumber(kept);
}

NumberRead readNumber(const std::string& expression, const TRpBaseDataView* dataView, ExpressionContext& context)
{
    std::string name = normalized(expression);
    if (dataView && !name.empty() && prefixDot(name) == std::string::npos) {
        if (auto field = context.readField(dataView, name)) {
            if (field->isNull)
                return {0, true};
            return {field->isString ? wholeNumber(field->text) : field->number, false};
        }
    }
    return {cleanedNumber(evaluateExpression(expression, dataView, context)), false};
}

} // namespace qv::report
