// Draws the program's mark into the desktop's icon sizes:
//   programicon OUTDIR SIZE...  writes OUTDIR/SIZExSIZE/apps/quorvane.png
#include "ProgramIconImage.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: programicon OUTDIR SIZE...\n", stderr);
        return 2;
    }
    try {
        for (int i = 2; i < argc; ++i) {
            int const side = std::atoi(argv[i]);
            if (side < 1 || side > 1024) {
                std::fprintf(stderr, "programicon: bad size '%s'\n", argv[i]);
                return 2;
            }
            std::string const size = std::to_string(side);
            std::filesystem::path const folder = std::filesystem::path(argv[1]) / (size + "x" + size) / "apps";
            std::filesystem::create_directories(folder);
            qv::programIconImage(side).saveToPng((folder / "quorvane.png").string());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "programicon: %s\n", error.what());
        return 1;
    }
    return 0;
}
