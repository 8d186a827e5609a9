#pragma once

#include "runtime/core/DateTime.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

enum class TDatePartKind { Day, Month, Year, MonthName };

// One part of the date text between two date separators.
struct TDateMaskPart {
    TDatePartKind kind = TDatePartKind::Day;
    int length = 0;
    // The part's largest value: 31, 12, 99 or 9999.
    int sample = 0;
};

// A text with its caret after an edit, positions in characters.
struct TMaskEdit {
    std::string text;
    int caret = 0;
};

// The date field's edit mask, derived from the user's short date format: the
// text of 31 December 9999 split at the date separator gives the three parts,
// their order and their lengths. The text always has the mask's shape: blanks
// in the positions not typed yet, the separator between the parts.
class TDateEditMask {
public:
    // From the regional settings in force now.
    static TDateEditMask fromRegionalSettings();

    // False when the short date format does not split into day, month and year;
    // the field then edits its text freely.
    bool valid() const { return m_parts.size() == 3; }
    // "!0000/99/99;1; " for a year-month-day format.
    std::string editMask() const;
    // Characters of a text in the mask's shape.
    int length() const;
    bool hasMonthNames() const;
    const std::vector<TDateMaskPart>& parts() const { return m_parts; }

    // A text set by the control, fitted part by part: a short part gets blanks on
    // the left, a long one keeps its last characters.
    std::string fit(const std::string& text) const;
    // Whether every character of a text in the mask's shape suits its position
    // (blanks suit every one).
    bool holds(const std::string& text) const;

    // Typing ch with the selection [selStart, selStart + selLength): the selection is
    // blanked, ch overwrites the next position that can hold a character and the
    // caret moves past it and any separator after it. A character typed at a
    // part's first position blanks the rest of that part. Nothing when ch does not
    // suit that position or no position is left. The separator itself moves the
    // caret to the next part.
    std::optional<TMaskEdit> typed(const std::string& text, int selStart, int selLength, char32_t ch) const;
    TMaskEdit backspace(const std::string& text, int selStart, int selLength) const;
    TMaskEdit deleteForward(const std::string& text, int selStart, int selLength) const;

    // The key check: whether a text can still become a date. Only digits, blanks
    // and the separator for a numeric format, not digits only for a month-name
    // one; a complete numeric part is positive and not above its sample; a first
    // digit typed into an empty month (day) part is below 2 (4).
    bool canBecomeDate(const std::string& text) const;

    // The date a complete text stands for; nothing while it has blanks or a part out
    // of range. A text that looks complete but is no date (31 April) raises
    // EConvertError "'%s' is not a valid date".
    std::optional<TDateTime> dateOf(const std::string& text) const;

private:
    std::vector<TDateMaskPart> m_parts;
    char32_t m_separator = '-';
    // The month names as the short date format writes them, when it writes names.
    std::vector<std::string> m_monthNames;
};

} // namespace qv
