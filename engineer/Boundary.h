// Conventions for everything that crosses a library boundary.
//
// - Every exported function, every host routine and every callback stored in a
//   record uses the stdcall convention (callee cleans the stack), except the
//   variadic AudioCore::ReportError.
// - AudioCore and CVekEditDll are reached through their virtual tables by
//   position; the compiler's member-function convention applies to them.
// - Records are plain structs of little-endian 32-bit fields; their sizes and
//   offsets are checked with static_assert next to each definition.
// - No C++ exception crosses a boundary.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define VEK_STDCALL __stdcall
#define VEK_EXPORT
#else
#define VEK_STDCALL __attribute__((stdcall))
#define VEK_EXPORT __attribute__((visibility("default")))
#endif

static_assert(sizeof(void*) == 4, "the binding layouts are those of a 32-bit process");

namespace vek {

// Four-character constants: the first character is the most significant byte.
constexpr uint32_t FourCC(char a, char b, char c, char d) {
    return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) |
           (uint32_t(uint8_t(c)) << 8) | uint32_t(uint8_t(d));
}

// Paths and sound IDs live in fixed fields of this many characters, terminator included.
constexpr size_t kTextFieldSize = 260;

}  // namespace vek
