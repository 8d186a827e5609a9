#pragma once

#include "runtime/graphics/Graphics.h"

class QMenu;
class QString;

namespace qv {

class TMenuItem;

// Shows the sub-items of items as the platform's pop-up menu at a screen point and runs
// the chosen one; items are in the state they have when the menu opens.
void popupMenu(TMenuItem& items, TPoint screen);

// Runtime only: fills a platform menu with the sub-items of parent.
void fillPlatformMenu(QMenu* menu, TMenuItem& parent);
// Runtime only: an item's text in a platform menu, its shortcut after a tab.
QString platformCaption(const TMenuItem& item);

} // namespace qv
