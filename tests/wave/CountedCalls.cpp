#include "tests/wave/CountedCalls.h"

#include <cstdio>
#include <cstdlib>

namespace vek::testing {
namespace {
CountedCalls g_counted;
}  // namespace

const CountedCalls& Counted() { return g_counted; }
void ResetCounted() { g_counted = CountedCalls{}; }

#if defined(VEK_COUNTED_CALLS)
bool CountedCallsAvailable() { return true; }
#else
bool CountedCallsAvailable() { return false; }
#endif

}  // namespace vek::testing

#if defined(VEK_COUNTED_CALLS)
using vek::testing::g_counted;

extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void __real_free(void* block);
std::FILE* __real_fopen(const char* path, const char* mode);
int __real_fclose(std::FILE* file);
// With large-file interfaces fopen is fopen64 at link level.
std::FILE* __real_fopen64(const char* path, const char* mode);

static void CountAllocation(void* block, size_t size) {
    if (block == nullptr) return;
    ++g_counted.allocations;
    if (size > g_counted.largestAllocation) g_counted.largestAllocation = size;
}

void* __wrap_malloc(size_t size) {
    void* block = __real_malloc(size);
    CountAllocation(block, size);
    return block;
}

void* __wrap_calloc(size_t count, size_t size) {
    void* block = __real_calloc(count, size);
    CountAllocation(block, count * size);
    return block;
}

void __wrap_free(void* block) {
    if (block != nullptr) ++g_counted.frees;
    __real_free(block);
}

std::FILE* __wrap_fopen(const char* path, const char* mode) {
    std::FILE* file = __real_fopen(path, mode);
    if (file != nullptr) ++g_counted.opens;
    return file;
}

std::FILE* __wrap_fopen64(const char* path, const char* mode) {
    std::FILE* file = __real_fopen64(path, mode);
    if (file != nullptr) ++g_counted.opens;
    return file;
}

int __wrap_fclose(std::FILE* file) {
    ++g_counted.closes;
    return __real_fclose(file);
}
}  // extern "C"
#endif
