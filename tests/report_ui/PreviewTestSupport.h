#pragma once

#include "report/snapshot/TRvNDRWriter.h"

#include <string>
#include <vector>

namespace qv::test {

// A Letter snapshot of the given number of pages, "Page n" near the top of each.
inline std::vector<uint8_t> pagesSnapshot(int pages)
{
    TMemoryStream stream;
    TRvNDRWriter writer;
    writer.Title = "Preview Test";
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    writer.OnPrint = [pages](TBaseReport& report) {
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                report.NewPage();
            report.PrintLeft("Page " + std::to_string(page), 1, 1);
        }
    };
    writer.Execute();
    return stream.bytes();
}

} // namespace qv::test
