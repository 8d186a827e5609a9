// Draws the program's mark into the desktop's icon theme layout:
//   programicon OUTDIR NAME SIZE...  writes OUTDIR/SIZExSIZE/apps/NAME.png for each
//   SIZE, and OUTDIR/scalable/apps/NAME.svg for the SIZE "scalable".
#include "app/mark/ProgramIconImage.h"
#include "app/mark/ProgramMark.h"
#include "runtime/core/TextFile.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

namespace {

constexpr int largestSide = 1024;
constexpr const char* scalable = "scalable";

std::filesystem::path appsFolder(const char* outDir, const std::string& size)
{
    std::filesystem::path folder = std::filesystem::path(outDir) / size / "apps";
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: programicon OUTDIR NAME SIZE...\n", stderr);
        return 2;
    }
    std::string const name = argv[2];
    try {
        for (int i = 3; i < argc; ++i) {
            if (std::string(argv[i]) == scalable) {
                qv::replaceFileAtomically((appsFolder(argv[1], scalable) / (name + ".svg")).string(),
                                          qv::programMarkSvg());
                continue;
            }
            int const side = std::atoi(argv[i]);
            if (side < 1 || side > largestSide) {
                std::fprintf(stderr, "programicon: bad size '%s'\n", argv[i]);
                return 2;
            }
            std::string const size = std::to_string(side);
            qv::programIconImage(side).saveToPng((appsFolder(argv[1], size + "x" + size) / (name + ".png")).string());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "programicon: %s\n", error.what());
        return 1;
    }
    return 0;
}
