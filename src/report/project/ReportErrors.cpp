#include "report/project/ReportErrors.h"

#include <cstdio>

namespace qv::report {

namespace {

MessageHook& messageHook()
{
    static MessageHook hook;
    return hook;
}

} // namespace

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

ERpException::ERpException(const std::string& message)
    : Exception(translate(message))
{
}

ERpException::ERpException(const std::string& pattern, const std::string& value)
    : Exception(formatMessage(translate(pattern), value))
{
}

} // namespace qv::report
