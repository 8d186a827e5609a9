#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// Answers "--help", "-h" and "--version" before any command runs: the whole usage,
// or "COMMAND --help" with that command's lines only, on standard output. Returns
// the exit code when it answered, nothing when the arguments are for a command.
std::optional<int> answerHelpOrVersion(const std::vector<std::string>& args, const std::string& usage);

// The usage lines of one command; empty for a command the usage does not name.
std::string commandUsage(const std::string& usage, const std::string& command);

} // namespace qv::cli
