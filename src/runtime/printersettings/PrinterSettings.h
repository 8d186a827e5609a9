#pragma once

#include <string>
#include <vector>

// Plain printer facts that engines without the drawing layer pass around.
namespace qv {

// One printer as the print system lists it.
struct PrinterEntry {
    std::string name;   // the device name jobs are sent to
    std::string driver; // make and model
    std::string port;   // empty where the print system lists printers by name only
    bool isDefault = false;
};

// A printer's settings record. Paper sizes and bins use the platform's printer codes
// (1 Letter, 5 Legal, 9 A4, ...; 256 a custom size); custom sizes are tenths of a millimetre.
struct PrinterSettings {
    static constexpr int customPaper = 256;
    enum Orientation { portrait = 1, landscape = 2 };
    enum Duplex { simplex = 1, longEdge = 2, shortEdge = 3 };
    enum Quality { draft = -1, low = -2, medium = -3, high = -4 };

    int copies = 1;
    bool collate = false;
    int paperSize = 0; // 0: the printer's own default
    int customWidth = 0;
    int customLength = 0;
    int bin = 0; // 0: the printer's own default
    int orientation = portrait;
    int duplex = simplex;
    int quality = 0; // 0: the printer's default resolution; a Quality code or dots per inch
    bool operator==(const PrinterSettings&) const = default;
};

// What a printer can do and the paper it prints on with the given settings.
struct PrinterCapabilities {
    int maxCopies = 1;
    bool duplex = false;
    std::vector<int> paperSizes;
    std::vector<int> bins;
    int dpiX = 0;
    int dpiY = 0;
    int paperSize = 0;     // the code in effect
    double paperWidth = 0; // inches, in the current orientation
    double paperHeight = 0;
    double leftWaste = 0; // unprintable margins, inches
    double topWaste = 0;
    double rightWaste = 0;
    double bottomWaste = 0;
};

} // namespace qv
