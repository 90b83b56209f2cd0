// Counts of the allocations and files the code linked into this test makes
// and ends. The native build routes malloc, calloc, free, fopen and fclose
// through counting wrappers (the linker's --wrap); elsewhere nothing is
// counted and CountedCallsAvailable() is false.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vek::testing {

struct CountedCalls {
    uint32_t allocations = 0;  // malloc and calloc that answered a block
    uint32_t frees = 0;        // free of a block (not of null)
    uint32_t opens = 0;        // fopen that answered a file
    uint32_t closes = 0;
    size_t largestAllocation = 0;

    uint32_t outstandingBlocks() const { return allocations - frees; }
    uint32_t outstandingFiles() const { return opens - closes; }
};

bool CountedCallsAvailable();
// The counts since the last reset.
const CountedCalls& Counted();
void ResetCounted();

}  // namespace vek::testing
