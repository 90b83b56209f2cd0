// vekhost's speed, each figure beside its anchor from the same run:
//   - the mixing core's cost per deck per second of output, as a multiple of
//     a plain memcpy of one second of output (176400 bytes);
//   - rendering throughput as a multiple of real time: 16 decks of in-memory
//     streams, and scenes of the demo's sounds through the real engineers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tools/vekhost/DemoSounds.h"
#include "tools/vekhost/MixingCore.h"
#include "tools/vekhost/SceneRun.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kSecondFrames = 44100;
constexpr size_t kSecondBytes = kSecondFrames * 4;  // 16-bit stereo

double g_memcpySecondNs = 0.0;  // the anchor: one second of output copied

double ElapsedNs(Clock::time_point start) {
    return double(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count());
}

// A stream that plays a buffer of PCM without end, as a looping engineer stream does.
struct EndlessSource {
    std::vector<uint8_t> bytes;
    size_t position = 0;
    int32_t rate, bits, channels;
    StreamRecord record{};

    EndlessSource(int32_t sampleRate, int32_t bitsPerSample, int32_t channelCount, size_t frames)
        : rate(sampleRate), bits(bitsPerSample), channels(channelCount) {
        bytes.resize(frames * size_t(channels) * size_t(bits / 8));
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 37 + 11);
        std::memcpy(record.magic, vek::kStreamMagic, 4);
        record.version = vek::kStreamRecordVersion;
        record.state = this;
        record.read = Read;
        record.open = Open;
        record.close = Nothing;
        record.release = Nothing;
    }

    static void VEK_STDCALL Nothing(StreamRecord*) {}

    static int32_t VEK_STDCALL Open(StreamRecord* r) {
        auto* s = static_cast<EndlessSource*>(r->state);
        r->sampleRate = s->rate, r->bitsPerSample = s->bits, r->channels = s->channels;
        r->lengthMs = 1000;
        s->position = 0;
        return 0;
    }

    static int32_t VEK_STDCALL Read(int32_t count, void* buffer, StreamRecord* r) {
        auto* s = static_cast<EndlessSource*>(r->state);
        auto* out = static_cast<uint8_t*>(buffer);
        size_t done = 0;
        while (done < size_t(count)) {
            const size_t piece = std::min(size_t(count) - done, s->bytes.size() - s->position);
            std::memcpy(out + done, s->bytes.data() + s->position, piece);
            done += piece;
            s->position = (s->position + piece) % s->bytes.size();
        }
        return count;
    }
};

void BM_Anchor_MemcpyOneSecondOfOutput(benchmark::State& state) {
    std::vector<uint8_t> from(kSecondBytes, 1), to(kSecondBytes);
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kSecondBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    g_memcpySecondNs = ElapsedNs(start) / double(state.iterations());
    state.counters["ns_per_second_of_output"] = g_memcpySecondNs;
}
BENCHMARK(BM_Anchor_MemcpyOneSecondOfOutput);

// One second of output from `decks` decks: arg 0 = decks, arg 1 = the
// source's rate (44100 plays at step 1; 22050 stereo resamples).
void BM_MixPerDeckSecond(benchmark::State& state) {
    const int32_t decks = int32_t(state.range(0));
    const int32_t rate = int32_t(state.range(1));
    std::vector<EndlessSource> sources;
    sources.reserve(size_t(decks));
    vekhost::MixingCore core(decks);
    for (int32_t i = 0; i < decks; ++i) {
        sources.emplace_back(rate, 16, 2, 4096 + size_t(i) * 17);
        const int32_t deck = core.AllocateDeck();
        core.AttachStream(deck, &sources.back().record);
        core.SetDeckVolume(deck, 0.05f);
        core.SetDeckPan(deck, float(i % 5) / 2.0f - 1.0f);
        core.PlayDeck(deck, 1);
    }
    std::vector<int16_t> out(2 * kSecondFrames);
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        core.Render(out.data(), kSecondFrames);
        benchmark::DoNotOptimize(out.data());
    }
    const double perDeckSecondNs = ElapsedNs(start) / double(state.iterations()) / double(decks);
    state.counters["x_memcpy_per_deck_second"] = perDeckSecondNs / g_memcpySecondNs;
    state.counters["x_realtime"] = 1e9 / (perDeckSecondNs * double(decks));
}
BENCHMARK(BM_MixPerDeckSecond)->Args({1, 44100})->Args({16, 44100})->Args({16, 22050})->Unit(benchmark::kMillisecond);

