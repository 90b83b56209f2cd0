// vekhost-sounds DIR: writes the demo scene's sounds into DIR.
#include <cstdio>
#include <string>

#include "tools/vekhost/DemoSounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vekhost-sounds DIR\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    std::string error;
    if (!vekhost::WriteDemoSounds(folder, error)) {
        std::fprintf(stderr, "vekhost-sounds: cannot write %s\n", error.c_str());
        return 1;
    }
    return 0;
}
