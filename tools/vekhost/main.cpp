// vekhost: a reference host for the Vek engineers.
//   vekhost [info] [--extensions DIR]   list every Vek*.mfx plug-in with what it reports
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Platform.h"
#include "tools/vekhost/PluginTable.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: vekhost [info] [--extensions DIR]\n");
    return 2;
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += vek::platform::PathSeparator();
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    std::string extensions = "dist/Extensions";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--extensions") == 0 && i + 1 < argc) {
            extensions = argv[++i];
        } else if (std::strcmp(argv[i], "info") != 0) {
            return Usage();
        }
    }
    const vekhost::PluginScan scan = vekhost::ScanPlugins(WithSeparator(extensions));
    if (scan.plugins.empty()) {
        std::fprintf(stderr, "vekhost: no plug-in found in %s\n", extensions.c_str());
        for (const std::string& problem : scan.problems) std::fprintf(stderr, "vekhost: %s\n", problem.c_str());
        return 1;
    }
    vekhost::PrintPluginTable(scan, stdout);
    return 0;
}
