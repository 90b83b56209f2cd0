// What a plug-in reports about itself through VekGrabInfos.
#pragma once

#include "engineer/PluginInfo.h"

namespace vek {

struct PluginDescription {
    uint32_t identifier;
    const char* name;
    const char* description;
    float version;
    int32_t type;
};

constexpr int32_t kPluginTypeEngineer = 1;

// Shared by every plug-in this project makes.
extern const char* const kPluginAuthor;
extern const char* const kPluginCopyright;
extern const char* const kPluginUrl;

// Writes the description through the non-null pointers; answers 0.
int32_t WritePluginDescription(const PluginDescription& plugin, uint32_t* identifier, char* name, char* author,
                               char* copyright, char* description, char* url, float* version, int32_t* type);

}  // namespace vek
