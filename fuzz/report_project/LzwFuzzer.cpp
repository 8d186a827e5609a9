#include "report/project/Lzw.h"
#include "report/project/ReportErrors.h"

#include <algorithm>
#include <cstdlib>

// Any byte string must decode or fail with an engine error; any byte string and whatever
// decodes must survive a compress / decompress round trip unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::span<const std::uint8_t> input(data, size);
    auto packed = qv::report::lzwCompress(input);
    auto unpacked = qv::report::lzwDecompress(packed);
    if (!std::equal(unpacked.begin(), unpacked.end(), input.begin(), input.end()))
        std::abort();

    std::vector<std::uint8_t> decoded;
    try {
        decoded = qv::report::lzwDecompress(input, 1 << 24);
    } catch (const qv::report::ERpException&) {
        return 0;
    }
    auto again = qv::report::lzwDecompress(qv::report::lzwCompress(decoded));
    if (again != decoded)
        std::abort();
    return 0;
}
