// The sound cache: lookup by ID, capture through any engineer's stream, and
// its life with the application.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <numeric>

#include "Fixtures.h"
#include "advsound/SoundCache.h"
#include "advsound/SoundStream.h"
#include "engineer/EngineerFactory.h"
#include "framework/EngineerModule.h"

extern "C" {
void VEK_STDCALL StartApp(HostServices* services, void* application);
void VEK_STDCALL EndApp(HostServices* services, void* application);
}

namespace {

using advtest::SourceEngineer;
using vek::DecodedSound;
using vek::testing::CoreStandIn;

std::vector<uint8_t> Pattern(size_t n, uint8_t seed = 1) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = uint8_t(i * 31 + seed + i / 251);
    return bytes;
}

std::vector<int32_t> ReadSizes(const std::vector<std::string>& log) {
    std::vector<int32_t> sizes;
    for (const std::string& entry : log)
        if (entry.rfind("read ", 0) == 0) sizes.push_back(std::atoi(entry.c_str() + 5));
    return sizes;
}

// A cache whose core hands every file to one source engineer.
struct CaptureBench {
    CaptureBench() { core.findOverride = source.record(); }
    ~CaptureBench() { cache.Clear(); }
    SourceEngineer source;
    CoreStandIn core;
    SoundCache cache;
};

TEST(SoundId, ComparesAsciiLettersWithoutCaseAndEverythingElseExactly) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"boom", "BOOM", true},   {"Hit", "hIT", true},   {"", "", true},        {"a1_Z", "A1_z", true},
        {"abc", "abd", false},    {"ab", "abc", false},   {"abc", "ab", false},  {"[", "{", false},
        {"@", "`", false},        {"\xC9", "\xE9", false}, {"x y", "X Y", true},
    };
    for (const Case& c : cases) EXPECT_EQ(vek::SameSoundId(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(SoundCacheAdd, CapturesTheSourceInBlocksOfAtMost576BytesInTheStepOrder) {
    CaptureBench bench;
    bench.source.behaviour.bytes = Pattern(17640);
    bench.source.behaviour.lengthMs = 100;  // 100 ms at 44100 Hz, stereo, 16 bits: 17640 bytes

    DecodedSound* sound = bench.cache.Add("Boom", "sounds/boom.snd", &bench.core, nullptr);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(bench.core.CallStrings(), std::vector<std::string>{"FindEngineer sounds/boom.snd"});
    const std::vector<std::string>& log = bench.source.log;
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0], "create sounds/boom.snd");
    EXPECT_EQ(log[1], "open loops=0 core=yes");
    EXPECT_EQ(log[log.size() - 2], "close");
    EXPECT_EQ(log.back(), "release");
    const std::vector<int32_t> reads = ReadSizes(log);
    ASSERT_EQ(reads.size(), 31u);
    for (size_t i = 0; i + 1 < reads.size(); ++i) EXPECT_EQ(reads[i], 576);
    EXPECT_EQ(reads.back(), 17640 - 30 * 576);
    EXPECT_EQ(bench.source.liveStreams, 0);

    EXPECT_TRUE(sound->loaded);
    EXPECT_STREQ(sound->soundId, "Boom");
    EXPECT_STREQ(sound->fileName, "sounds/boom.snd");
    EXPECT_EQ(sound->sampleRate, 44100);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->bitsPerSample, 16);
    EXPECT_EQ(sound->bytesPerSecond, 176400);
    EXPECT_EQ(sound->lastDeck, -1);
    ASSERT_EQ(sound->dataSize, 17640u);
    EXPECT_EQ(std::memcmp(sound->data, bench.source.behaviour.bytes.data(), 17640), 0);
    const std::vector<uint8_t> spare(1024, 0);
    EXPECT_EQ(std::memcmp(sound->data + 17640, spare.data(), spare.size()), 0) << "1024 zero bytes follow the data";
    EXPECT_EQ(bench.cache.head->sound, sound);
    EXPECT_EQ(bench.cache.Find("bOOm"), sound);
}

