// The edit-time services where there is no window system (the native build,
// run by the tests): messages go to the standard error stream; there are no
// menus and no menu resources.
#if !defined(_WIN32)

#include <cstdio>

#include "framework/edit/HostGlue.h"

namespace vek {

void ShowEditorError(void*, const char* text) { std::fprintf(stderr, "%s: %s\n", kMessageCaption, text); }

void* MakeHostMenu(const MenuLayout*) { return nullptr; }

void CopyMenuResourceText(void*, int32_t, uint16_t, char*, int32_t) {}

}  // namespace vek

#endif
