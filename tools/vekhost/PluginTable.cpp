#include <cstdio>
#include <cstring>

#include "tools/vekhost/PluginTable.h"
#include "platform/Platform.h"

namespace vekhost {

namespace pf = vek::platform;

PluginScan ScanPlugins(const std::string& folder) {
    PluginScan scan;
    for (const std::string& name : pf::FindFiles(folder, "Vek*.mfx")) {
        const std::string path = folder + name;
        pf::LibraryHandle library = pf::LoadLibraryFile(path.c_str());
        if (library == nullptr) {
            scan.problems.push_back(name + ": not a loadable library");
            continue;
        }
        auto grab = reinterpret_cast<VekGrabInfosFn>(pf::FindExport(library, "VekGrabInfos"));
        if (grab == nullptr) {
            scan.problems.push_back(name + ": no VekGrabInfos export");
        } else {
            PluginEntry entry{name, {}};
            std::memset(&entry.info, 0, sizeof entry.info);
            grab(&entry.info.identifier, entry.info.name, entry.info.author, entry.info.copyright,
                 entry.info.description, entry.info.url, &entry.info.version, &entry.info.type);
            scan.plugins.push_back(entry);
        }
        pf::FreeLibraryFile(library);
    }
    return scan;
}

std::string FourCCText(uint32_t value) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((value >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : '?';
    }
    return text;
}

void PrintPluginTable(const PluginScan& scan, std::FILE* out) {
    std::fprintf(out, "%-22s %-16s %-8s %-5s %-5s %s\n", "File", "Name", "Version", "Type", "Id", "Description");
    for (const PluginEntry& p : scan.plugins) {
        std::fprintf(out, "%-22s %-16s %-8.2f %-5d %-5s %s\n", p.file.c_str(), p.info.name, double(p.info.version),
                     p.info.type, FourCCText(p.info.identifier).c_str(), p.info.description);
    }
    for (const PluginEntry& p : scan.plugins) {
        std::fprintf(out, "\n%s\n  author:    %s\n  copyright: %s\n  url:       %s\n", p.info.name, p.info.author,
                     p.info.copyright, p.info.url);
    }
    for (const std::string& problem : scan.problems) std::fprintf(out, "skipped %s\n", problem.c_str());
}

}  // namespace vekhost
