// Both engineer libraries loaded from the Extensions folder by file name, as
// the host loads them, with the core stand-in registering both: sounds are
// added to the cache through the actions, one captured through the Wave
// engineer and one through the Advanced Sound engineer's own libsndfile
// streams, then played, and the core pulls the PCM.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"
#include "framework/Ace.h"
#include "platform/Platform.h"
#include "testing/CoreStandIn.h"
#include "testing/EngineerLibrary.h"
#include "testing/ScratchFolder.h"
#include "testing/HostStandIn.h"

namespace {

namespace fs = std::filesystem;
using vek::testing::EngineerLibrary;

constexpr int kAddSound = 0;
constexpr int kPlayVolumePanLoopedFrequency = 12;

std::string LibraryPath(const char* file) {
    return vek::testing::ExtensionsFolder() + vek::platform::PathSeparator() + file;
}

using TempFolder = vek::testing::ScratchFolder;

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

// A PCM wave file with the plain 44-byte header; answers its sample bytes.
std::vector<uint8_t> WritePlainWave(const std::string& path, int channels, int rate, int bits, int frames) {
    std::vector<uint8_t> samples(size_t(frames * channels * (bits / 8)));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = uint8_t(i * 13 + i / 97);
    std::vector<uint8_t> file;
    const uint32_t blockAlign = uint32_t(channels * (bits / 8));
    for (char c : std::string("RIFF")) file.push_back(uint8_t(c));
    PutLE(file, uint32_t(36 + samples.size()), 4);
    for (char c : std::string("WAVEfmt ")) file.push_back(uint8_t(c));
    PutLE(file, 16, 4);
    PutLE(file, 1, 2);
    PutLE(file, uint32_t(channels), 2);
    PutLE(file, uint32_t(rate), 4);
    PutLE(file, uint32_t(rate) * blockAlign, 4);
    PutLE(file, blockAlign, 2);
    PutLE(file, uint32_t(bits), 2);
    for (char c : std::string("data")) file.push_back(uint8_t(c));
    PutLE(file, uint32_t(samples.size()), 4);
    file.insert(file.end(), samples.begin(), samples.end());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return samples;
}

bool WriteAiff24(const std::string& path, int channels, int rate, int frames) {
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
    info.channels = channels;
    info.samplerate = rate;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) return false;
    std::vector<int32_t> samples(size_t(frames * channels));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = int32_t(uint32_t(i) * 2654435761u);
    const bool written = sf_write_int(file, samples.data(), sf_count_t(samples.size())) == sf_count_t(samples.size());
    sf_close(file);
    return written;
}

std::vector<uint8_t> DecodeWithLibsndfile(const std::string& path) {
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) return {};
    std::vector<int16_t> samples(size_t(info.frames * info.channels));
    samples.resize(size_t(sf_read_short(file, samples.data(), sf_count_t(samples.size()))));
    sf_close(file);
    std::vector<uint8_t> bytes(samples.size() * 2);
    if (!bytes.empty()) std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

// What the core does with a deck's stream: opens it and pulls it to its end.
std::vector<uint8_t> PullToTheEnd(StreamRecord* stream) {
    std::vector<uint8_t> pcm;
    if (stream->open(stream) != 0) return pcm;
    uint8_t block[4096];
    for (int guard = 0; guard < 100000 && !stream->ended; ++guard) {
        const int32_t got = stream->read(int32_t(sizeof block), block, stream);
        if (got <= 0) break;
        pcm.insert(pcm.end(), block, block + got);
    }
    stream->close(stream);
    return pcm;
}

