// Reading each plug-in's information as a tool does: load the library by
// file name, call VekGrabInfos into a zeroed PluginInfo, unload it.
#pragma once

#include <string>
#include <vector>

#include "engineer/PluginInfo.h"

namespace vekhost {

struct PluginEntry {
    std::string file;
    PluginInfo info;
};

struct PluginScan {
    std::vector<PluginEntry> plugins;
    std::vector<std::string> problems;  // files that matched but could not be read
};

// folder ends with a path separator.
PluginScan ScanPlugins(const std::string& folder);

std::string FourCCText(uint32_t value);
void PrintPluginTable(const PluginScan& scan, std::FILE* out);

}  // namespace vekhost
