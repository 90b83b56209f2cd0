// Helpers shared by the Advanced Sound engineer's tests: sound files written
// with libsndfile into a private temporary folder, what libsndfile decodes
// from them, a source engineer that streams bytes from memory, and a run
// object with a host and a core around it.
#pragma once

#include "testing/ScratchFolder.h"

#include <sndfile.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"
#include "framework/RunData.h"
#include "testing/CoreStandIn.h"
#include "testing/HostStandIn.h"

namespace advtest {

// A folder of its own under the system's temporary folder, removed with it.
using TempDir = vek::testing::ScratchFolder;

struct SoundShape {
    int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    int channels = 2;
    int sampleRate = 44100;
    int64_t frames = 4410;
};

// Writes a file of recognisable samples; false when libsndfile cannot write
// that format.
bool WriteSound(const std::string& path, const SoundShape& shape);
// Every sample libsndfile decodes from the file as 16-bit, as the engineer
// should deliver it (empty when it refuses the file).
std::vector<int16_t> DecodeWithLibsndfile(const std::string& path);
std::vector<uint8_t> BytesOf(const std::vector<int16_t>& samples);
void WriteText(const std::string& path, const std::string& text);
// A FLAC file whose stream description announces `announcedFrames`, whatever
// it holds; false when this libsndfile has no FLAC.
bool WriteFlacAnnouncing(const std::string& path, int channels, int64_t realFrames, uint64_t announcedFrames);

// What a stream of the source engineer reports and delivers.
struct SourceBehaviour {
    std::vector<uint8_t> bytes;   // one pass of PCM
    int32_t sampleRate = 44100;
    int32_t bitsPerSample = 16;
    int32_t channels = 2;
    int32_t lengthMs = 0;         // reported by a successful open
    int32_t lengthBeforeOpen = -1;
    bool openFails = false;       // open answers 1 and leaves lengthBeforeOpen
    bool endsSilently = false;    // at the end of the data answers 0 without setting ended
    bool hasRead = true;
    bool refusesFiles = false;    // createStream answers null
};

// An engineer of the test's own, as another extension would offer itself to
// the core: its streams serve SourceBehaviour::bytes from memory and log what is
// asked of them.
class SourceEngineer {
public:
    SourceEngineer();
    EngineerRecord* record() { return &record_; }

    SourceBehaviour behaviour;
    // "create <path>", "open loops=<n> core=<yes|no>", "read <n>", "close", "release"
    std::vector<std::string> log;
    int liveStreams = 0;

private:
    static StreamRecord* VEK_STDCALL CreateStream(EngineerRecord* engineer, const char* path);
    EngineerRecord record_{};
};

// A run object of this engineer made through the exports, with StartApp
// before it, and a core that has found it (unless told not to).
class RunObject {
public:
    explicit RunObject(bool startApp = true, bool adopt = true);
    ~RunObject();
    RunObject(const RunObject&) = delete;
    RunObject& operator=(const RunObject&) = delete;

    RunData* data() { return reinterpret_cast<RunData*>(block_.data()); }
    SoundCache* cache() { return data()->soundCache; }

    vek::testing::HostStandIn host;
    vek::testing::CoreStandIn core;

private:
    std::vector<uint8_t> block_;
};

}  // namespace advtest
