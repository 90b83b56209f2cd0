// The mixing core driven as the engineers drive it, with streams of
// generated PCM whose output is known sample by sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "framework/RunData.h"
#include "tests/vekhost/TestStreams.h"
#include "tools/vekhost/MixingCore.h"

namespace {

using vekhost::MixingCore;
using vekhost::testing::Constant16;
using vekhost::testing::Samples16;
using vekhost::testing::TestSource;
using vekhost::testing::TestStreams;

constexpr double kPi = 3.14159265358979323846;

struct Frame {
    int16_t left;
    int16_t right;
};

// Renders `frames` output frames.
std::vector<Frame> Render(MixingCore& core, size_t frames) {
    std::vector<int16_t> samples(2 * frames);
    core.Render(samples.data(), frames);
    std::vector<Frame> out(frames);
    for (size_t i = 0; i < frames; ++i) out[i] = {samples[2 * i], samples[2 * i + 1]};
    return out;
}

// The number of frames from the start up to the last one that is not silent.
size_t SoundingFrames(const std::vector<Frame>& frames) {
    size_t last = 0;
    for (size_t i = 0; i < frames.size(); ++i)
        if (frames[i].left != 0 || frames[i].right != 0) last = i + 1;
    return last;
}

// The play order every play action uses.
int32_t Play(MixingCore& core, StreamRecord* stream, float volume = 1.0f, float pan = 0.0f, float frequency = 1.0f,
             int32_t times = 1) {
    const int32_t deck = core.AllocateDeck();
    if (deck < 0) return deck;
    core.AttachStream(deck, stream);
    core.SetDeckVolume(deck, volume);
    core.SetDeckPan(deck, pan);
    core.PrepareDeck(deck);
    core.SetDeckFrequency(deck, frequency);
    core.PlayDeck(deck, times);
    return deck;
}

int16_t Rounded(double value) { return int16_t(std::lrint(value)); }

TEST(MixingCore, HandsOutEachDeckOnceAndMinusOneWhenNoneIsFree) {
    MixingCore core(3);
    EXPECT_EQ(core.AllocateDeck(), 0);
    EXPECT_EQ(core.AllocateDeck(), 1);
    EXPECT_EQ(core.AllocateDeck(), 2);
    EXPECT_EQ(core.AllocateDeck(), -1);
    // Decks that nothing was started on are given back when the mixer runs.
    core.Render(nullptr, 0);
    EXPECT_EQ(core.AllocateDeck(), 0);
}

TEST(MixingCore, ConstantMonoSoundAtFullVolumeAndCentrePanRendersKnownSamples) {
    TestStreams streams;
    TestSource& source = streams.Add(44100, 16, 1, Constant16(10000, 1000));
    MixingCore core(4);
    ASSERT_EQ(Play(core, streams.Record(source)), 0);
    const std::vector<Frame> out = Render(core, 1200);
    const int16_t expected = Rounded(10000.0 * std::cos(kPi / 4));  // 7071: constant power at the centre
    for (size_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(out[i].left, expected) << i;
        ASSERT_EQ(out[i].right, expected) << i;
    }
    EXPECT_EQ(SoundingFrames(out), 1000u);
    // The deck ended with its sound: the stream was closed and released once, the deck is free.
    EXPECT_EQ(source.opens, 1);
    EXPECT_EQ(source.closes, 1);
    EXPECT_EQ(source.releases, 1);
    EXPECT_EQ(core.playingDecks(), 0);
    EXPECT_EQ(core.AllocateDeck(), 0);
    EXPECT_EQ(core.stats().decksUsed, 1);
    EXPECT_EQ(core.stats().clippedSamples, 0u);
    EXPECT_FLOAT_EQ(core.stats().peak, float(10000.0 * std::cos(kPi / 4)));
}

TEST(MixingCore, PanFollowsTheConstantPowerLawAndVolumeScales) {
    struct Case {
        float volume, pan;
        int channels;
    };
    const Case cases[] = {{1.0f, -1.0f, 1}, {1.0f, -0.5f, 1}, {1.0f, 0.5f, 1}, {1.0f, 1.0f, 1},
                          {0.5f, 0.0f, 1},  {1.5f, 0.25f, 1}, {1.0f, -3.0f, 1}, {0.0f, 0.0f, 1},
                          {1.0f, 0.0f, 2},  {1.0f, 1.0f, 2},  {1.0f, -0.5f, 2}, {0.5f, 0.5f, 2}};
    for (const Case& c : cases) {
        TestStreams streams;
        // Stereo sources carry different values on their two sides.
        const std::vector<uint8_t> bytes = c.channels == 1 ? Constant16(8000, 100) : Samples16(std::vector<int16_t>(
                                                                                          {8000, -6000, 8000, -6000}));
        TestSource& source = streams.Add(44100, 16, c.channels, bytes);
        MixingCore core(1);
        Play(core, streams.Record(source), c.volume, c.pan);
        const Frame f = Render(core, 1)[0];
        const double angle = (std::min(1.0, std::max(-1.0, double(c.pan))) + 1.0) * kPi / 4;
        double left = std::cos(angle), right = std::sin(angle);
        double inLeft = 8000, inRight = 8000;
        if (c.channels == 2) {
            left = std::min(1.0, left * std::sqrt(2.0));
            right = std::min(1.0, right * std::sqrt(2.0));
            inRight = -6000;
        }
        const std::string where = "volume " + std::to_string(c.volume) + " pan " + std::to_string(c.pan) + " " +
                                  std::to_string(c.channels) + " channel(s)";
        EXPECT_NEAR(f.left, c.volume * inLeft * left, 1.0) << where;
        EXPECT_NEAR(f.right, c.volume * inRight * right, 1.0) << where;
        // Constant power: a mono source's two sides together keep its energy.
        if (c.channels == 1 && c.volume == 1.0f) {
            EXPECT_NEAR(std::hypot(double(f.left), double(f.right)), 8000.0, 2.0) << where;
        }
    }
}

TEST(MixingCore, EveryPcmLayoutIsReadAsItsSampleValue) {
    struct Case {
        int32_t bits, channels;
        std::vector<uint8_t> frame;  // one frame, as the engineer delivers it
        double left, right;          // its value on the 16-bit scale
    };
    const Case cases[] = {
        {8, 1, {0xC0}, 16384, 16384},
        {8, 1, {0x00}, -32768, -32768},
        {8, 2, {0x80, 0xFF}, 0, 32512},
        {16, 1, {0xC7, 0xCF}, -12345, -12345},
        {16, 2, {0x39, 0x30, 0xC7, 0xCF}, 12345, -12345},
        {24, 1, {0x56, 0x34, 0x12}, 0x123456 / 256.0, 0x123456 / 256.0},
        {24, 2, {0x00, 0xFF, 0xFF, 0x00, 0x00, 0x80}, -1, -32768},
        {32, 1, {0x78, 0x56, 0x34, 0x12}, 0x12345678 / 65536.0, 0x12345678 / 65536.0},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < 10; ++i) bytes.insert(bytes.end(), c.frame.begin(), c.frame.end());
        TestStreams streams;
        TestSource& source = streams.Add(44100, c.bits, c.channels, bytes);
        MixingCore core(1);
        // Panned hard to each side in turn, so that each side shows one value unscaled.
        Play(core, streams.Record(source), 1.0f, c.channels == 2 ? 0.0f : -1.0f);
        const std::vector<Frame> out = Render(core, 12);
        const std::string where = std::to_string(c.bits) + "-bit " + std::to_string(c.channels) + " channel(s)";
        EXPECT_EQ(out[0].left, Rounded(c.left)) << where;
        EXPECT_EQ(out[9].left, Rounded(c.left)) << where;
        if (c.channels == 2) {
            EXPECT_EQ(out[0].right, Rounded(c.right)) << where;
        }
        EXPECT_EQ(SoundingFrames(out), c.left == 0 && c.right == 0 ? 0u : 10u) << where;
        EXPECT_EQ(source.releases, 1) << where;
    }
}

