#pragma once

#include "runtime/ui/Shell.h"

#include <functional>

namespace qv {

// What the windows ask of the desktop besides drawing. The application owns one and
// hands it to the windows it creates; a test hands a window its own, with fakes.
struct UiServices {
    // The short warning sound of a refused keystroke.
    std::function<void()> beep;
};

// The desktop's own services, for the program and for tools without fakes.
inline UiServices desktopUiServices()
{
    UiServices services;
    services.beep = systemBeep;
    return services;
}

} // namespace qv
