// A plug-in library for the discovery tests, built once per variant
// (VEK_TEST_VARIANT, one of the numbers below). Each reports version 1.5.
#include <cstring>

#include "engineer/PluginInfo.h"

#define VEK_VARIANT_BANG 1     // type 2739, listed as "!"
#define VEK_VARIANT_THREE 2    // type 3, listed as "Aux"
#define VEK_VARIANT_ZERO 3     // type 0, listed as "Aux"
#define VEK_VARIANT_NO_GRAB 4  // a library without VekGrabInfos
#define VEK_VARIANT_CORE 5     // type 2, and the core's VekGrabCoreInfos
#define VEK_VARIANT_HOSTILE 6  // every text field full to its last byte, no
                               // terminator; a core text far longer than a line

namespace {

constexpr float kVersion = 1.5f;

struct Variant {
    const char* name;
    int32_t type;
};

constexpr Variant kVariant =
#if VEK_TEST_VARIANT == VEK_VARIANT_BANG
    {"Bang", 2739};
#elif VEK_TEST_VARIANT == VEK_VARIANT_THREE
    {"Three", 3};
#elif VEK_TEST_VARIANT == VEK_VARIANT_ZERO
    {"Zero", 0};
#elif VEK_TEST_VARIANT == VEK_VARIANT_CORE
    {"Core", 2};
#else
    {"Hostile", 3};
#endif

[[maybe_unused]] void Fill(char* field, size_t size, char c) {
    if (field != nullptr) std::memset(field, c, size);
}

[[maybe_unused]] void Copy(char* field, const char* text) {
    if (field != nullptr) std::strcpy(field, text);
}

}  // namespace

extern "C" {

#if VEK_TEST_VARIANT == VEK_VARIANT_NO_GRAB
VEK_EXPORT int32_t VEK_STDCALL VekSomethingElse() { return 0; }
#else
VEK_EXPORT int32_t VEK_STDCALL VekGrabInfos(uint32_t* identifier, char* name, char* author, char* copyright,
                                            char* description, char* url, float* version, int32_t* type) {
    if (identifier != nullptr) *identifier = vek::FourCC('T', 'E', 'S', 'T');
    if (VEK_TEST_VARIANT == VEK_VARIANT_HOSTILE) {
        Fill(name, 1024, 'N');
        Fill(author, 1024, 'A');
        Fill(copyright, 1024, 'C');
        Fill(description, 2048, 'D');
        Fill(url, 1024, 'U');
    } else {
        Copy(name, kVariant.name);
        Copy(author, "Test Author");
        Copy(copyright, "Test Copyright");
        Copy(description, "A plug-in of the tests");
        Copy(url, "https://test.example.org/");
    }
    if (version != nullptr) *version = kVersion;
    if (type != nullptr) *type = kVariant.type;
    return 0;
}
#endif

#if VEK_TEST_VARIANT == VEK_VARIANT_CORE
// Answers its text only for the version VekGrabInfos reported, widened. The
// conversions in it would read and write memory if it were used as a format.
VEK_EXPORT const char* VEK_STDCALL VekGrabCoreInfos(double version) {
    return version == double(kVersion) ? "Vek Core 100%% ready %s%n%d" : "wrong version";
}
#elif VEK_TEST_VARIANT == VEK_VARIANT_HOSTILE
VEK_EXPORT const char* VEK_STDCALL VekGrabCoreInfos(double) {
    static char text[3001];
    std::memset(text, '%', sizeof text - 1);
    return text;
}
#endif

}  // extern "C"
