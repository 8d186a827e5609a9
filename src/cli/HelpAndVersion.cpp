#include "cli/HelpAndVersion.h"

#include "product/ProductInfo.h"

#include <cstdio>
#include <sstream>

namespace qv::cli {

namespace {

bool isHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// Every option takes a value, so "--help" counts only where an option may stand.
bool asksForHelp(const std::vector<std::string>& args)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string const& arg = args[i];
        if (isHelp(arg))
            return true;
        if (arg.size() > 1 && arg[0] == '-')
            ++i;
    }
    return false;
}

} // namespace

std::string commandUsage(const std::string& usage, const std::string& command)
{
    std::istringstream lines(usage);
    std::string const prefix = "quorvane-cli " + command;
    std::string found;
    for (std::string line; std::getline(lines, line);) {
        std::string::size_type const at = line.find(prefix);
        std::string::size_type const after = at + prefix.size();
        if (at != std::string::npos && (after == line.size() || line[after] == ' '))
            found += line + "\n";
    }
    return found.empty() ? found : "usage:\n" + found;
}

std::optional<int> answerHelpOrVersion(const std::vector<std::string>& args, const std::string& usage)
{
    if (args.empty())
        return std::nullopt;
    if (isHelp(args.front())) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    if (args.front() == "--version") {
        std::printf("%s %s\n", product::name, product::version);
        return 0;
    }
    if (!asksForHelp(args))
        return std::nullopt;
    std::string const lines = commandUsage(usage, args.front());
    if (lines.empty())
        return std::nullopt; // an unknown command stays a usage error
    std::fputs(lines.c_str(), stdout);
    return 0;
}

} // namespace qv::cli
