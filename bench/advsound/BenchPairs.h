// Which anchor each figure is measured against.
#pragma once

namespace advbench {

struct Pair {
    const char* figure;
    const char* anchor;
    bool throughput;  // compare rates rather than times
    const char* target;
};

inline constexpr Pair kPairs[] = {
    {"CachedStreamRead4096", "MemcpyPieces4096", true, ">= 0.9"},
    {"CachedStreamRead4096", "CalledMemcpyPieces4096", true, "the floor of any read callback"},
    {"Decode60s", "SfReadShortWhole60s", false, "<= 1.1"},
    {"AddThroughWaveEngineer60s", "FreadWhole60s", false, "report; say where the time goes above 2"},
    {"AddThroughOwnDiskStream60s", "FreadWhole60s", false, "report"},
    {"AddThroughOwnDecodingStream60s", "FreadWhole60s", false, "report"},
    {"Pull576Only60s", "FreadWhole60s", false, "part of a capture"},
    {"FreshZeroedBuffer60s", "FreadWhole60s", false, "part of a capture"},
};

}  // namespace advbench
