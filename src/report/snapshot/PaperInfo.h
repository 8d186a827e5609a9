#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Paper and printer facts recorded in the snapshot header. The defaults are
// those of a run without a printer.
struct TRvPaperInfo {
    double paperWidth = 8.5;
    double paperHeight = 11.0;
    double leftWaste = 0;
    double rightWaste = 0;
    double topWaste = 0;
    double bottomWaste = 0;
    int16_t bin = 265;
    bool collate = false;
    uint8_t duplex = 0;
    int16_t copies = 1;
    int16_t paperSize = 1;
    int16_t customWidth = 0;
    int16_t customLength = 0;
    std::string outputName;
};

} // namespace qv
