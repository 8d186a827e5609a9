#pragma once

#include <functional>

namespace qv {

// Work the main window's first frame does not need (the window icons): it runs
// once that frame is painted, before the memory freed during start-up is handed back.
void afterFirstFrame(std::function<void()> work);

} // namespace qv
