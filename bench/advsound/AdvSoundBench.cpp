// The Advanced Sound engineer's figures, each beside its anchor:
//   a cached stream's 4096-byte reads against memcpy of the same pieces;
//   Decode of a 60 s 44.1 kHz stereo 16-bit file against one bare
//     sf_read_short of the whole file;
//   Add of the same file (576-byte pull) against fread of the whole file,
//     captured through the Wave engineer (loaded from the Extensions folder)
//     and through this engineer's own streams, disk-reading and decoding.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "advsound/SoundCache.h"
#include "advsound/SoundStream.h"
#include "engineer/EngineerFactory.h"
#include "framework/EditData.h"
#include "framework/RunData.h"
#include "platform/Platform.h"
#include "testing/ScratchFolder.h"
#include "testing/CoreStandIn.h"
#include "testing/EngineerLibrary.h"
#include "testing/HostStandIn.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kSeconds = 60;
constexpr int kPiecesPerIteration = 256;
constexpr uint32_t kPiece = 4096;

void PutLE(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(char(uint8_t(value >> (8 * i))));
}

// A 16-bit PCM wave file with the plain 44-byte header, which both engineers
// and libsndfile read.
void WritePlainWave(const std::string& path, int seconds) {
    const uint32_t dataBytes = uint32_t(seconds) * kRate * kChannels * 2;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    PutLE(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);
    PutLE(out, kChannels, 2);
    PutLE(out, kRate, 4);
    PutLE(out, kRate * kChannels * 2, 4);
    PutLE(out, kChannels * 2, 2);
    PutLE(out, 16, 2);
    out.write("data", 4);
    PutLE(out, dataBytes, 4);
    std::vector<char> samples(dataBytes);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = char(i * 31 + i / 1000);
    out.write(samples.data(), std::streamsize(samples.size()));
}

class Files {
public:
    Files() : root_("vek-advsound-bench-") {
        WritePlainWave(Long(), kSeconds);
        WritePlainWave(Short(), 10);
    }
    std::string Long() const { return root_.Path("sixty.wav"); }
    std::string Short() const { return root_.Path("ten.wav"); }

private:
    vek::testing::ScratchFolder root_;
};

const Files& TheFiles() {
    static Files files;
    return files;
}

// This engineer's own engineer record, with its owner's caching switch.
struct OwnEngineer {
    explicit OwnEngineer(bool caching) {
        owner.cachingEnabled = caching;
        record = vek::MakeEngineerRecord(0, nullptr, &owner);
        core.findOverride = record;
    }
    ~OwnEngineer() { std::free(record); }
    RunData owner{};
    EngineerRecord* record;
    vek::testing::CoreStandIn core;
};

// ---- a cached stream's reads ----

struct CachedSound {
    CachedSound() : engineer(true) {
        sound = cache.Add("bench", TheFiles().Short().c_str(), &engineer.core, nullptr);
        object.soundCache = &cache;
    }
    ~CachedSound() { cache.Clear(); }
    OwnEngineer engineer;
    SoundCache cache;
    RunData object{};
    vek::DecodedSound* sound = nullptr;
};

// Both figures copy from the same sound into the same buffer, so that they
// differ only in the path the bytes take, not in where they lie.
CachedSound& SharedSound() {
    static CachedSound cached;
    return cached;
}

uint8_t* SharedPieceBuffer() {
    static std::vector<uint8_t> buffer(kPiece);
    return buffer.data();
}

void MemcpyPieces4096(benchmark::State& state) {
    const uint8_t* data = SharedSound().sound->data;
    const uint32_t size = SharedSound().sound->dataSize;
    uint8_t* out = SharedPieceBuffer();
    uint32_t at = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPiecesPerIteration; ++i) {
            // The same pieces the stream delivers, wrapping at the end of the data.
            const uint32_t first = std::min(kPiece, size - at);
            std::memcpy(out, data + at, first);
            at += first;
            if (first < kPiece) {
                std::memcpy(out + first, data, kPiece - first);
                at = kPiece - first;
            }
            benchmark::DoNotOptimize(out);
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kPiecesPerIteration * kPiece);
}
BENCHMARK(MemcpyPieces4096);

