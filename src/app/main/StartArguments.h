#pragma once

#include <string>
#include <vector>

namespace qv {

// What the window program was asked to do by its command line.
struct StartRequest {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    std::string fileToOpen; // Run: absolute path of the loan file to open, or empty
    std::string error;      // UsageError: what was wrong
};

inline constexpr const char* startUsage =
    "usage: quorvane [FILE.qvl]\n"
    "       quorvane --help | --version\n";

// Before the windowing system starts: only --help, -h and --version, and long
// options nobody knows, are decided here, so they work without a display.
StartRequest readEarlyArguments(const std::vector<std::string>& args);

// After the windowing system took its own options: at most one loan file.
StartRequest readStartArguments(const std::vector<std::string>& args);

// "Quorvane 1.31": the About window's name and version.
std::string versionText();

} // namespace qv