// The expected size comes from the whole milliseconds the source reports;
// bits per sample count in whole bytes. What is kept is whole frames: a
// partial frame at the end would shift every later pass of a looped play by
// part of a sample, turning it into noise.
TEST(SoundCacheAdd, SizeFollowsLengthAndFormatAndKeepsWholeFrames) {
    struct Case {
        int32_t lengthMs, sampleRate, channels, bits;
        uint32_t pulled, kept;
    };
    const Case cases[] = {
        {1234, 44100, 2, 16, 217677, 217676},  // the length gives no whole number of frames
        {250, 22050, 1, 16, 11025, 11024},
        {1000, 44100, 2, 16, 176400, 176400},
        {100, 22050, 1, 8, 2205, 2205},
        {333, 48000, 2, 24, 95904, 95904},
        {50, 8000, 1, 4, 0, 0},  // under a byte per sample: nothing to hold
    };
    for (const Case& c : cases) {
        CaptureBench bench;
        bench.source.behaviour = {Pattern(300000), c.sampleRate, c.bits, c.channels, c.lengthMs};
        DecodedSound* sound = bench.cache.Add("id", "f", &bench.core, nullptr);
        ASSERT_NE(sound, nullptr) << c.lengthMs;
        EXPECT_EQ(sound->dataSize, c.kept) << c.lengthMs;
        const std::vector<int32_t> reads = ReadSizes(bench.source.log);
        EXPECT_EQ(std::accumulate(reads.begin(), reads.end(), 0u), c.pulled) << c.lengthMs;
        EXPECT_EQ(std::memcmp(sound->data, bench.source.behaviour.bytes.data(), c.kept), 0);
    }
}

// What the source delivered is the sound: one that ends early, with `ended`
// or by answering nothing, gives a shorter sound, not an endless pull.
TEST(SoundCacheAdd, PullStopsWhereTheSourceStops) {
    struct Case {
        const char* name;
        bool endsSilently;
        size_t reads;
    };
    const Case cases[] = {{"ended set", false, 2}, {"read answers 0", true, 3}};
    for (const Case& c : cases) {
        CaptureBench bench;
        bench.source.behaviour.bytes = Pattern(1000);
        bench.source.behaviour.lengthMs = 100;
        bench.source.behaviour.endsSilently = c.endsSilently;
        DecodedSound* sound = bench.cache.Add("short", "f", &bench.core, nullptr);
        ASSERT_NE(sound, nullptr) << c.name;
        EXPECT_EQ(sound->dataSize, 1000u) << c.name;
        EXPECT_EQ(std::memcmp(sound->data, bench.source.behaviour.bytes.data(), 1000), 0) << c.name;
        EXPECT_EQ(ReadSizes(bench.source.log).size(), c.reads) << c.name;
        EXPECT_EQ(bench.source.log.back(), "release") << c.name;
    }
}

// Every way a capture can fail leaves the cache as it was, releases the
// stream it made and keeps no sound.
TEST(SoundCacheAdd, FailuresLeaveTheCacheAsItWas) {
    struct Case {
        const char* name;
        void (*prepare)(CaptureBench&);
        bool streamMade;
    };
    const Case cases[] = {
        {"no engineer", [](CaptureBench& b) { b.core.findOverride = nullptr; }, false},
        {"no stream", [](CaptureBench& b) { b.source.behaviour.refusesFiles = true; }, false},
        {"open fails, length unknown", [](CaptureBench& b) { b.source.behaviour.openFails = true; }, true},
        {"open fails, length 0",
         [](CaptureBench& b) {
             b.source.behaviour.openFails = true;
             b.source.behaviour.lengthBeforeOpen = 0;
         },
         true},
        {"opens with length 0", [](CaptureBench& b) { b.source.behaviour.lengthMs = 0; }, true},
        {"no read operation", [](CaptureBench& b) { b.source.behaviour.hasRead = false; }, true},
        {"negative channels", [](CaptureBench& b) { b.source.behaviour.channels = -2; }, true},
        {"length wraps dataSize + 1024", [](CaptureBench& b) {
             b.source.behaviour = {Pattern(100), 1000, 8, 1, -512};  // 2^32 - 512 bytes at 1000 bytes/s
         }, true},
        {"length beyond 32 bits", [](CaptureBench& b) { b.source.behaviour.lengthMs = 0x7FFFFFFF; }, true},
        {"no such allocation", [](CaptureBench& b) {
             b.source.behaviour = {Pattern(100), 1000, 8, 1, -2048};  // 2^32 - 2048 bytes
         }, true},
    };
    for (const Case& c : cases) {
        CaptureBench bench;
        bench.source.behaviour.bytes = Pattern(4000);
        bench.source.behaviour.lengthMs = 10;
        ASSERT_NE(bench.cache.Add("old", "f", &bench.core, nullptr), nullptr);
        SoundCacheNode* head = bench.cache.head;
        bench.source.log.clear();
        const size_t sounds = vek::LiveDecodedSounds();

        c.prepare(bench);
        EXPECT_EQ(bench.cache.Add("new", "f", &bench.core, nullptr), nullptr) << c.name;
        EXPECT_EQ(bench.cache.head, head) << c.name;
        EXPECT_EQ(head->next, nullptr) << c.name;
        EXPECT_EQ(bench.cache.Find("new"), nullptr) << c.name;
        EXPECT_EQ(vek::LiveDecodedSounds(), sounds) << c.name;
        EXPECT_EQ(bench.source.liveStreams, 0) << c.name;
        EXPECT_TRUE(ReadSizes(bench.source.log).empty()) << c.name << ": nothing is pulled";
        if (c.streamMade) {
            ASSERT_GE(bench.source.log.size(), 2u) << c.name;
            EXPECT_EQ(bench.source.log[bench.source.log.size() - 2], "close") << c.name;
            EXPECT_EQ(bench.source.log.back(), "release") << c.name;
        }
    }
}

