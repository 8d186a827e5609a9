#include "report/snapshot/Translation.h"

namespace qv::report {

namespace {

TranslationHook& translationHook()
{
    static TranslationHook hook;
    return hook;
}

} // namespace

void setTranslationHook(TranslationHook hook)
{
    translationHook() = std::move(hook);
}

std::string translate(const std::string& text)
{
    auto& hook = translationHook();
    return hook ? hook(text) : text;
}

std::string formatMessage(const std::string& pattern, const std::string& value)
{
    auto at = pattern.find("%s");
    if (at == std::string::npos)
        return pattern;
    return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

} // namespace qv::report
