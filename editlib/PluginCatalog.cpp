#include "editlib/PluginCatalog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editlib/DialogIds.h"
#include "platform/Platform.h"

namespace vek::editlib {

namespace {

// Texts a plug-in writes are foreign: each field is cut at its last byte, so
// every later reader finds a terminator inside the block.
void TerminateTexts(PluginInfo& info) {
    info.name[sizeof info.name - 1] = '\0';
    info.author[sizeof info.author - 1] = '\0';
    info.copyright[sizeof info.copyright - 1] = '\0';
    info.url[sizeof info.url - 1] = '\0';
    info.description[sizeof info.description - 1] = '\0';
}

template <typename Fn>
Fn ExportOf(platform::LibraryHandle library, const char* name) {
    return reinterpret_cast<Fn>(platform::FindExport(library, name));
}

PluginInfo* GrabInfos(VekGrabInfosFn grab) {
    auto* info = static_cast<PluginInfo*>(std::calloc(1, sizeof(PluginInfo)));
    if (info == nullptr) return nullptr;
    grab(&info->identifier, info->name, info->author, info->copyright, info->description, info->url,
         &info->version, &info->type);
    TerminateTexts(*info);
    return info;
}

void ReadCoreLine(platform::LibraryHandle library, const PluginInfo& info, PluginScanSink& sink) {
    const auto core = ExportOf<VekGrabCoreInfosFn>(library, "VekGrabCoreInfos");
    if (core == nullptr) return;
    const char* text = core(double(info.version));
    if (text == nullptr) return;
    char line[kCoreLineSize];
    MakeCoreLine(text, line, sizeof line);
    sink.SetCoreLine(line);
}

// One matching file; the library is unloaded on every path out.
void ReadPlugin(const char* path, PluginInfoList& list, PluginScanSink& sink) {
    const platform::LibraryHandle library = platform::LoadLibraryFile(path);
    if (library == nullptr) return;
    const auto grab = ExportOf<VekGrabInfosFn>(library, "VekGrabInfos");
    PluginInfo* info = grab == nullptr ? nullptr : GrabInfos(grab);
    if (info != nullptr && !list.Append(info)) {
        std::free(info);
        info = nullptr;
    }
    if (info != nullptr) {
        char text[kEntryTextSize];
        MakeEntryText(*info, text, sizeof text);
        sink.AddEntry(text, info);
        ReadCoreLine(library, *info, sink);
    }
    platform::FreeLibraryFile(library);
}

int LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

const char* TypeShortName(int32_t type) {
    switch (type) {
        case 1: return "Eng";
        case 2: return "Viz";
        case 4: return "Cnt";
        case 2739: return "!";
        default: return "Aux";
    }
}

void MakeEntryText(const PluginInfo& info, char* text, size_t size) {
    if (text == nullptr || size == 0) return;
    std::snprintf(text, size, "%s - %.*s", TypeShortName(info.type), int(strnlen(info.name, sizeof info.name)),
                  info.name);
}

void MakeCoreLine(const char* text, char* line, size_t size) {
    if (line == nullptr || size == 0) return;
    size_t used = 0;
    for (const char* at = text; at != nullptr && used + 1 < size && *at != '\0'; ++used) {
        line[used] = *at;
        at += (at[0] == '%' && at[1] == '%') ? 2 : 1;
    }
    line[used] = '\0';
}

bool ExtensionFolderOf(const char* executablePath, char separator, char* folder, size_t size) {
    if (executablePath == nullptr || folder == nullptr) return false;
    const char* last = std::strrchr(executablePath, separator);
    if (last == nullptr) return false;
    const size_t prefix = size_t(last - executablePath) + 1;
    const size_t name = sizeof kExtensionsFolderName - 1;
    if (prefix + name + 2 > size) return false;
    std::memcpy(folder, executablePath, prefix);
    std::memcpy(folder + prefix, kExtensionsFolderName, name);
    folder[prefix + name] = separator;
    folder[prefix + name + 1] = '\0';
    return true;
}

int CompareEntryTexts(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const int x = LowerAscii(static_cast<unsigned char>(*a));
        const int y = LowerAscii(static_cast<unsigned char>(*b));
        if (x != y || x == 0) return x - y;
    }
}

void PluginInfoList::FreeAll() {
    for (size_t i = 0; i < blocks_.Length(); ++i) std::free(blocks_[i]);
    blocks_.Clear();
}

PluginInfoList& ModulePluginInfoList() {
    static PluginInfoList list;
    return list;
}

void ReadPlugins(const char* folder, PluginInfoList& list, PluginScanSink& sink) {
    if (folder == nullptr || std::strlen(folder) + sizeof kPluginPattern > kPathBufferSize) return;
    for (const std::string& name : platform::FindFiles(folder, kPluginPattern)) {
        char path[kPathBufferSize];
        const int length = std::snprintf(path, sizeof path, "%s%s", folder, name.c_str());
        if (length < 0 || size_t(length) >= sizeof path) continue;
        ReadPlugin(path, list, sink);
    }
}

void ReadInstalledPlugins(PluginInfoList& list, PluginScanSink& sink) {
    const std::string executable = platform::ExecutablePath();
    char folder[kPathBufferSize];
    if (!ExtensionFolderOf(executable.c_str(), platform::PathSeparator(), folder, sizeof folder)) return;
    ReadPlugins(folder, list, sink);
}

const PluginDetailField kPluginDetailFields[kPluginDetailFieldCount] = {
    {IDC_PLUGIN_NAME, [](const PluginInfo& info) -> const char* { return info.name; }},
    {IDC_PLUGIN_AUTHOR, [](const PluginInfo& info) -> const char* { return info.author; }},
    {IDC_PLUGIN_DESCRIPTION, [](const PluginInfo& info) -> const char* { return info.description; }},
    {IDC_PLUGIN_URL, [](const PluginInfo& info) -> const char* { return info.url; }},
    {IDC_PLUGIN_COPYRIGHT, [](const PluginInfo& info) -> const char* { return info.copyright; }},
};

SortedPluginList::~SortedPluginList() {
    for (size_t i = 0; i < entries_.Length(); ++i) std::free(entries_[i]);
}

void SortedPluginList::AddEntry(const char* text, PluginInfo* info) {
    auto* entry = static_cast<Entry*>(std::malloc(sizeof(Entry)));
    if (entry == nullptr) return;
    std::snprintf(entry->text, sizeof entry->text, "%s", text);
    entry->info = info;
    if (!entries_.Append(entry)) {
        std::free(entry);
        return;
    }
    size_t at = entries_.Length() - 1;
    for (; at > 0 && CompareEntryTexts(entries_[at - 1]->text, entry->text) > 0; --at) entries_[at] = entries_[at - 1];
    entries_[at] = entry;
}

void SortedPluginList::SetCoreLine(const char* line) { std::snprintf(coreLine_, sizeof coreLine_, "%s", line); }

}  // namespace vek::editlib