// The same copies done by a bare function reached through a pointer, as the
// core reaches every read callback: the least any read callback can cost.
struct PieceCursor {
    const uint8_t* data;
    uint32_t size;
    uint32_t at;
};

__attribute__((noinline)) int32_t VEK_STDCALL CopyNextPiece(int32_t count, void* buffer, PieceCursor* cursor) {
    auto* out = static_cast<uint8_t*>(buffer);
    const uint32_t first = std::min(uint32_t(count), cursor->size - cursor->at);
    std::memcpy(out, cursor->data + cursor->at, first);
    cursor->at += first;
    if (first < uint32_t(count)) {
        std::memcpy(out + first, cursor->data, uint32_t(count) - first);
        cursor->at = uint32_t(count) - first;
    }
    return count;
}

int32_t(VEK_STDCALL* volatile g_copyNextPiece)(int32_t, void*, PieceCursor*) = CopyNextPiece;

void CalledMemcpyPieces4096(benchmark::State& state) {
    PieceCursor cursor{SharedSound().sound->data, SharedSound().sound->dataSize, 0};
    uint8_t* out = SharedPieceBuffer();
    for (auto _ : state) {
        for (int i = 0; i < kPiecesPerIteration; ++i) {
            benchmark::DoNotOptimize(g_copyNextPiece(int32_t(kPiece), out, &cursor));
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kPiecesPerIteration * kPiece);
}
BENCHMARK(CalledMemcpyPieces4096);

void CachedStreamRead4096(benchmark::State& state) {
    CachedSound& cached = SharedSound();
    StreamRecord* stream = vek::CreateCachedStream(&cached.object, &cached.engineer.core, "bench");
    stream->loopsLeft = -1;
    stream->open(stream);
    uint8_t* out = SharedPieceBuffer();
    for (auto _ : state) {
        for (int i = 0; i < kPiecesPerIteration; ++i) {
            benchmark::DoNotOptimize(stream->read(int32_t(kPiece), out, stream));
            benchmark::ClobberMemory();
        }
    }
    stream->release(stream);
    state.SetBytesProcessed(int64_t(state.iterations()) * kPiecesPerIteration * kPiece);
}
BENCHMARK(CachedStreamRead4096);

// ---- decoding ----

void SfReadShortWhole60s(benchmark::State& state) {
    const std::string path = TheFiles().Long();
    for (auto _ : state) {
        SF_INFO info;
        std::memset(&info, 0, sizeof info);
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        const sf_count_t samples = info.frames * info.channels;
        auto* buffer = static_cast<int16_t*>(std::malloc(size_t(samples) * 2));
        benchmark::DoNotOptimize(sf_read_short(file, buffer, samples));
        sf_close(file);
        std::free(buffer);
    }
}
BENCHMARK(SfReadShortWhole60s)->Unit(benchmark::kMillisecond);

void Decode60s(benchmark::State& state) {
    const std::string path = TheFiles().Long();
    for (auto _ : state) {
        vek::DecodedSound sound;
        sound.Decode(path.c_str());
        if (!sound.loaded) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(sound.data);
        sound.Release();
    }
}
BENCHMARK(Decode60s)->Unit(benchmark::kMillisecond);

// ---- capturing into the cache ----

void FreadWhole60s(benchmark::State& state) {
    const std::string path = TheFiles().Long();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        const long size = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        void* buffer = std::malloc(size_t(size));
        benchmark::DoNotOptimize(std::fread(buffer, 1, size_t(size), file));
        std::fclose(file);
        std::free(buffer);
    }
}
BENCHMARK(FreadWhole60s)->Unit(benchmark::kMillisecond);

void AddRepeatedly(benchmark::State& state, AudioCore* core) {
    const std::string path = TheFiles().Long();
    SoundCache cache;
    for (auto _ : state) {
        if (cache.Add("bench", path.c_str(), core, nullptr) == nullptr) {
            state.SkipWithError("the capture failed");
            break;
        }
        cache.Clear();
    }
}

