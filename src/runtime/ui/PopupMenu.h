#pragma once

#include "runtime/graphics/Graphics.h"

#include <functional>

class QMenu;

namespace qv {

class TMenuItem;

// Shows the sub-items of items as the platform's pop-up menu at a screen point and runs
// the chosen one; items are in the state they have when the menu opens.
void popupMenu(TMenuItem& items, TPoint screen);

// Chooses instead of the user (scripted runs, tests): returns the item to run, or none.
using PopupMenuHook = std::function<TMenuItem*(TMenuItem& items)>;
void setPopupMenuHook(PopupMenuHook hook);

// Runtime only: fills a platform menu with the sub-items of parent.
void fillPlatformMenu(QMenu* menu, TMenuItem& parent);

} // namespace qv
