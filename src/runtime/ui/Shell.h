#pragma once

#include <string>

namespace qv {

// Opens a web address, a "Mailto:" address or a file with the desktop's
// default handler. Returns false when nothing could open it.
bool shellOpen(const std::string& target);

// Starts a program from a command line, shown normally, without waiting.
// Returns false when it could not be started.
bool runCommandLine(const std::string& commandLine);

// The desktop's short warning sound.
void systemBeep();

// Ends the process at once with this exit code; no window is closed first.
[[noreturn]] void exitProcess(int code);

} // namespace qv
