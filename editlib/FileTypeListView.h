// The view of a caller's extension list that EditFileTypes hands to the
// file-type dialog for the length of the modal run.
#pragma once

#include "engineer/Boundary.h"

struct FileTypeListView {
    int32_t count;     // entries in use; rewritten on OK
    int32_t capacity;  // pointers in `entries`
    char** entries;    // each points to a caller's 13-byte field
};

static_assert(sizeof(FileTypeListView) == 12, "FileTypeListView size");
static_assert(offsetof(FileTypeListView, capacity) == 4, "capacity");
static_assert(offsetof(FileTypeListView, entries) == 8, "entries");
