// File-list masks and the names they filter: a mask typed into the file dialog
// against names found on disk. The fast matcher must agree with a plain
// recursive one and never fail on any bytes.
#include "runtime/shell/ShellPatterns.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool reference(const std::string& n, size_t i, const std::string& p, size_t j, std::vector<signed char>& memo)
{
    signed char& m = memo[i * (p.size() + 1) + j];
    if (m >= 0)
        return m;
    bool r;
    if (j == p.size())
        r = i == n.size();
    else if (p[j] == '*')
        r = reference(n, i, p, j + 1, memo) || (i < n.size() && reference(n, i + 1, p, j, memo));
    else
        r = i < n.size()
            && (p[j] == '?'
                || std::tolower(static_cast<unsigned char>(p[j])) == std::tolower(static_cast<unsigned char>(n[i])))
            && reference(n, i + 1, p, j + 1, memo);
    m = r;
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t cut = input.find('\n');
    std::string mask = input.substr(0, cut);
    std::string name = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    bool shown = qv::shellMatchesMask(name, mask);
    bool any = false;
    for (const std::string& pattern : qv::shellMaskPatterns(mask)) {
        if (pattern.find('.') == std::string::npos)
            std::abort();
        if (pattern.size() > 200 || name.size() > 200)
            continue;
        std::vector<signed char> memo((name.size() + 1) * (pattern.size() + 1), -1);
        bool expected = reference(name, 0, pattern, 0, memo);
        if (qv::shellMatchesPattern(name, pattern) != expected)
            std::abort();
        any = any || expected || pattern == "*.*";
    }
    if (mask.size() <= 200 && name.size() <= 200 && any != shown)
        std::abort();
    return 0;
}
