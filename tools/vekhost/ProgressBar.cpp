#include "tools/vekhost/ProgressBar.h"

#include <algorithm>

#if defined(_WIN32)
#include <io.h>
#define VEKHOST_ISATTY(fd) _isatty(fd)
#define VEKHOST_FILENO(stream) _fileno(stream)
#else
#include <unistd.h>
#define VEKHOST_ISATTY(fd) isatty(fd)
#define VEKHOST_FILENO(stream) fileno(stream)
#endif

namespace vekhost {

namespace {
constexpr int kBarWidth = 40;
}

bool IsTerminal(std::FILE* stream) { return stream != nullptr && VEKHOST_ISATTY(VEKHOST_FILENO(stream)) != 0; }

ProgressBar::ProgressBar(std::FILE* out, bool enabled, int64_t shownFromMs)
    : out_(out), enabled_(enabled && IsTerminal(out)), shownFromMs_(shownFromMs) {}

void ProgressBar::Update(int64_t doneMs, int64_t expectedMs) {
    if (!enabled_ || expectedMs < shownFromMs_ || expectedMs <= 0) return;
    const int permille = int(std::min<int64_t>(1000, doneMs * 1000 / expectedMs));
    if (permille == lastPermille_) return;
    lastPermille_ = permille;
    const int filled = permille * kBarWidth / 1000;
    char bar[kBarWidth + 1];
    for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    std::fprintf(out_, "\r[%s] %3d%%  %.1f s of %.1f s", bar, permille / 10, double(doneMs) / 1000.0,
                 double(expectedMs) / 1000.0);
    std::fflush(out_);
    drawn_ = true;
}

void ProgressBar::Finish() {
    if (!drawn_) return;
    std::fprintf(out_, "\r%*s\r", kBarWidth + 32, "");
    std::fflush(out_);
    drawn_ = false;
    lastPermille_ = -1;  // drawn again in full by the next update
}

}  // namespace vekhost
