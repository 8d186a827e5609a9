#include "app/main/StartArguments.h"

#include "product/ProductInfo.h"

#include <filesystem>

namespace qv {

namespace {

StartRequest usageError(std::string error)
{
    StartRequest request;
    request.action = StartRequest::Action::UsageError;
    request.error = std::move(error);
    return request;
}

} // namespace

StartRequest readEarlyArguments(const std::vector<std::string>& args)
{
    StartRequest request;
    for (std::string const& arg : args) {
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h") {
            request.action = StartRequest::Action::Help;
            return request;
        }
        if (arg == "--version") {
            request.action = StartRequest::Action::Version;
            return request;
        }
        // The windowing system's own options have one dash; two dashes are ours.
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0)
            return usageError("unknown option " + arg);
    }
    return request;
}

StartRequest readStartArguments(const std::vector<std::string>& args)
{
    StartRequest request;
    bool optionsEnd = false;
    std::vector<std::string> files;
    for (std::string const& arg : args) {
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && arg.size() > 1 && arg[0] == '-')
            return usageError("unknown option " + arg);
        files.push_back(arg);
    }
    if (files.size() > 1)
        return usageError("one loan file at a time");
    if (files.size() == 1) {
        if (files.front().empty())
            return usageError("empty file name");
        std::error_code ignored;
        std::filesystem::path const absolute = std::filesystem::absolute(files.front(), ignored);
        request.fileToOpen = absolute.empty() ? files.front() : absolute.lexically_normal().string();
    }
    return request;
}

std::string versionText() { return std::string(product::name) + " " + product::version; }

} // namespace qv
