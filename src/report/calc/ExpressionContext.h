#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv::report {

class TRpBaseDataView;

// A field of the current row as expressions and calculations read it.
struct FieldRead {
    bool isNull = false;
    // Null text when null, else the formatted text when present, else the native text.
    std::string text;
    bool isString = true;
    // The value of a field of a numeric type (not used for strings).
    long double number = 0;
};

// What an expression may refer to while a report runs.
class ExpressionContext {
public:
    virtual ~ExpressionContext() = default;

    // False outside a run: texts then show their expressions.
    virtual bool printing() const = 0;
    // nullopt when the view has no such field (or there is no view).
    virtual std::optional<FieldRead> readField(const TRpBaseDataView* view, std::string_view fieldName) = 0;
    virtual TRpBaseDataView* findDataView(std::string_view name) = 0;
    // Empty when absent.
    virtual std::string parameter(std::string_view name) = 0;
    virtual void setParameter(const std::string& name, const std::string& value) = 0;
    virtual std::string piVar(std::string_view name) = 0;
    virtual void setPIVar(const std::string& name, const std::string& value) = 0;
    // The text a report variable prints as (a placeholder for most of them).
    virtual std::string reportVariable(int number) = 0;
};

} // namespace qv::report
