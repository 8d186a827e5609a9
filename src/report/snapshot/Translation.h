#pragma once

#include "runtime/core/Exception.h"

#include <functional>
#include <optional>
#include <string>

namespace qv::report {

// Puts a fixed text of the report engine into the user's language. Empty: the texts
// as written. Whoever runs the engine gives one to its report system (ReportServices).
using Translator = std::function<std::string(const std::string&)>;

// A text the report engine shows a user: the fixed pattern as written and the value for
// its first "%s" (or "%d"). Whoever shows it translates the pattern before the value goes in.
struct ReportText {
    std::string pattern;
    std::optional<std::string> value;

    std::string shown(const Translator& translator = {}) const;
};

// An error of the report engine, thrown where no translator is in reach. Its message
// is the text as written; the report system that lets it out to a user translates it.
class ETranslatable : public Exception {
public:
    explicit ETranslatable(ReportText text);

    const ReportText& text() const { return m_text; }
    // The message becomes the text as translator gives it. It always starts from the
    // written pattern, so an outer report system's translator has the last word.
    void translateFor(const Translator& translator);

private:
    ReportText m_text;
};

} // namespace qv::report
