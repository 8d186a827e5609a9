#include "runtime/shell/ShellPatterns.h"

#include <cctype>

namespace qv {

namespace {

bool sameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

} // namespace

bool shellMatchesPattern(const std::string& name, const std::string& pattern)
{
    // Backtracks only to the last "*": linear enough for any name.
    size_t n = 0, p = 0;
    size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] != '*' && (pattern[p] == '?' || sameLetter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> shellMaskPatterns(const std::string& mask)
{
    std::vector<std::string> patterns;
    std::string current;
    auto flush = [&] {
        if (current.find('.') != std::string::npos)
            patterns.push_back(current);
        current.clear();
    };
    for (char c : mask) {
        if (c == ';' || c == '|')
            flush();
        else
            current += c;
    }
    flush();
    return patterns;
}

bool shellMatchesMask(const std::string& name, const std::string& mask)
{
    for (const std::string& pattern : shellMaskPatterns(mask))
        if (pattern == "*.*" || shellMatchesPattern(name, pattern))
            return true;
    return false;
}

} // namespace qv
