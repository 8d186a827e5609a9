#pragma once

#include <string>

namespace qv {

// Replaces each "%s" in pattern with the next argument, as the fixed message texts expect.
inline std::string formatMessage(const std::string& pattern, const std::string& arg)
{
    std::string out;
    std::string::size_type pos = pattern.find("%s");
    if (pos == std::string::npos)
        return pattern;
    out = pattern.substr(0, pos) + arg + pattern.substr(pos + 2);
    return out;
}

inline std::string formatMessage(const std::string& pattern, long long value)
{
    std::string out = pattern;
    std::string::size_type pos = out.find("%d");
    if (pos == std::string::npos)
        return out;
    return out.replace(pos, 2, std::to_string(value));
}

// An input as an error message repeats it: cut to about 80 characters with "…" and
// control bytes written as \xNN, so a huge or binary input cannot flood a message
// box or a terminal.
std::string echoedInput(const std::string& text);

} // namespace qv