TEST(MixingCore, OutputLengthFollowsSampleRateAndFrequency) {
    struct Case {
        int32_t rate;
        float frequency;
        size_t frames;    // of the source
        size_t expected;  // output frames at 44.1 kHz
    };
    const Case cases[] = {
        {44100, 1.0f, 1000, 1000}, {44100, 2.0f, 1000, 500}, {44100, 0.5f, 1000, 2000}, {22050, 1.0f, 1000, 2000},
        {11025, 1.0f, 100, 400},   {48000, 1.0f, 1000, 919},  {44100, 3.0f, 1000, 334},  {22050, 2.0f, 1000, 1000},
    };
    for (const Case& c : cases) {
        TestStreams streams;
        TestSource& source = streams.Add(c.rate, 16, 2, Constant16(5000, 2 * c.frames));
        MixingCore core(1);
        Play(core, streams.Record(source), 1.0f, 0.0f, c.frequency);
        const std::vector<Frame> out = Render(core, 2 * c.expected + 100);
        const std::string where = std::to_string(c.rate) + " Hz at x" + std::to_string(c.frequency);
        EXPECT_EQ(SoundingFrames(out), c.expected) << where;
        // A constant stays constant through the interpolation, to its last frame.
        EXPECT_EQ(out[0].left, 5000) << where;
        EXPECT_EQ(out[c.expected - 1].left, 5000) << where;
    }
}

