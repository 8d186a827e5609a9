#pragma once

#include "runtime/graphics/Graphics.h"

#include <functional>

namespace qv {

class TControl;

// An input message of the application as a hook sees it, before the control
// it is meant for.
struct TAppMessage {
    enum class Kind { KeyDown, KeyUp, MouseDown, MouseWheel, Deactivate };
    Kind kind = Kind::KeyDown;
    int key = 0;
    unsigned shift = 0;
    TPoint screenPoint;
    // The control the message is for; for Deactivate the window losing activation.
    TControl* control = nullptr;
};

// A handler in front of the application's message loop for as long as it
// lives. The newest hook sees each message first; returning true marks the
// message handled, so neither older hooks nor any control see it.
// A message that goes on is offered again as it bubbles to a parent control,
// so handlers must take the same message the same way twice.
class TApplicationHook {
public:
    using Handler = std::function<bool(const TAppMessage&)>;
    explicit TApplicationHook(Handler handler);
    ~TApplicationHook();
    TApplicationHook(const TApplicationHook&) = delete;
    TApplicationHook& operator=(const TApplicationHook&) = delete;

private:
    friend class AppHookFilter;
    Handler m_handler;
};

// The top-level window (form or popup) under a screen point, or null.
TControl* windowAtScreen(TPoint screenPoint);

} // namespace qv
