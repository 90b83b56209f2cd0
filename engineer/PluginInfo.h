// The reader's block for one plug-in's information: the eight out-parameters
// of VekGrabInfos point into it. Note that the block order (url before
// description) differs from the parameter order.
#pragma once

#include "engineer/Boundary.h"

struct PluginInfo {
    char name[1024];
    char author[1024];
    char copyright[1024];
    char url[1024];
    char description[2048];
    float version;
    int32_t type;
    uint32_t identifier;
};

static_assert(sizeof(PluginInfo) == 6156, "PluginInfo size");
static_assert(offsetof(PluginInfo, author) == 1024, "author");
static_assert(offsetof(PluginInfo, copyright) == 2048, "copyright");
static_assert(offsetof(PluginInfo, url) == 3072, "url");
static_assert(offsetof(PluginInfo, description) == 4096, "description");
static_assert(offsetof(PluginInfo, version) == 6144, "version");
static_assert(offsetof(PluginInfo, type) == 6148, "type");
static_assert(offsetof(PluginInfo, identifier) == 6152, "identifier");

// The export every plug-in of the audio system offers to tools. Each pointer
// may be null; the result is always 0.
using VekGrabInfosFn = int32_t(VEK_STDCALL*)(uint32_t* identifier, char* name, char* author, char* copyright,
                                             char* description, char* url, float* version, int32_t* type);
// The audio core's own export, looked up by tools: the version just reported,
// widened; answers a text valid until the library is unloaded.
using VekGrabCoreInfosFn = const char*(VEK_STDCALL*)(double version);