TEST(MixingCore, ResamplesWithLinearInterpolation) {
    TestStreams streams;
    std::vector<int16_t> ramp;
    for (int16_t i = 0; i < 50; ++i) ramp.insert(ramp.end(), {int16_t(i * 100), int16_t(-i * 100)});
    TestSource& source = streams.Add(22050, 16, 2, Samples16(ramp));
    MixingCore core(1);
    Play(core, streams.Record(source));
    const std::vector<Frame> out = Render(core, 100);
    // Every second output frame lies halfway between two source frames.
    for (size_t i = 0; i < 98; ++i) {
        ASSERT_EQ(out[i].left, int16_t(50 * i)) << i;
        ASSERT_EQ(out[i].right, int16_t(-50 * int(i))) << i;
    }
}

TEST(MixingCore, PlayCountBecomesTheStreamsLoopsAndEveryPassIsHeard) {
    std::vector<int16_t> ramp;
    for (int16_t i = 1; i <= 300; ++i) ramp.push_back(int16_t(i * 10));
    for (int32_t times : {3, 1, 0, -2}) {
        TestStreams streams;
        TestSource& source = streams.Add(44100, 16, 1, Samples16(ramp));
        MixingCore core(1);
        Play(core, streams.Record(source), 1.0f, -1.0f, 1.0f, times);
        const int32_t passes = times < 1 ? 1 : times;
        EXPECT_EQ(source.loopsLeftAtOpen, passes - 1) << times;
        const std::vector<Frame> out = Render(core, 1000);
        EXPECT_EQ(SoundingFrames(out), size_t(300 * passes)) << times;
        for (size_t i = 0; i < size_t(300 * passes); ++i) ASSERT_EQ(out[i].left, ramp[i % 300]) << times << " " << i;
        EXPECT_EQ(source.releases, 1) << times;
    }
}

TEST(MixingCore, FrequencyChangesDuringPlayTakeEffectFromThatFrame) {
    TestStreams streams;
    TestSource& source = streams.Add(44100, 16, 2, Constant16(4000, 2 * 2000));
    MixingCore core(1);
    const int32_t deck = Play(core, streams.Record(source));
    EXPECT_EQ(SoundingFrames(Render(core, 500)), 500u);
    core.SetDeckFrequency(deck, 2.0f);
    // 1500 source frames are left; at twice the speed they take 750 output frames.
    EXPECT_EQ(SoundingFrames(Render(core, 1000)), 750u);
    EXPECT_EQ(source.releases, 1);
}

