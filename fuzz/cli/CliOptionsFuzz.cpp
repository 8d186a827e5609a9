// The command line's option parsing over long and odd arguments: the input is the
// argument list of `schedule`, arguments separated by NUL bytes. Output options are
// dropped, so that nothing is written. Every run ends in a result or in an error of
// the program's own kinds; crashes, hangs and other errors are not expected.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "runtime/core/Exception.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> arguments(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    // No file is written: an "-o" and its value go, and so does an argument that
    // would take the place of a dropped value.
    std::vector<std::string> kept;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            ++i;
            continue;
        }
        kept.push_back(args[i]);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A calculated schedule goes to standard output; keep the fuzzer's own output readable.
    int const quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0)
        ::dup2(quiet, STDOUT_FILENO);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> const args = arguments(data, size);
    try {
        qv::cli::Options const options(args, {"--amount", "--rate", "--term", "--date", "--extra", "-o"});
        (void)options.values("--extra");
    } catch (const qv::cli::UsageError&) {
    }
    try {
        qv::cli::runSchedule(args);
    } catch (const qv::cli::UsageError&) {
    } catch (const qv::Exception&) {
    } catch (const std::exception&) {
        std::abort();
    }
    return 0;
}
