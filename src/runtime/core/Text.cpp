#include "runtime/core/Text.h"

#include <algorithm>

namespace qv {
namespace {

char lowerLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char upperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool sameLetter(char a, char b) { return lowerLetter(a) == lowerLetter(b); }

} // namespace

std::string trim(std::string_view text, std::string_view blanks) { return std::string(trimmedView(text, blanks)); }

std::string_view trimmedView(std::string_view text, std::string_view blanks)
{
    // A plain scan: find_first_not_of searches its set once a character, through a call.
    auto const blank = [blanks](char c) { return std::find(blanks.begin(), blanks.end(), c) != blanks.end(); };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    if (begin == end)
        return {};
    while (blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), lowerLetter);
    return text;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), upperLetter);
    return text;
}

bool sameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameLetter);
}

bool endsWithText(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && sameText(text.substr(text.size() - suffix.size()), suffix);
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    std::string_view line;
    while (nextLine(text, at, line))
        lines.emplace_back(line);
    return lines;
}

bool nextLine(std::string_view text, std::size_t& at, std::string_view& line)
{
    if (at >= text.size())
        return false;
    // A plain scan: find_first_of searches its set once a character.
    std::size_t end = at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    line = text.substr(at, end - at);
    if (end == text.size()) {
        at = end;
        return true;
    }
    bool const crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    at = end + (crLf ? 2 : 1);
    return true;
}

std::vector<std::string> splitAt(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        std::size_t const end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace qv