TEST(MixingCore, FrequencyThatWouldStallOrRaceIsRefusedOrHeld) {
    TestStreams streams;
    TestSource& source = streams.Add(44100, 16, 2, Constant16(4000, 2 * 1000));
    MixingCore core(1);
    const int32_t deck = Play(core, streams.Record(source), 1.0f, 0.0f, 0.0f);
    ASSERT_EQ(core.errors().size(), 1u);
    EXPECT_NE(core.errors()[0].message.find("not a positive number"), std::string::npos);
    core.SetDeckFrequency(deck, std::nanf(""));
    core.SetDeckFrequency(deck, 1000.0f);
    ASSERT_EQ(core.errors().size(), 3u);
    EXPECT_NE(core.errors()[2].message.find("held to 256"), std::string::npos);
    EXPECT_EQ(SoundingFrames(Render(core, 100)), 4u);  // 1000 frames at 256 times the speed
}

TEST(MixingCore, PlayingAPlayingDeckAgainStartsItsStreamOver) {
    TestStreams streams;
    TestSource& source = streams.Add(44100, 16, 2, Constant16(4000, 2 * 1000));
    MixingCore core(1);
    const int32_t deck = Play(core, streams.Record(source));
    Render(core, 600);
    core.PlayDeck(deck, 1);
    EXPECT_EQ(source.opens, 2);
    EXPECT_EQ(source.closes, 1);
    EXPECT_EQ(SoundingFrames(Render(core, 1500)), 1000u);
    EXPECT_EQ(source.releases, 1);
}

TEST(MixingCore, StreamsThatFailOrCannotBeMixedAreReleasedOnceAndTheirDeckFreed) {
    struct Case {
        const char* what;
        int32_t bits, channels, rate, openAnswer;
        bool opened;
        const char* message;
    };
    const Case cases[] = {
        {"open fails", 16, 1, 44100, 1, false, "could not be opened"},
        {"three channels", 16, 3, 44100, 0, true, "3 channels cannot be mixed"},
        {"12-bit samples", 12, 1, 44100, 0, true, "12-bit samples"},
        {"no sample rate", 16, 1, 0, 0, true, "sample rate of 0 Hz"},
    };
    for (const Case& c : cases) {
        TestStreams streams;
        TestSource& source = streams.Add(c.rate, c.bits, c.channels, Constant16(100, 64));
        source.openAnswer = c.openAnswer;
        MixingCore core(1);
        EXPECT_EQ(Play(core, streams.Record(source)), 0) << c.what;
        ASSERT_EQ(core.errors().size(), 1u) << c.what;
        EXPECT_NE(core.errors()[0].message.find(c.message), std::string::npos) << core.errors()[0].message;
        EXPECT_EQ(source.closes, c.opened ? 1 : 0) << c.what;
        EXPECT_EQ(source.releases, 1) << c.what;
        EXPECT_EQ(core.playingDecks(), 0) << c.what;
        EXPECT_EQ(core.AllocateDeck(), 0) << c.what;
    }
}

TEST(MixingCore, AStreamThatDeliversNothingWithoutEndingEndsItsDeck) {
    TestStreams streams;
    TestSource& source = streams.Add(44100, 16, 1, Constant16(100, 64));
    source.stalls = true;
    MixingCore core(1);
    Play(core, streams.Record(source));
    EXPECT_EQ(SoundingFrames(Render(core, 100)), 0u);
    EXPECT_EQ(source.releases, 1);
    EXPECT_EQ(core.playingDecks(), 0);
}

TEST(MixingCore, ReadsThatSplitFramesAreJoinedAgain) {
    std::vector<int16_t> samples;
    for (int16_t i = 0; i < 200; ++i) samples.insert(samples.end(), {int16_t(1000 + i), int16_t(-1000 - i)});
    for (int32_t most : {1, 3, 5, 7}) {
        TestStreams streams;
        TestSource& source = streams.Add(44100, 16, 2, Samples16(samples));
        source.mostPerRead = most;
        MixingCore core(1);
        Play(core, streams.Record(source));
        const std::vector<Frame> out = Render(core, 250);
        ASSERT_EQ(SoundingFrames(out), 200u) << most;
        for (size_t i = 0; i < 200; ++i) {
            ASSERT_EQ(out[i].left, samples[2 * i]) << most << " " << i;
            ASSERT_EQ(out[i].right, samples[2 * i + 1]) << most << " " << i;
        }
    }
}

