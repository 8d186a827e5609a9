#pragma once

#include <functional>

namespace qv {

// The short system beep of a refused keystroke.
void messageBeep();

// Replaces the beep (tests count it; an empty hook restores the default).
using MessageBeepHook = std::function<void()>;
void setMessageBeepHook(MessageBeepHook hook);

} // namespace qv