// One application with a run object of each engineer, adopted by one core.
class TwoEngineers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wave.complete()) << LibraryPath("VekEng_Wave.mfx");
        ASSERT_TRUE(adv.complete()) << LibraryPath("VekEng_AdvSound.mfx");
        wave.exports().StartApp(host.services(), host.application());
        adv.exports().StartApp(host.services(), host.application());
        // The Wave engineer plays "wav"; this engineer offers "aiff" only, so
        // that the core's choice of engineer for each file is plain.
        waveObject = MakeObject(wave, "wav");
        advObject = MakeObject(adv, "aiff");
        core.Adopt(advObject.data(), advObject.size());
        core.Adopt(waveObject.data(), waveObject.size());
        RunObjectInfos infos;
        adv.exports().GetRunObjectInfos(0, &infos);
        actions = static_cast<void**>(infos.actionRoutines);
        expressions = static_cast<void**>(infos.expressionRoutines);
        core.ClearCalls();
    }

    void TearDown() override {
        for (auto [library, object] : {std::pair{&wave, &waveObject}, std::pair{&adv, &advObject}}) {
            if (object->empty()) continue;
            EngineerRecord* engineer = EngineerOf(*object);
            library->exports().DestroyRunObject(object->data(), 0);
            std::free(engineer);  // the core's to free; this test plays the core
        }
        adv.exports().EndApp(host.services(), host.application());
        wave.exports().EndApp(host.services(), host.application());
    }

    std::vector<uint8_t> MakeObject(EngineerLibrary& library, const char* extension) {
        EditData edit{};
        std::strcpy(edit.extensions[0], extension);
        edit.extensionCount = 1;
        std::vector<uint8_t> object = host.NewRunObject(size_t(library.exports().GetRunObjectDataSize(0, 0)));
        library.exports().CreateRunObject(object.data(), &edit, 0);
        return object;
    }

    static EngineerRecord* EngineerOf(std::vector<uint8_t>& object) {
        EngineerRecord* engineer;
        std::memcpy(&engineer, object.data() + object.size() - 12, sizeof engineer);
        return engineer;
    }

    void Action(int code, const std::vector<std::string>& texts, const std::vector<int32_t>& integers = {}) {
        for (const std::string& text : texts) host.QueueActionText(text);
        for (int32_t value : integers) host.QueueActionInteger(value);
        reinterpret_cast<vek::ActionHandler>(actions[code])(reinterpret_cast<RunData*>(advObject.data()), 0, 0);
    }

    int32_t LastDeck(const std::string& soundId) {
        host.QueueExpressionText(soundId);
        return reinterpret_cast<vek::ExpressionHandler>(expressions[0])(reinterpret_cast<RunData*>(advObject.data()),
                                                                        1);
    }

    // The Wave engineer's streams may not exist yet in this build.
    bool WaveEngineerStreams(const std::string& path) {
        EngineerRecord* engineer = core.FindEngineer(path.c_str(), nullptr);
        core.ClearCalls();
        if (engineer == nullptr || engineer != EngineerOf(waveObject)) return false;
        StreamRecord* probe = engineer->createStream(engineer, path.c_str());
        if (probe == nullptr) return false;
        probe->release(probe);
        return true;
    }

    // Declared first: the libraries stay loaded until the core has released
    // the streams it holds.
    EngineerLibrary wave{LibraryPath("VekEng_Wave.mfx")};
    EngineerLibrary adv{LibraryPath("VekEng_AdvSound.mfx")};
    vek::testing::HostStandIn host;
    vek::testing::CoreStandIn core;
    std::vector<uint8_t> waveObject, advObject;
    void** actions = nullptr;
    void** expressions = nullptr;
    TempFolder folder;
};

