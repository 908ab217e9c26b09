// Build-time generator: draws the program icon, toolbar strip, banner and digit strip into
// the folder named on the command line, for the resource compiler to embed.
#include "tools/artgen.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argc > 0 ? argv[0] : "artgen");
        return 2;
    }
    std::string error;
    if (!brimlow::artgen::write_all(argv[1], error)) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
