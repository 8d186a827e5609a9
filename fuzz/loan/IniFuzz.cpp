#include "runtime/core/IniFile.h"

#include <cstdint>
#include <string>

// Any bytes as an INI text: lookups and edits finish and an edited value reads back.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string const text(reinterpret_cast<const char*>(data), size);
    (void)qv::IniFile::lookup(text, "user saved", "filename", "");
    std::string const edited = qv::IniFile::withValue(text, "user saved", "filename", "/tmp/x.qvl");
    if (qv::IniFile::lookup(edited, "user saved", "filename", "") != "/tmp/x.qvl")
        __builtin_trap();
    return 0;
}
