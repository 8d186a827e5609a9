#include "controls/MessageBeep.h"

#include <cstdio>

namespace qv {

namespace {
MessageBeepHook& hook()
{
    static MessageBeepHook h;
    return h;
}
} // namespace

void messageBeep()
{
    if (hook()) {
        hook()();
        return;
    }
    // The bell character is the one beep every terminal and console honours.
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

void setMessageBeepHook(MessageBeepHook h) { hook() = std::move(h); }

} // namespace qv
