#include "cli/CliSupport.h"
#include "cli/LoanText.h"
#include "runtime/core/Exception.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string scratchFile()
{
    return "/tmp/qv-fuzz-cli-show-" + std::to_string(::getpid()) + ".qvl";
}

std::size_t longestLine(const std::string& text)
{
    std::size_t longest = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        longest = std::max(longest, end - start);
    return std::max(longest, text.size() - start);
}

} // namespace

// Any bytes as the loan file of `show` and `csv`: the load either refuses them with an
// error naming the file, or both printers finish; the show table stays within its
// column caps whatever the cells hold, and csv prints one line per shown row.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::string const path = scratchFile();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    try {
        qv::cli::loadLoan(path, engine, view);
    } catch (const qv::Exception& error) {
        if (error.message().rfind(path, 0) != 0)
            __builtin_trap();
        return 0;
    }
    std::string const shown = qv::cli::showText(engine, view);
    std::string const table = shown.substr(shown.find("\n\n") + 2);
    // Six cells of at most 4 bytes per allowed character plus padding, five gaps.
    if (longestLine(table) > 6 * 5 * qv::cli::showCellWidth + 10)
        __builtin_trap();
    std::string const csv = qv::cli::csvText(view);
    if (std::count(csv.begin(), csv.end(), '\n') < view.grid().rowCount())
        __builtin_trap();
    return 0;
}