// An AIFF file goes through this engineer's own libsndfile stream into the
// cache; played with volume, pan, loops and frequency, the deck delivers
// libsndfile's 16-bit decode of the file once per pass.
TEST_F(TwoEngineers, AiffCapturedThroughLibsndfilePlaysWithEverySetting) {
    const std::string path = folder.Path("drum.aiff");
    ASSERT_TRUE(WriteAiff24(path, 2, 22050, 22050));
    const std::vector<uint8_t> decoded = DecodeWithLibsndfile(path);
    ASSERT_EQ(decoded.size(), 88200u);

    Action(kAddSound, {path, "Drum"});
    ASSERT_EQ(core.CallStrings(), std::vector<std::string>{"FindEngineer " + path});
    EXPECT_EQ(LastDeck("drum"), -1);

    core.freeDecks = {6};
    core.ClearCalls();
    Action(kPlayVolumePanLoopedFrequency, {"DRUM"}, {800, -250, 2, 1500});
    const std::vector<std::string> expected = {"GetVersion",          "AllocateDeck",  "AttachStream 6",
                                               "SetDeckVolume 6 0.8", "SetDeckPan 6 -0.25", "PrepareDeck 6",
                                               "SetDeckFrequency 6 1.5", "PlayDeck 6 2"};
    EXPECT_EQ(core.CallStrings(), expected);
    EXPECT_EQ(LastDeck("Drum"), 6);

    StreamRecord* stream = core.attached().at(6);
    stream->loopsLeft = 1;  // played twice
    const std::vector<uint8_t> pcm = PullToTheEnd(stream);
    EXPECT_EQ(stream->sampleRate, 22050);
    EXPECT_EQ(stream->channels, 2);
    EXPECT_EQ(stream->bitsPerSample, 16);
    EXPECT_EQ(stream->lengthMs, 1000);
    ASSERT_EQ(pcm.size(), 2 * decoded.size());
    EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), pcm.begin()));
    EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), pcm.begin() + ptrdiff_t(decoded.size())));
}

TEST_F(TwoEngineers, FileNoEngineerTakesIsReported) {
    const std::string path = folder.Path("notes.txt");
    std::ofstream(path) << "not a sound";
    Action(kAddSound, {path, "notes"});
    EXPECT_EQ(core.CallStrings(),
              (std::vector<std::string>{"FindEngineer " + path, "ReportError Could not load sound " + path}));
}

// Wave files go through the Wave engineer, which hands over the file's sample
// bytes as they are: a captured 8-bit or 24-bit file keeps its bits per sample.
TEST_F(TwoEngineers, WaveCapturedThroughTheWaveEngineerKeepsItsFormat) {
    struct Case {
        const char* file;
        int bits;
    };
    const Case cases[] = {{"a16.wav", 16}, {"a8.wav", 8}, {"a24.wav", 24}};
    const std::string probe = folder.Path("probe.wav");
    WritePlainWave(probe, 1, 11025, 16, 11025);
    if (!WaveEngineerStreams(probe))
        GTEST_SKIP() << "The Wave engineer makes no stream for a valid PCM wave file in this build "
                        "(its stream comes with the Wave engineer's own change); this capture cannot run yet.";

    int32_t deck = 0;
    for (const Case& c : cases) {
        const std::string path = folder.Path(c.file);
        const std::vector<uint8_t> samples = WritePlainWave(path, 1, 11025, c.bits, 11025);
        core.ClearCalls();
        Action(kAddSound, {path, c.file});
        ASSERT_EQ(core.CallStrings(), std::vector<std::string>{"FindEngineer " + path}) << c.file;

        core.freeDecks = {deck};
        Action(kPlayVolumePanLoopedFrequency, {c.file}, {1000, 0, 1, 1000});
        StreamRecord* stream = core.attached().at(deck);
        const std::vector<uint8_t> pcm = PullToTheEnd(stream);
        EXPECT_EQ(stream->bitsPerSample, c.bits) << c.file;
        EXPECT_EQ(stream->sampleRate, 11025) << c.file;
        EXPECT_EQ(stream->channels, 1) << c.file;
        EXPECT_EQ(pcm, samples) << c.file;
        if (c.bits == 16) {
            EXPECT_EQ(pcm, DecodeWithLibsndfile(path)) << "what libsndfile decodes";
        }
        EXPECT_EQ(LastDeck(c.file), deck);
        ++deck;
    }
}

}  // namespace
