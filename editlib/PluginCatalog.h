// What the installed plug-ins dialog reads at start-up: every library named
// "Vek*.mfx" in the Extensions folder beside the host's executable, loaded
// only to call its VekGrabInfos (and VekGrabCoreInfos, when it has one) and
// unloaded again. The answers are kept in PluginInfo blocks that the dialog
// lists and frees when it closes.
#pragma once

#include <cstddef>

#include "engineer/PluginInfo.h"
#include "framework/GrowArray.h"

namespace vek::editlib {

constexpr size_t kPathBufferSize = 2048;  // folder, search pattern, full library path
constexpr size_t kEntryTextSize = 1024;   // one list entry
constexpr size_t kCoreLineSize = 1024;    // the core information line
constexpr char kPluginPattern[] = "Vek*.mfx";
constexpr char kExtensionsFolderName[] = "Extensions";

// The short name under which a plug-in of this type is listed.
const char* TypeShortName(int32_t type);

// "<short name> - <name>", cut to size - 1 characters.
void MakeEntryText(const PluginInfo& info, char* text, size_t size);

// The core's text as the dialog shows it: "%%" as "%", every other character
// as it stands (the text is never used as a format); cut to size - 1
// characters, and never read further than that needs.
void MakeCoreLine(const char* text, char* line, size_t size);

// The folder named Extensions beside the executable, ending with separator.
// False when the path holds no separator or the folder doesn't fit in size.
bool ExtensionFolderOf(const char* executablePath, char separator, char* folder, size_t size);

// The order of the sorted list box: by entry text, ignoring letter case.
int CompareEntryTexts(const char* a, const char* b);

// The blocks read by one dialog run, in the order the plug-ins were read.
// Emptying frees the blocks and keeps the storage for the next run.
class PluginInfoList {
public:
    PluginInfoList() = default;
    PluginInfoList(const PluginInfoList&) = delete;
    PluginInfoList& operator=(const PluginInfoList&) = delete;
    ~PluginInfoList() { FreeAll(); }

    bool Append(PluginInfo* info) { return blocks_.Append(info); }
    void FreeAll();
    size_t Length() const { return blocks_.Length(); }
    const PluginInfo* operator[](size_t i) const { return blocks_[i]; }

private:
    GrowArray<PluginInfo*> blocks_;
};

// The one list of the library, serving one dialog at a time.
PluginInfoList& ModulePluginInfoList();

// Receives what the reading finds, as it finds it.
class PluginScanSink {
public:
    virtual void AddEntry(const char* text, PluginInfo* info) = 0;
    virtual void SetCoreLine(const char* line) = 0;

protected:
    ~PluginScanSink() = default;
};

// Reads every "Vek*.mfx" in folder (ending with a separator) in the order
// the directory search gives: a file that doesn't load or lacks
// VekGrabInfos is passed over; each plug-in read is appended to list and
// handed to sink with its entry text; VekGrabCoreInfos, where present, sets
// the core line. Every library loaded here is unloaded before the next.
void ReadPlugins(const char* folder, PluginInfoList& list, PluginScanSink& sink);

// The dialog's start-up: ReadPlugins on the Extensions folder beside the
// process's executable; nothing when that folder can't be named.
void ReadInstalledPlugins(PluginInfoList& list, PluginScanSink& sink);

// The selected plug-in's texts, in the order the dialog sets them.
struct PluginDetailField {
    int controlId;
    const char* (*text)(const PluginInfo& info);
};
constexpr size_t kPluginDetailFieldCount = 5;
extern const PluginDetailField kPluginDetailFields[kPluginDetailFieldCount];

// The list as the sorted list box holds it: entries ordered by
// CompareEntryTexts, a new entry after those that compare equal to it.
class SortedPluginList : public PluginScanSink {
public:
    struct Entry {
        char text[kEntryTextSize];
        const PluginInfo* info;
    };
    SortedPluginList() = default;
    SortedPluginList(const SortedPluginList&) = delete;
    SortedPluginList& operator=(const SortedPluginList&) = delete;
    ~SortedPluginList();

    void AddEntry(const char* text, PluginInfo* info) override;
    void SetCoreLine(const char* line) override;

    size_t Length() const { return entries_.Length(); }
    const Entry& operator[](size_t i) const { return *entries_[i]; }
    const char* coreLine() const { return coreLine_; }

private:
    GrowArray<Entry*> entries_;
    char coreLine_[kCoreLineSize] = {};
};

}  // namespace vek::editlib
