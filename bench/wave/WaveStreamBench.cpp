// The wave stream's speed as ratios to plain C library work measured in the
// same run: reads of 4096 bytes in memory mode against memcpy of the same
// pieces, in streaming mode against fread of the same pieces from the same
// file, and making a memory-mode stream of a 10 MB sound against reading the
// file whole with fread. A summary at the end sets each figure beside its
// anchor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engineer/EngineerFactory.h"
#include "framework/RunData.h"
#include "tests/support/WaveFiles.h"
#include "wave/WaveStream.h"

namespace {

constexpr uint32_t kSoundBytes = 10u * 1024u * 1024u;
constexpr int32_t kPiece = 4096;
constexpr uint32_t kPiecesPerPass = kSoundBytes / kPiece;

// One 10 MB sound on disk and an engineer record whose owner picks the mode.
struct Sound {
    vek::testing::ScratchFolder folder;
    std::string path;
    RunData owner{};
    EngineerRecord* engineer = nullptr;

    Sound() {
        path = folder.Write("bench.wav", vek::testing::WaveBytes({}, vek::testing::SampleBytes(kSoundBytes)));
        engineer = vek::MakeEngineerRecord(0, nullptr, &owner);
    }
    ~Sound() { std::free(engineer); }

    StreamRecord* Open(bool caching) {
        owner.cachingEnabled = caching ? 1 : 0;
        StreamRecord* stream = vek::CreateWaveStream(engineer, path.c_str());
        if (stream == nullptr) return nullptr;
        stream->loopsLeft = -1;  // each pass of a benchmark goes on where the last ended
        if (stream->open(stream) != 0) {
            stream->release(stream);
            return nullptr;
        }
        return stream;
    }
};

Sound& TheSound() {
    static Sound sound;
    return sound;
}

void ReadPasses(benchmark::State& state, bool caching) {
    StreamRecord* stream = TheSound().Open(caching);
    if (stream == nullptr) {
        state.SkipWithError("the sound could not be opened");
        return;
    }
    std::vector<uint8_t> buffer(kPiece);
    for (auto _ : state) {
        for (uint32_t i = 0; i < kPiecesPerPass; ++i) {
            if (stream->read(kPiece, buffer.data(), stream) != kPiece) state.SkipWithError("short read");
            benchmark::DoNotOptimize(buffer.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSoundBytes);
    stream->release(stream);
}

void BM_WaveMemoryRead(benchmark::State& state) { ReadPasses(state, true); }

void BM_MemcpyPieces(benchmark::State& state) {
    const std::vector<uint8_t> sound = vek::testing::SampleBytes(kSoundBytes);
    std::vector<uint8_t> buffer(kPiece);
    // A size the compiler cannot see calls the C library's memcpy, as the
    // stream does, rather than an inlined copy of a fixed 4096 bytes.
    size_t piece = kPiece;
    benchmark::DoNotOptimize(piece);
    for (auto _ : state) {
        for (uint32_t i = 0; i < kPiecesPerPass; ++i) {
            std::memcpy(buffer.data(), sound.data() + size_t(i) * piece, piece);
            benchmark::DoNotOptimize(buffer.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSoundBytes);
}

void BM_WaveStreamingRead(benchmark::State& state) { ReadPasses(state, false); }

void BM_FreadPieces(benchmark::State& state) {
    std::FILE* file = std::fopen(TheSound().path.c_str(), "rb");
    if (file == nullptr) {
        state.SkipWithError("the sound could not be opened");
        return;
    }
    std::vector<uint8_t> buffer(kPiece);
    for (auto _ : state) {
        std::fseek(file, long(vek::kWaveHeaderSize), SEEK_SET);
        for (uint32_t i = 0; i < kPiecesPerPass; ++i) {
            if (std::fread(buffer.data(), 1, kPiece, file) != size_t(kPiece)) state.SkipWithError("short read");
            benchmark::DoNotOptimize(buffer.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSoundBytes);
    std::fclose(file);
}

void BM_WaveMemoryCreate(benchmark::State& state) {
    Sound& sound = TheSound();
    sound.owner.cachingEnabled = 1;
    for (auto _ : state) {
        StreamRecord* stream = vek::CreateWaveStream(sound.engineer, sound.path.c_str());
        if (stream == nullptr || stream->open(stream) != 0) state.SkipWithError("the sound could not be made");
        if (stream != nullptr) stream->release(stream);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSoundBytes);
}

void BM_FreadWhole(benchmark::State& state) {
    const size_t fileBytes = vek::kWaveHeaderSize + kSoundBytes;
    for (auto _ : state) {
        std::FILE* file = std::fopen(TheSound().path.c_str(), "rb");
        auto* data = static_cast<uint8_t*>(std::malloc(fileBytes));
        if (file == nullptr || data == nullptr || std::fread(data, 1, fileBytes, file) != fileBytes)
            state.SkipWithError("the file could not be read");
        benchmark::DoNotOptimize(data);
        std::free(data);
        if (file != nullptr) std::fclose(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSoundBytes);
}

BENCHMARK(BM_WaveMemoryRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaveStreamingRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaveMemoryCreate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadWhole)->Unit(benchmark::kMillisecond);

// How a figure compares with its anchor: a throughput (anchor time over the
// figure's time, higher is better) or a cost (figure's time over the
// anchor's, lower is better).
enum class Comparison { Throughput, Cost };

struct Figure {
    const char* title;
    const char* measured;
    const char* anchor;
    Comparison comparison;
    double target;
};

const Figure kFigures[] = {
    {"memory mode, reads of 4096 bytes", "BM_WaveMemoryRead", "BM_MemcpyPieces", Comparison::Throughput, 0.9},
    {"streaming mode, reads of 4096 bytes", "BM_WaveStreamingRead", "BM_FreadPieces", Comparison::Throughput, 0.9},
    {"create + open + release, memory mode, 10 MB", "BM_WaveMemoryCreate", "BM_FreadWhole", Comparison::Cost, 1.2},
};

// The console report, then one line per figure with its anchor and ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            Timing& timing = timings_[run.run_name.function_name];
            timing.seconds += run.cpu_accumulated_time;
            timing.iterations += double(run.iterations);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nWave stream figures (CPU time per 10 MB pass; ratio to the anchor of the same run)\n");
        for (const Figure& figure : kFigures) PrintFigure(figure);
        std::fflush(stdout);
    }

private:
    struct Timing {
        double seconds = 0;
        double iterations = 0;
        double PerIteration() const { return seconds / iterations; }
    };

    void PrintFigure(const Figure& figure) const {
        auto measured = timings_.find(figure.measured);
        auto anchor = timings_.find(figure.anchor);
        if (measured == timings_.end() || anchor == timings_.end()) {
            std::printf("  %-46s not measured in this run\n", figure.title);
            return;
        }
        const double mine = measured->second.PerIteration();
        const double theirs = anchor->second.PerIteration();
        const bool throughput = figure.comparison == Comparison::Throughput;
        const double ratio = throughput ? theirs / mine : mine / theirs;
        const bool met = throughput ? ratio >= figure.target : ratio <= figure.target;
        std::printf("  %-46s %8.3f ms   anchor %-16s %8.3f ms   %s ratio %.3f (target %s %.1f) %s\n", figure.title,
                    mine * 1e3, figure.anchor + 3, theirs * 1e3, throughput ? "throughput" : "cost", ratio,
                    throughput ? ">=" : "<=", figure.target, met ? "met" : "NOT MET");
    }

    std::map<std::string, Timing> timings_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (TheSound().path.empty()) {
        std::fprintf(stderr, "could not write the benchmark's sound\n");
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