TEST(MixingCore, LoudMixesAreClippedAndCounted) {
    TestStreams streams;
    TestSource& first = streams.Add(44100, 16, 2, Samples16(std::vector<int16_t>(200, 30000)));
    TestSource& second = streams.Add(44100, 16, 2, Samples16(std::vector<int16_t>(200, 30000)));
    TestSource& quiet = streams.Add(44100, 16, 2, Samples16(std::vector<int16_t>(200, -100)));
    MixingCore core(3);
    Play(core, streams.Record(first));
    Play(core, streams.Record(second));
    Play(core, streams.Record(quiet));
    const std::vector<Frame> out = Render(core, 150);
    EXPECT_EQ(out[0].left, 32767);
    EXPECT_EQ(out[99].right, 32767);
    EXPECT_EQ(core.stats().clippedSamples, 200u);  // 100 frames, two sides
    EXPECT_FLOAT_EQ(core.stats().peak, 59900.0f);
    EXPECT_EQ(core.stats().mostAtOnce, 3);
    EXPECT_EQ(core.stats().decksUsed, 3);
}

TEST(MixingCore, AttachingAgainReleasesTheEarlierStreamAndUnstartedDecksGoBack) {
    TestStreams streams;
    TestSource& first = streams.Add(44100, 16, 1, Constant16(100, 64));
    TestSource& second = streams.Add(44100, 16, 1, Constant16(100, 64));
    TestSource& stray = streams.Add(44100, 16, 1, Constant16(100, 64));
    MixingCore core(2);
    const int32_t deck = core.AllocateDeck();
    core.AttachStream(deck, streams.Record(first));
    EXPECT_EQ(first.record.deck, deck);
    core.AttachStream(deck, streams.Record(second));
    EXPECT_EQ(first.releases, 1);
    EXPECT_EQ(second.releases, 0);
    core.Render(nullptr, 0);  // never played: given back with its stream
    EXPECT_EQ(second.releases, 1);
    EXPECT_EQ(second.opens, 0);
    core.AttachStream(7, streams.Record(stray));  // no such deck
    EXPECT_EQ(stray.releases, 1);
    EXPECT_EQ(core.errors().size(), 1u);
}

TEST(MixingCore, StopAllAndTheCoresEndReleaseEveryStream) {
    TestStreams streams;
    TestSource& a = streams.Add(44100, 16, 1, Constant16(100, 6400));
    TestSource& b = streams.Add(44100, 16, 1, Constant16(100, 6400));
    {
        MixingCore core(2);
        Play(core, streams.Record(a));
        Render(core, 10);
        const int32_t deck = core.AllocateDeck();
        core.AttachStream(deck, streams.Record(b));
    }
    EXPECT_EQ(a.closes, 1);
    EXPECT_EQ(a.releases, 1);
    EXPECT_EQ(b.releases, 1);
}

TEST(MixingCore, ErrorsCarryTheTimeOfTheOutput) {
    MixingCore core(1);
    std::vector<vekhost::CoreError> seen;
    core.onError = [&](const vekhost::CoreError& e) { seen.push_back(e); };
    std::vector<int16_t> out(2 * 4410);
    core.Render(out.data(), 4410);
    core.ReportError("Could not load sound %s (%d)", "x.wav", 5);
    ASSERT_EQ(core.errors().size(), 1u);
    EXPECT_EQ(core.errors()[0].timeMs, 100);
    EXPECT_EQ(core.errors()[0].message, "Could not load sound x.wav (5)");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, core.errors()[0].message);
}

// --- Engineers by extension

// An engineer object as the core finds it: run data ending in the contract
// words, and a record whose registerExtensions hands over its list.
struct FakeEngineer {
    std::vector<uint8_t> runData = std::vector<uint8_t>(212, 0);
    EngineerRecord record{};
    std::vector<const char*> extensions;

    static std::vector<FakeEngineer*>& All() {
        static std::vector<FakeEngineer*> all;
        return all;
    }

    explicit FakeEngineer(std::vector<const char*> list) : extensions(std::move(list)) {
        All().push_back(this);
        std::memcpy(record.magic, vek::kEngineerMagic, 4);
        record.owner = reinterpret_cast<RunData*>(runData.data());
        record.registerExtensions = Register;
        const int32_t tag = vek::kEngineerTag;
        const uint32_t magic = vek::kRunDataEngineerMagic;
        EngineerRecord* self = &record;
        std::memcpy(runData.data() + 212 - 12, &self, 4);
        std::memcpy(runData.data() + 212 - 8, &tag, 4);
        std::memcpy(runData.data() + 212 - 4, &magic, 4);
    }

