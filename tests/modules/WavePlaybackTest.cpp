// The built Wave engineer, loaded by file name, plays a generated wave file
// for the core stand-in: a run object made from stored data through the
// exports, found and registered by the core, streams made through the
// record the core picks for the file, in both modes, switched by the
// object's actions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"
#include "platform/Platform.h"
#include "testing/CoreStandIn.h"
#include "testing/EngineerLibrary.h"
#include "testing/HostStandIn.h"
#include "tests/support/WaveFiles.h"

namespace {

using vek::testing::CoreStandIn;
using vek::testing::EngineerLibrary;
using ActionRoutine = int16_t(VEK_STDCALL*)(void* object, int32_t param1, int32_t param2);

constexpr int kSetFiletypes = 0;
constexpr int kEnableCaching = 1;
constexpr int kDisableCaching = 2;

struct Played {
    std::vector<uint8_t> bytes;
    int32_t lengthMsBeforeOpen;
    int32_t lengthMs;
    int32_t sampleRate, channels, bitsPerSample;
    uint8_t ended;
};

// What the core does with a file: make the stream through the engineer it
// picked, open it, pull pieces until it ends, close and release it.
Played Play(EngineerRecord* engineer, const std::string& path, int32_t piece) {
    Played played{};
    StreamRecord* stream = engineer->createStream(engineer, path.c_str());
    EXPECT_NE(stream, nullptr) << path;
    if (stream == nullptr) return played;
    played.lengthMsBeforeOpen = stream->lengthMs;
    stream->loopsLeft = 0;
    EXPECT_EQ(stream->open(stream), 0);
    played.lengthMs = stream->lengthMs;
    played.sampleRate = stream->sampleRate;
    played.channels = stream->channels;
    played.bitsPerSample = stream->bitsPerSample;
    std::vector<uint8_t> buffer(static_cast<size_t>(piece));
    for (int guard = 0; guard < 100000 && stream->ended == 0; ++guard) {
        const int32_t got = stream->read(piece, buffer.data(), stream);
        EXPECT_GE(got, 0);
        EXPECT_LE(got, piece);
        if (got <= 0) break;
        played.bytes.insert(played.bytes.end(), buffer.begin(), buffer.begin() + got);
    }
    played.ended = stream->ended;
    stream->close(stream);
    stream->release(stream);
    return played;
}

// A run object made through the exports from stored data that lists "wav",
// as the host makes it at the start of a frame.
void CreateStoredObject(const vek::testing::EngineerExports& x, vek::testing::HostStandIn& host,
                        uint8_t cacheAtStartup, std::vector<uint8_t>& object) {
    EditData edit{};
    std::strcpy(edit.extensions[0], "wav");
    edit.extensionCount = 1;
    edit.cacheAtStartup = cacheAtStartup;
    object = host.NewRunObject(size_t(x.GetRunObjectDataSize(0, 0)));
    ASSERT_EQ(x.CreateRunObject(object.data(), &edit, 0), 0);
}

TEST(WavePlayback, TheLoadedEngineerPlaysAGeneratedFileInBothModes) {
    EngineerLibrary library(vek::testing::ExtensionsFolder() + vek::platform::PathSeparator() + "VekEng_Wave.mfx");
    ASSERT_TRUE(library.complete());
    const auto& x = library.exports();
    vek::testing::HostStandIn host;
    x.StartApp(host.services(), host.application());
    RunObjectInfos infos{};
    ASSERT_EQ(x.GetRunObjectInfos(0, &infos), 1);
    ASSERT_EQ(infos.actionCount, 3);
    auto** actions = reinterpret_cast<ActionRoutine*>(infos.actionRoutines);

    std::vector<uint8_t> object;
    ASSERT_NO_FATAL_FAILURE(CreateStoredObject(x, host, 0, object));
    CoreStandIn core;
    core.Adopt(object.data(), object.size());

    vek::testing::ScratchFolder folder;
    vek::testing::WaveHeaderFields header;  // 44.1 kHz, 16-bit stereo
    const std::vector<uint8_t> samples = vek::testing::SampleBytes(3 * 176400 / 2);  // 1.5 s
    const std::string path = folder.Write("generated.wav", vek::testing::WaveBytes(header, samples));
    ASSERT_FALSE(path.empty());
    EngineerRecord* engineer = core.FindEngineer(path.c_str(), nullptr);
    ASSERT_NE(engineer, nullptr) << "registered for wav";

    const Played streamed = Play(engineer, path, 4096);
    EXPECT_EQ(streamed.lengthMsBeforeOpen, -1) << "streaming: the length is known after open";
    EXPECT_EQ(streamed.bytes, samples);

    EXPECT_EQ(actions[kEnableCaching](object.data(), 0, 0), 0);
    const Played cached = Play(engineer, path, 4096);
    EXPECT_EQ(cached.lengthMsBeforeOpen, 1500) << "memory: read whole when made";
    EXPECT_EQ(cached.bytes, samples);

    for (const Played& played : {streamed, cached}) {
        EXPECT_EQ(played.lengthMs, 1500);
        EXPECT_EQ(played.sampleRate, 44100);
        EXPECT_EQ(played.channels, 2);
        EXPECT_EQ(played.bitsPerSample, 16);
        EXPECT_EQ(played.ended, 1);
    }
    EXPECT_TRUE(core.errors().empty());

    // New file types through a fresh record, which makes streams for the same object.
    EXPECT_EQ(actions[kDisableCaching](object.data(), 0, 0), 0);
    const std::string text = ".snd .wave";
    EXPECT_EQ(actions[kSetFiletypes](object.data(), int32_t(reinterpret_cast<intptr_t>(text.c_str())), 0), 0);
    const std::string renamed = folder.Write("generated.snd", vek::testing::WaveBytes(header, samples));
    EngineerRecord* fresh = core.FindEngineer(renamed.c_str(), nullptr);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, engineer);
    fresh->core = &core;
    const Played again = Play(fresh, renamed, 1000);
    EXPECT_EQ(again.lengthMsBeforeOpen, -1) << "caching was switched off again";
    EXPECT_EQ(again.bytes, samples);