TEST(SoundCacheAdd, TextsThatDoNotFitTheirFieldsAreRefusedBeforeAnythingIsAsked) {
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'b');
    struct Case {
        const std::string& id;
        const std::string& file;
        bool added;
    };
    const Case cases[] = {{fits, fits, true}, {tooLong, "f", false}, {"id", tooLong, false}};
    for (const Case& c : cases) {
        CaptureBench bench;
        bench.source.behaviour.bytes = Pattern(400);
        bench.source.behaviour.lengthMs = 1;
        EXPECT_EQ(bench.cache.Add(c.id.c_str(), c.file.c_str(), &bench.core, nullptr) != nullptr, c.added);
        EXPECT_EQ(bench.core.calls().empty(), !c.added);
        EXPECT_EQ(bench.cache.Find(c.id.c_str()) != nullptr, c.added);
    }
}

TEST(SoundCacheAdd, ExtensionMaskChoosesTheEngineerAndIsNotKept) {
    SourceEngineer source;
    source.behaviour.bytes = Pattern(400);
    source.behaviour.lengthMs = 1;
    CoreStandIn core;
    core.AddEngineerExtension(source.record(), "mod");
    SoundCache cache;
    EXPECT_EQ(cache.Add("tune", "music/tune.xyz", &core, nullptr), nullptr) << "no engineer for .xyz";
    DecodedSound* sound = cache.Add("tune", "music/tune.xyz", &core, "mod");
    ASSERT_NE(sound, nullptr);
    EXPECT_STREQ(sound->fileName, "music/tune.xyz");
    const std::vector<std::string> calls = core.CallStrings();
    EXPECT_EQ(calls.back(), "FindEngineer music/tune.xyz mask=mod");
    cache.Clear();
}

// IDs are not unique: the newest entry wins, and a stream made from an older
// one keeps playing it.
TEST(SoundCacheAdd, NewestEntryWinsWhileOlderStreamsKeepTheirSound) {
    CaptureBench bench;
    RunData object{};
    object.soundCache = &bench.cache;
    bench.source.behaviour.bytes = Pattern(400, 1);
    bench.source.behaviour.lengthMs = 1;  // 176 bytes
    DecodedSound* first = bench.cache.Add("Hit", "x.snd", &bench.core, nullptr);
    StreamRecord* older = vek::CreateCachedStream(&object, &bench.core, "hit");
    bench.source.behaviour.bytes = Pattern(400, 99);
    DecodedSound* second = bench.cache.Add("HIT", "y.snd", &bench.core, nullptr);
    StreamRecord* newer = vek::CreateCachedStream(&object, &bench.core, "hIt");
    ASSERT_TRUE(first && second && older && newer);

    EXPECT_EQ(bench.cache.Find("hit"), second);
    EXPECT_STREQ(bench.cache.Find("hit")->fileName, "y.snd");
    EXPECT_EQ(bench.cache.head->next->sound, first);
    for (auto [stream, sound] : {std::pair{older, first}, std::pair{newer, second}}) {
        ASSERT_EQ(stream->open(stream), 0);
        uint8_t bytes[176];
        EXPECT_EQ(stream->read(176, bytes, stream), 176);
        EXPECT_EQ(std::memcmp(bytes, sound->data, 176), 0);
        stream->release(stream);
    }
    EXPECT_NE(std::memcmp(first->data, second->data, 176), 0);
}

