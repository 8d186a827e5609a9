// Builds the program's report project file at build time.
#include "AmortizationReport.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: reportbuilder OUTPUT.rav\n", stderr);
        return 2;
    }
    try {
        qv::tools::writeAmortizationProject(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
