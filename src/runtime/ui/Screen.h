#pragma once

namespace qv {

class TForm;

// Logical pixels per inch of the screen the windows open on (96 without one).
int screenPixelsPerInch();

// Shows the busy cursor over every window while it lives; nests.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
    // Whether the busy cursor is showing now.
    static bool shown();
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// The state a window shows in; set before showing, it applies when the window opens.
void setWindowState(TForm& form, TWindowState state);
TWindowState windowState(const TForm& form);

// Shows the window without blocking the others and runs messages, waiting for them
// rather than spinning, until the window hides.
void showAndWait(TForm& form);

} // namespace qv