    EXPECT_EQ(x.DestroyRunObject(object.data(), 0), 0);
    x.EndApp(host.services(), host.application());
    // Both records are the core's; the test plays the core.
    std::free(fresh);
    std::free(engineer);
}

TEST(WavePlayback, TheLoadedEngineerReportsFilesItCannotPlay) {
    EngineerLibrary library(vek::testing::ExtensionsFolder() + vek::platform::PathSeparator() + "VekEng_Wave.mfx");
    ASSERT_TRUE(library.complete());
    const auto& x = library.exports();
    vek::testing::HostStandIn host;
    std::vector<uint8_t> object;
    ASSERT_NO_FATAL_FAILURE(CreateStoredObject(x, host, 1, object));
    CoreStandIn core;
    core.Adopt(object.data(), object.size());

    vek::testing::ScratchFolder folder;
    vek::testing::WaveHeaderFields floating;
    floating.formatTag = 3;
    const std::string invalid = folder.Write("float.wav", vek::testing::WaveBytes(floating, {1, 2, 3, 4}));
    const std::string missing = folder.Path("missing.wav");
    EngineerRecord* engineer = core.FindEngineer(invalid.c_str(), nullptr);
    ASSERT_NE(engineer, nullptr);
    EXPECT_EQ(engineer->createStream(engineer, invalid.c_str()), nullptr);
    EXPECT_EQ(engineer->createStream(engineer, missing.c_str()), nullptr);
    const std::vector<std::string> expected = {invalid + " is not a valid PCM wave file.",
                                               "Could not open file " + missing + "."};
    EXPECT_EQ(core.errors(), expected);

    EXPECT_EQ(x.DestroyRunObject(object.data(), 0), 0);
    std::free(engineer);
}

}  // namespace
