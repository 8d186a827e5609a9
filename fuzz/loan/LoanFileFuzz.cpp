#include "loan/LoanFile.h"
#include "loan/MemoryLoanView.h"
#include "runtime/core/Exception.h"
#include "runtime/core/RegionalSettings.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string scratchFile()
{
    return "/tmp/qv-fuzz-loan-" + std::to_string(::getpid()) + ".qvl";
}

} // namespace

// Any bytes as a loan file: the reader either loads them or raises a runtime error,
// and a loaded loan can be saved, reloaded and edited without reaching past the schedule.
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
        qv::readLoanFile(path, engine, view);
        std::string const text = qv::loanFileText(engine);
        int const lastRow = view.grid().rowCount() - 1;
        if (lastRow >= 1) {
            engine.selectCell(4, lastRow, view);
            view.grid().setCellText(4, lastRow, "1");
            engine.selectCell(5, lastRow, view);
        }
        (void)text;
    } catch (const qv::Exception&) {
    }
    return 0;
}
