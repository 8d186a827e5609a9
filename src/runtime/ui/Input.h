#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Control.h"

#include <string>

namespace qv {

class TForm;

// Synthetic input, delivered as if the user had produced it: key strokes to a
// control (its focused part), mouse presses and releases at client points.
void sendKeyStroke(TControl& control, int virtualKey, unsigned shift = 0);
void sendChars(TControl& control, const std::string& text);
void sendMouseDown(TControl& control, int x, int y, MouseButton button = MouseButton::Left);
void sendMouseUp(TControl& control, int x, int y, MouseButton button = MouseButton::Left);
void sendMouseMove(TControl& control, int x, int y);
void sendClick(TControl& control, int x, int y);
// One wheel turn; 120 is a notch, positive away from the user.
void sendMouseWheel(TControl& control, int delta, unsigned shift = 0);
// The pointer entering or leaving a control.
void sendMouseEnter(TControl& control);
void sendMouseLeave(TControl& control);
// Moves the mouse pointer to a screen point, as the user's hand does.
void movePointerTo(TPoint screenPoint);
// The context-menu request of a right click at a client point.
void sendContextMenu(TControl& control, int x, int y);
// The same input handed to the control's window as the windowing system hands
// it over: spontaneous events that take the whole way a real key or click takes
// (shortcut override, click-to-focus, modal blocking, the window's focus widget).
// Keys go to the window's focus, so the control (or its part) should hold it.
void sendWindowKeyStroke(TControl& control, int virtualKey, unsigned shift = 0);
// A newline in text arrives as the Linefeed key, as typed text does on X11.
void sendWindowChars(TControl& control, const std::string& text);
void sendWindowClick(TControl& control, int x, int y);
// Moves the focus along the window's tab chain, as the Tab key does.
void sendTab(TControl& from, bool backwards = false);
// The window manager's notices when a window is minimized and restored again.
void sendMinimizeAndRestore(TForm& form);
// Pixels of a control as they are on screen now.
TColor screenPixel(TControl& control, int x, int y);
// The control's whole area as the window's surface holds it now, read back
// without painting anything again: what earlier (partial) paints left there.
Bitmap screenImage(TControl& control);
// The control painted afresh, as a whole, in one grab.
Bitmap grabImage(TControl& control);

} // namespace qv