// --- Scenes through the real engineers.

struct DemoFolder {
    std::string path;
    bool ready = false;
    DemoFolder() {
        // A folder of this run's own, drawn until its name is new.
        std::random_device random;
        std::filesystem::path folder;
        std::error_code failed;
        do {
            folder = std::filesystem::temp_directory_path() / ("vekhost-bench-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(folder, failed) && !failed);
        if (failed) return;
        path = folder.string() + "/";
        std::string error;
        ready = vekhost::WriteDemoSounds(path, error);
    }
    ~DemoFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
};

// The demo's sounds, cached through both engineers, then 16 of them at once
// for two seconds, panned across and at different frequencies.
std::string SixteenDeckScene() {
    std::string scene =
        "0 \"Advanced Sound\" \"Add Sound to Cache\" drum.wav drum\n"
        "0 \"Advanced Sound\" \"Add Sound to Cache\" hat24.wav hat\n"
        "0 \"Advanced Sound\" \"Add Sound to Cache\" tone.aiff tone\n"
        "0 \"Advanced Sound\" \"Add Sound to Cache\" blip8.wav blip\n";
    const char* plays[] = {"tone 300 %d 2 %d", "drum 400 %d 4 %d", "hat 300 %d 16 %d", "blip 200 %d 10 %d"};
    for (int i = 0; i < 16; ++i) {
        char line[160];
        char args[64];
        std::snprintf(args, sizeof args, plays[i % 4], -900 + 120 * i, 1000 + (i / 4) * 10);
        std::snprintf(line, sizeof line,
                      "0 \"Advanced Sound\" \"Play With Altered Frequency > Play Sound Looped (w/ vol & pan)\" %s\n",
                      args);
        scene += line;
    }
    return scene;
}

void RenderSceneBenchmark(benchmark::State& state, const std::string& text, int32_t decks) {
    DemoFolder folder;
    vekhost::SceneHost host;
    std::string error;
    vekhost::Scene scene;
    if (!folder.ready || !host.LoadEngineers(VEK_EXTENSIONS_DIR "/", error) ||
        !vekhost::ParseScene(text, folder.path + "bench.scene", host.descriptions(),
                             [](const std::string&) { return true; }, scene, error)) {
        state.SkipWithError(("cannot set the scene up: " + error).c_str());
        return;
    }
    vekhost::RenderOptions options;
    options.decks = decks;
    double audioMs = 0.0;
    int mostAtOnce = 0;
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        const vekhost::RenderOutcome outcome = vekhost::RenderScene(host, scene, options);
        audioMs = double(outcome.lengthMs());
        mostAtOnce = outcome.stats.mostAtOnce;
        benchmark::DoNotOptimize(outcome.samples.data());
    }
    if (mostAtOnce == 0) {
        state.SkipWithError("the engineers play nothing yet");
        return;
    }
    const double wallMs = ElapsedNs(start) / 1e6 / double(state.iterations());
    state.counters["x_realtime"] = audioMs / wallMs;
    state.counters["decks_at_once"] = mostAtOnce;
}

void BM_SixteenDeckSceneThroughTheEngineers(benchmark::State& state) {
    RenderSceneBenchmark(state, SixteenDeckScene(), 16);
}
BENCHMARK(BM_SixteenDeckSceneThroughTheEngineers)->Unit(benchmark::kMillisecond);

void BM_DemoSceneThroughTheEngineers(benchmark::State& state) {
    std::string text;
    if (std::FILE* file = std::fopen(VEKHOST_DEMO_SCENE, "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
        std::fclose(file);
    }
    RenderSceneBenchmark(state, text, 32);
}
BENCHMARK(BM_DemoSceneThroughTheEngineers)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
