// Running a scene: the host's life cycle around the scene's events, each at
// its time in the output, with the mixing core rendering what the decks play
// between them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/vekhost/MixingCore.h"
#include "tools/vekhost/SceneFormat.h"
#include "tools/vekhost/SceneHost.h"

namespace vekhost {

struct RenderOptions {
    int32_t decks = 32;
    // Called now and then with the milliseconds rendered and the length expected so far.
    std::function<void(int64_t doneMs, int64_t expectedMs)> progress;
    // Called for each error as the core receives it.
    std::function<void(const CoreError&)> onError;
    // Called with each expression's line as it is evaluated.
    std::function<void(const std::string&)> onExpression;
};

struct EventMark {
    int64_t timeMs;
    EventKind kind;
};

struct CachedSound {
    std::string id;
    std::string file;
    std::string engineer;  // the one the core named for the file
    bool probed = false;   // what it delivers is known
    std::string delivers;  // format, length and bytes
};

struct RenderOutcome {
    std::vector<int16_t> samples;  // 44.1 kHz interleaved stereo
    std::vector<EventMark> marks;
    std::vector<CachedSound> cached;
    std::vector<std::string> expressions;  // "[  1.200 s] Advanced Sound: SoundIDLastDeck("drum") = 3"
    std::vector<CoreError> errors;
    std::vector<std::string> notes;        // what the host noticed the engineers doing wrong
    MixStats stats;
    int eventsRun = 0;
    int framesStarted = 0;                 // frame lines run
    bool cutShort = false;                 // decks still played at the longest render
    int64_t lengthMs() const { return int64_t(samples.size() / 2) * 1000 / kOutputRate; }
};

// "[  1.250 s]"
std::string TimeStamp(int64_t ms);

// Runs `scene` through engineers loaded in `host` (whose descriptions the
// scene was read against). The application starts and ends inside.
RenderOutcome RenderScene(SceneHost& host, const Scene& scene, const RenderOptions& options);

}  // namespace vekhost
