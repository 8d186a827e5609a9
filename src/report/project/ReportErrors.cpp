#include "report/project/ReportErrors.h"

#include <cstdio>

namespace qv::report {

namespace {

TranslationHook& translationHook()
{
    static TranslationHook hook;
    return hook;
}

MessageHook& messageHook()
{
    static MessageHook hook;
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

void setMessageHook(MessageHook hook)
{
    messageHook() = std::move(hook);
}

void showMessage(const std::string& text)
{
    auto& hook = messageHook();
    if (hook) {
        hook(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
}

std::string formatMessage(const std::string& pattern, const std::string& value)
{
    auto at = pattern.find("%s");
    if (at == std::string::npos)
        return pattern;
    return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

ERpException::ERpException(const std::string& message)
    : Exception(translate(message))
{
}

ERpException::ERpException(const std::string& pattern, const std::string& value)
    : Exception(formatMessage(translate(pattern), value))
{
}

} // namespace qv::report
