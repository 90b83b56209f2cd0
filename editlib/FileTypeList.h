// The file-type dialog's working line: the caller's entries joined into one
// comma-separated line at start-up, and the edited line read back into the
// entries on OK.
#pragma once

#include <cstddef>

#include "editlib/FileTypeListView.h"

namespace vek::editlib {

// The working line holds at most 1023 characters and a terminator.
constexpr size_t kFileTypeLineSize = 1024;
// An entry field is 13 bytes; its 13th byte is the caller's and never written.
constexpr size_t kFileTypeEntryChars = 12;

// Joins entries 0 .. count-1 as "first, second, ..." into line (size bytes,
// always terminated; a longer line is cut). Only entries the view really
// holds are read: a count above the capacity is taken as the capacity, a
// negative count or capacity or a null array joins nothing, a null entry
// joins as empty, and each entry is read up to 12 characters.
void JoinFileTypes(const FileTypeListView& view, char* line, size_t size);

// Rewrites the view from the edited line (read up to 1023 characters):
// count starts at 0; each piece before a comma makes an entry, the last piece
// only when something but blanks is in it; leading blanks are dropped; each
// entry keeps at most its first 12 characters. At most capacity - 1 entries
// are stored; the rest of the line is ignored. Nothing is written for a
// negative capacity or a null array, and writing stops at a null entry.
void StoreFileTypes(FileTypeListView& view, const char* line);

}  // namespace vek::editlib
