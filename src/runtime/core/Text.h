#pragma once

#include <string>
#include <string_view>
#include <vector>

// Byte-string helpers shared by every layer. Letters are ASCII only: bytes from
// 0x80 up (UTF-8 sequences, 8-bit code pages) pass through unchanged in any locale.
namespace qv {

// What trim takes for blank. Within a line only spaces and tabs; a value that may
// carry its line end, or a field typed by the user, loses CR and LF too.
inline constexpr std::string_view blanksInLine = " \t";
inline constexpr std::string_view blanksWithLineEnds = " \t\r\n";
// Everything the C library calls space: also vertical tab and form feed.
inline constexpr std::string_view asciiSpaces = " \t\n\v\f\r";

// The text without the leading and trailing characters found in blanks.
std::string trim(std::string_view text, std::string_view blanks = blanksInLine);
// The same, as a view into text.
std::string_view trimmedView(std::string_view text, std::string_view blanks = blanksInLine);

std::string lower(std::string text);
std::string upper(std::string text);

// Equal but for the case of ASCII letters.
bool sameText(std::string_view a, std::string_view b);
// Whether text ends in suffix, the case of ASCII letters aside.
bool endsWithText(std::string_view text, std::string_view suffix);

// Lines ended by CR LF, a lone LF or a lone CR; a text ending in a line end has no
// empty line after it, and an empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);
// The line that starts at `at` by the same rules, as a view into text; moves `at` past
// its line end. False once the text is used up.
bool nextLine(std::string_view text, std::size_t& at, std::string_view& line);

// The pieces between separators, empty ones included: n separators give n + 1
// pieces, so an empty text is one empty piece.
std::vector<std::string> splitAt(std::string_view text, char separator);

} // namespace qv
