#include "report/snapshot/Translation.h"

#include <algorithm>

namespace qv::report {

std::string ReportText::shown(const Translator& translator) const
{
    std::string const text = translator ? translator(pattern) : pattern;
    if (!value)
        return text;
    auto const at = std::min(text.find("%s"), text.find("%d"));
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + *value + text.substr(at + 2);
}

ETranslatable::ETranslatable(ReportText text) : Exception(text.shown()), m_text(std::move(text)) {}

void ETranslatable::translateFor(const Translator& translator)
{
    if (translator)
        static_cast<Exception&>(*this) = Exception(m_text.shown(translator));
}

} // namespace qv::report
