// Feeds arbitrary bytes to the readers of data-connection answers: column
// declarations and rows. A peer in another process writes these bytes, so
// damage must end in an error, never in a read outside the buffer.
#include "report/data/TRpDataViewLink.h"
#include "report/snapshot/EReportPrinter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto block = std::make_shared<qv::databuffer::Block>(data, data + size);
    try {
        qv::TRpAnswer answer(block, 0, size);
        qv::parseDeclaredFields(answer);
    } catch (const qv::EReportPrinter&) {
    }
    std::vector<uint8_t> row(data, data + size);
    for (int index = 0; index < 4; ++index) {
        for (int type = 0; type < qv::kDataTypeCount; ++type) {
            try {
                qv::decodeRowField(row, index, static_cast<qv::TRPDataType>(type));
            } catch (const qv::EReportPrinter&) {
            }
        }
    }
    return 0;
}
