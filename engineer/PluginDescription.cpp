#include "engineer/PluginDescription.h"

#include <cstring>

namespace vek {

const char* const kPluginAuthor = "The Vek Engineers Team";
const char* const kPluginCopyright = "Copyright (C) 2026 The Vek Engineers Team";
const char* const kPluginUrl = "https://vek-engineers.example.org/";

namespace {
void CopyText(char* out, const char* text) {
    if (out != nullptr) std::memcpy(out, text, std::strlen(text) + 1);
}
}  // namespace

int32_t WritePluginDescription(const PluginDescription& plugin, uint32_t* identifier, char* name, char* author,
                               char* copyright, char* description, char* url, float* version, int32_t* type) {
    if (identifier != nullptr) *identifier = plugin.identifier;
    CopyText(name, plugin.name);
    CopyText(author, kPluginAuthor);
    CopyText(copyright, kPluginCopyright);
    CopyText(description, plugin.description);
    CopyText(url, kPluginUrl);
    if (version != nullptr) *version = plugin.version;
    if (type != nullptr) *type = plugin.type;
    return 0;
}

}  // namespace vek
