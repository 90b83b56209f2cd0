// A progress bar for long renders, drawn on one line of a terminal.
#pragma once

#include <cstdint>
#include <cstdio>

namespace vekhost {

// Whether the stream goes to a terminal (not a file or a pipe).
bool IsTerminal(std::FILE* stream);

class ProgressBar {
public:
    // Draws only on a terminal, and only once the render is longer than `shownFromMs`.
    ProgressBar(std::FILE* out, bool enabled, int64_t shownFromMs = 3000);
    void Update(int64_t doneMs, int64_t expectedMs);
    // Clears the line if the bar was drawn.
    void Finish();

private:
    std::FILE* out_;
    bool enabled_;
    int64_t shownFromMs_;
    bool drawn_ = false;
    int lastPermille_ = -1;
};

}  // namespace vekhost
