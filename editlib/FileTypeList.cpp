#include "editlib/FileTypeList.h"

#include <cstring>

namespace vek::editlib {

namespace {

// How many of the view's entries may be read: never more than the array holds.
int32_t ReadableEntries(const FileTypeListView& view) {
    if (view.entries == nullptr || view.count <= 0 || view.capacity <= 0) return 0;
    return view.count < view.capacity ? view.count : view.capacity;
}

// Entries OK may store: capacity - 1, and none without an array.
int32_t StorableEntries(const FileTypeListView& view) {
    if (view.entries == nullptr || view.capacity <= 1) return 0;
    return view.capacity - 1;
}

class LineWriter {
public:
    // size is at least 1.
    LineWriter(char* line, size_t size) : line_(line), room_(size - 1) { line_[0] = '\0'; }
    void Append(const char* text, size_t length) {
        const size_t take = length < room_ - used_ ? length : room_ - used_;
        std::memcpy(line_ + used_, text, take);
        used_ += take;
        line_[used_] = '\0';
    }

private:
    char* line_;
    size_t room_;
    size_t used_ = 0;
};

const char* SkipBlanks(const char* from, const char* end) {
    while (from < end && *from == ' ') ++from;
    return from;
}

// The first 12 characters of [from, end), then zero bytes up to the 12th.
void StoreEntry(char* field, const char* from, const char* end) {
    const size_t length = size_t(end - from);
    for (size_t i = 0; i < kFileTypeEntryChars; ++i) field[i] = i < length ? from[i] : '\0';
}

}  // namespace

void JoinFileTypes(const FileTypeListView& view, char* line, size_t size) {
    if (line == nullptr || size == 0) return;
    LineWriter writer(line, size);
    const int32_t count = ReadableEntries(view);
    for (int32_t i = 0; i < count; ++i) {
        if (i > 0) writer.Append(", ", 2);
        const char* entry = view.entries[i];
        if (entry != nullptr) writer.Append(entry, strnlen(entry, kFileTypeEntryChars));
    }
}

void StoreFileTypes(FileTypeListView& view, const char* line) {
    view.count = 0;
    const int32_t limit = StorableEntries(view);
    if (line == nullptr) return;
    const char* at = line;
    const char* const end = line + strnlen(line, kFileTypeLineSize - 1);
    for (;;) {
        const char* comma = static_cast<const char*>(std::memchr(at, ',', size_t(end - at)));
        if (comma == nullptr) break;
        if (view.count >= limit || view.entries[view.count] == nullptr) return;
        StoreEntry(view.entries[view.count], SkipBlanks(at, comma), comma);
        ++view.count;
        at = comma + 1;
    }
    if (view.count >= limit || view.entries[view.count] == nullptr) return;
    const char* rest = SkipBlanks(at, end);
    if (rest == end) return;
    StoreEntry(view.entries[view.count], rest, end);
    ++view.count;
}

}  // namespace vek::editlib
