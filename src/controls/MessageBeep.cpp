#include "controls/MessageBeep.h"

#include "runtime/ui/Shell.h"

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
    systemBeep();
}

void setMessageBeepHook(MessageBeepHook h) { hook() = std::move(h); }

} // namespace qv