// A capture through this engineer's own streams, disk-reading or decoded
// whole, holds what libsndfile decodes from the file.
TEST(SoundCacheAdd, CapturesThroughTheEnginesOwnFileStreams) {
    struct Case {
        const char* file;
        advtest::SoundShape shape;
        bool caching;
    };
    const Case cases[] = {
        {"a.aiff", {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2, 44100, 4410}, false},
        {"a.aiff", {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2, 44100, 4410}, true},
        {"b.wav", {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 22050, 2205}, false},
        {"c.wav", {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 48000, 960}, true},
        {"d.wav", {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 8000, 800}, false},
    };
    for (const Case& c : cases) {
        advtest::TempDir dir;
        const std::string path = dir.Path(c.file);
        ASSERT_TRUE(advtest::WriteSound(path, c.shape));
        const std::vector<uint8_t> expected = advtest::BytesOf(advtest::DecodeWithLibsndfile(path));
        RunData owner{};
        owner.cachingEnabled = c.caching;
        EngineerRecord* engineer = vek::MakeEngineerRecord(0, nullptr, &owner);
        CoreStandIn core;
        core.findOverride = engineer;
        SoundCache cache;
        const size_t streams = vek::LiveSoundStreams();

        DecodedSound* sound = cache.Add("own", path.c_str(), &core, nullptr);
        ASSERT_NE(sound, nullptr) << c.file;
        EXPECT_EQ(vek::LiveSoundStreams(), streams) << "the capture's stream is released";
        EXPECT_EQ(sound->bitsPerSample, 16) << c.file;
        EXPECT_EQ(sound->channels, c.shape.channels);
        EXPECT_EQ(sound->sampleRate, c.shape.sampleRate);
        ASSERT_EQ(sound->dataSize, expected.size()) << c.file << " caching " << c.caching;
        EXPECT_EQ(std::memcmp(sound->data, expected.data(), expected.size()), 0) << c.file;
        cache.Clear();
        std::free(engineer);
    }
}

TEST(SoundCacheLife, ClearFreesEverySound) {
    CaptureBench bench;
    bench.source.behaviour.bytes = Pattern(400);
    bench.source.behaviour.lengthMs = 1;
    const size_t before = vek::LiveDecodedSounds();
    for (const char* id : {"a", "b", "a"}) ASSERT_NE(bench.cache.Add(id, "f", &bench.core, nullptr), nullptr);
    EXPECT_EQ(vek::LiveDecodedSounds(), before + 3);
    bench.cache.Clear();
    EXPECT_EQ(vek::LiveDecodedSounds(), before);
    EXPECT_EQ(bench.cache.Find("a"), nullptr);
}

TEST(SoundCacheLife, StartAppInstallsAnEmptyCacheAndEndAppFreesIt) {
    vek::testing::HostStandIn host;
    SourceEngineer source;
    source.behaviour.bytes = Pattern(400);
    source.behaviour.lengthMs = 1;
    CoreStandIn core;
    core.findOverride = source.record();
    void* const module = vek::ModuleHandle();
    const size_t before = vek::LiveDecodedSounds();
    auto stored = [&] { return static_cast<SoundCache*>(host.ExtensionData(host.application(), module)); };

    StartApp(host.services(), host.application());
    ASSERT_NE(stored(), nullptr);
    EXPECT_EQ(stored()->head, nullptr);
    ASSERT_NE(stored()->Add("x", "f", &core, nullptr), nullptr);

    // A StartApp that finds an old cache frees it first.
    StartApp(host.services(), host.application());
    EXPECT_EQ(vek::LiveDecodedSounds(), before);
    ASSERT_NE(stored(), nullptr);
    EXPECT_EQ(stored()->head, nullptr);
    ASSERT_NE(stored()->Add("y", "f", &core, nullptr), nullptr);

    EndApp(host.services(), host.application());
    EXPECT_EQ(stored(), nullptr);
    EXPECT_EQ(vek::LiveDecodedSounds(), before);
    EndApp(host.services(), host.application());  // nothing left to free
    StartApp(host.services(), host.application());
    ASSERT_NE(stored(), nullptr);
    EXPECT_EQ(stored()->head, nullptr);
    EndApp(host.services(), host.application());
}

}  // namespace
