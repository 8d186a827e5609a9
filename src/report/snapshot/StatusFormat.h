#pragma once

#include <string>
#include <vector>

namespace qv::snapshot {

// The device a run draws for, as status texts and the printer report variables name it.
struct TRvDeviceNames {
    std::string device = "Render";
    std::string driver = "Render";
    std::string port = "Render";
};

// What a status format's "%" sequences stand for at one moment of a run.
struct TRvStatusValues {
    std::vector<std::string> lines; // %0 .. %9
    int pass = 1;                   // %C
    int passes = 1;                 // %S
    int firstPage = 1;              // %F
    int lastPage = 9999;            // %L
    int page = 0;                   // %P
    TRvDeviceNames names;           // %D, %R, %T
};

// Each "%" and the character after it is replaced once; the replacement is not scanned
// again. A "%" at the very end stays; an unknown character shows "<ERROR-%X>".
std::string formatStatus(const std::string& format, const TRvStatusValues& values);

} // namespace qv::snapshot
