#include "report/snapshot/PrintRange.h"

#include "runtime/core/Exception.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace qv::snapshot {

namespace {

int toInteger(const std::string& text)
{
    std::string value = upper(trim(text, asciiSpaces));
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    if (i == value.size())
        throw EConvertError("'" + text + "' is not a valid integer value");
    long long result = 0;
    for (; i < value.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(value[i])))
            throw EConvertError("'" + text + "' is not a valid integer value");
        result = result * 10 + (value[i] - '0');
        if (result > INT_MAX)
            throw EConvertError("'" + text + "' is not a valid integer value");
    }
    return static_cast<int>(negative ? -result : result);
}

bool itemMatches(int page, const std::string& rawItem)
{
    std::string item = upper(trim(rawItem, asciiSpaces));
    if (item == "A" || item == "ALL")
        return true;
    if (item == "E" || item == "EVEN")
        return page % 2 == 0;
    if (item == "O" || item == "ODD")
        return page % 2 != 0;
    if (item == "R")
        return false;
    size_t dash = item.find('-');
    if (dash == std::string::npos)
        return page == toInteger(item);
    std::string left = item.substr(0, dash);
    std::string right = item.substr(dash + 1);
    if (left.empty() && right.empty())
        throw EConvertError("'' is not a valid integer value");
    int from = left.empty() ? 1 : toInteger(left);
    int to = right.empty() ? INT_MAX : toInteger(right);
    return page >= from && page <= to;
}

} // namespace

bool pageInRange(int page, const std::string& selection, int firstPage, int lastPage)
{
    if (selection.empty())
        return page >= firstPage && page <= lastPage;
    size_t start = 0;
    while (start <= selection.size()) {
        size_t comma = selection.find(',', start);
        if (comma == std::string::npos)
            comma = selection.size();
        if (itemMatches(page, selection.substr(start, comma - start)))
            return true;
        start = comma + 1;
    }
    return false;
}

} // namespace qv::snapshot
