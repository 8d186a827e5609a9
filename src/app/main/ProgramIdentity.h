#pragma once

namespace qv {

class TApplication;

// The sizes the windows' icon is drawn at: the task bar's, the window switcher's
// and the title bars' of common desktops.
inline constexpr int windowIconSides[] = {16, 24, 32, 48, 64, 128};

// Names the program to the window system by its application id and gives every
// window the program's icon. Call before the first window is created.
void applyProgramIdentity(TApplication& application);
// The same, with the icons given once the main window's first frame is painted:
// the window does not wait for them to be drawn.
void applyProgramIdentityAfterFirstFrame(TApplication& application);

} // namespace qv