// The Wave engineer as the host loads it, with a run object that a core
// stand-in has adopted, so that the core names it for ".wav".
struct WaveEngineer {
    WaveEngineer()
        : library(vek::testing::ExtensionsFolder() + vek::platform::PathSeparator() + "VekEng_Wave.mfx") {
        if (!library.complete()) return;
        EditData edit{};
        std::strcpy(edit.extensions[0], "wav");
        edit.extensionCount = 1;
        object = host.NewRunObject(size_t(library.exports().GetRunObjectDataSize(0, 0)));
        library.exports().CreateRunObject(object.data(), &edit, 0);
        core.Adopt(object.data(), object.size());
        std::memcpy(&engineer, object.data() + object.size() - 12, sizeof engineer);
    }
    ~WaveEngineer() {
        if (engineer == nullptr) return;
        library.exports().DestroyRunObject(object.data(), 0);
        std::free(engineer);
    }
    bool MakesStreams(const std::string& path) {
        if (engineer == nullptr) return false;
        StreamRecord* probe = engineer->createStream(engineer, path.c_str());
        if (probe == nullptr) return false;
        probe->release(probe);
        return true;
    }

    vek::testing::EngineerLibrary library;
    vek::testing::HostStandIn host;
    vek::testing::CoreStandIn core;
    std::vector<uint8_t> object;
    EngineerRecord* engineer = nullptr;
};

void AddThroughWaveEngineer60s(benchmark::State& state) {
    WaveEngineer wave;
    if (!wave.MakesStreams(TheFiles().Long())) {
        state.SkipWithError("the Wave engineer makes no stream for the file in this build");
        for (auto _ : state) {
        }
        return;
    }
    AddRepeatedly(state, &wave.core);
}
BENCHMARK(AddThroughWaveEngineer60s)->Unit(benchmark::kMillisecond);

void AddThroughOwnDiskStream60s(benchmark::State& state) {
    OwnEngineer own(false);
    AddRepeatedly(state, &own.core);
}
BENCHMARK(AddThroughOwnDiskStream60s)->Unit(benchmark::kMillisecond);

// The same pull from a stream that decoded its file whole when it was made:
// beside the disk-reading figure it shows what the per-block file reads cost.
void AddThroughOwnDecodingStream60s(benchmark::State& state) {
    OwnEngineer own(true);
    AddRepeatedly(state, &own.core);
}
BENCHMARK(AddThroughOwnDecodingStream60s)->Unit(benchmark::kMillisecond);

// Where a capture's time goes, part by part. First the pull alone: the 576-byte
// reads of the whole sound through a stream's callback, from memory into
// memory that is already mapped.
void Pull576Only60s(benchmark::State& state) {
    OwnEngineer own(true);
    SoundCache cache;
    cache.Add("bench", TheFiles().Long().c_str(), &own.core, nullptr);
    RunData object{};
    object.soundCache = &cache;
    StreamRecord* stream = vek::CreateCachedStream(&object, &own.core, "bench");
    const uint32_t size = cache.Find("bench")->dataSize;
    std::vector<uint8_t> target(size);
    for (auto _ : state) {
        stream->open(stream);
        for (uint32_t at = 0; at < size;) {
            const int32_t got = stream->read(int32_t(std::min(size - at, vek::kCapturePullBlock)), target.data() + at,
                                             stream);
            if (got <= 0) break;
            at += uint32_t(got);
        }
        stream->close(stream);
        benchmark::DoNotOptimize(target.data());
    }
    stream->release(stream);
    cache.Clear();
}
BENCHMARK(Pull576Only60s)->Unit(benchmark::kMillisecond);

// Then the fresh, zeroed buffer a capture fills: the first write to each of
// its pages maps it.
void FreshZeroedBuffer60s(benchmark::State& state) {
    const size_t size = size_t(kSeconds) * kRate * kChannels * 2 + vek::kCaptureSpareBytes;
    for (auto _ : state) {
        auto* buffer = static_cast<uint8_t*>(std::calloc(size, 1));
        for (size_t at = 0; at < size; at += 4096) buffer[at] = 1;
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
    }
}
BENCHMARK(FreshZeroedBuffer60s)->Unit(benchmark::kMillisecond);

}  // namespace