    ~FakeEngineer() { All().erase(std::find(All().begin(), All().end(), this)); }

    static void VEK_STDCALL Register(EngineerRecord* record) {
        for (FakeEngineer* engineer : All())
            if (&engineer->record == record)
                for (const char* extension : engineer->extensions)
                    record->core->AddEngineerExtension(record, extension);
    }

    // A fresh record of the same object, as "Set Engineer Filetypes" makes one.
    EngineerRecord Fresh() const {
        EngineerRecord fresh{};
        std::memcpy(fresh.magic, vek::kEngineerMagic, 4);
        fresh.owner = record.owner;
        return fresh;
    }
};

TEST(MixingCore, FindsEngineerObjectsAndTheirExtensionsThroughTheirRunData) {
    FakeEngineer wave({"wav"});
    FakeEngineer adv({"WAV", "aiff"});
    MixingCore core(1);
    ASSERT_TRUE(core.Adopt(adv.runData.data(), adv.runData.size()));
    ASSERT_TRUE(core.Adopt(wave.runData.data(), wave.runData.size()));
    AudioCore* written;
    std::memcpy(&written, wave.runData.data() + 212 - 16, 4);
    EXPECT_EQ(written, static_cast<AudioCore*>(&core));
    EXPECT_EQ(wave.record.core, static_cast<AudioCore*>(&core));

    struct Lookup {
        const char* path;
        const char* mask;
        const EngineerRecord* expected;
    };
    const Lookup lookups[] = {
        {"sounds/a.wav", nullptr, &wave.record},  // both registered wav; the later wins
        {"A.AIFF", nullptr, &adv.record},         // letter case does not matter
        {"a.mod", "aiff", &adv.record},           // the mask stands for the file's extension
        {"a.wav", "", &wave.record},              // an empty mask is no mask
        {"a.ogg", nullptr, nullptr},
        {"folder.aiff/noextension", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const Lookup& l : lookups)
        EXPECT_EQ(core.FindEngineer(l.path, l.mask), l.expected) << l.path << " " << (l.mask ? l.mask : "-");
    EXPECT_EQ(core.lookups().size(), sizeof lookups / sizeof lookups[0]);

    // A block that is not an engineer object is left alone.
    std::vector<uint8_t> other(212, 0);
    EXPECT_FALSE(core.Adopt(other.data(), other.size()));
    EXPECT_FALSE(core.Adopt(wave.runData.data(), 100));
}

TEST(MixingCore, AFreshRecordReplacesTheRegistrationOfItsObject) {
    FakeEngineer wave({"wav"});
    FakeEngineer adv({"wav", "aiff"});
    MixingCore core(1);
    core.Adopt(adv.runData.data(), adv.runData.size());
    core.Adopt(wave.runData.data(), wave.runData.size());

    // "Set Engineer Filetypes" with ".pcm": unregister, add, register, one fresh record.
    EngineerRecord fresh = wave.Fresh();
    core.UnregisterEngineer(&fresh);
    core.AddEngineerExtension(&fresh, "pcm");
    core.RegisterEngineer(&fresh);
    EXPECT_EQ(fresh.core, static_cast<AudioCore*>(&core));
    EXPECT_EQ(core.FindEngineer("a.wav", nullptr), &adv.record);
    EXPECT_EQ(core.FindEngineer("a.pcm", nullptr), &fresh);

    // An empty list leaves the object with no extension at all.
    EngineerRecord empty = wave.Fresh();
    core.UnregisterEngineer(&empty);
    core.RegisterEngineer(&empty);
    EXPECT_EQ(core.FindEngineer("a.pcm", nullptr), nullptr);

    // An object that is gone is never named again.
    core.ForgetObject(adv.runData.data());
    EXPECT_EQ(core.FindEngineer("a.wav", nullptr), nullptr);
}

}  // namespace
