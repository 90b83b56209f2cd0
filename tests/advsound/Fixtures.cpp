#include "Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "framework/EditData.h"

extern "C" {
void VEK_STDCALL StartApp(HostServices* services, void* application);
void VEK_STDCALL EndApp(HostServices* services, void* application);
int16_t VEK_STDCALL CreateRunObject(RunData* object, EditData* edit, int32_t);
int16_t VEK_STDCALL DestroyRunObject(RunData* object, int32_t);
}

namespace advtest {

namespace fs = std::filesystem;


bool WriteSound(const std::string& path, const SoundShape& shape) {
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    info.format = shape.format;
    info.channels = shape.channels;
    info.samplerate = shape.sampleRate;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) return false;
    // A ramp per channel that crosses the whole 16-bit range, so that every
    // format's conversion shows and no two channels look alike.
    std::vector<int16_t> samples(size_t(shape.frames * shape.channels));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = int16_t(uint16_t(i * 977 + (i % shape.channels) * 4099));
    const sf_count_t written = sf_write_short(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return written == sf_count_t(samples.size());
}

std::vector<int16_t> DecodeWithLibsndfile(const std::string& path) {
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) return {};
    std::vector<int16_t> samples(size_t(info.frames * info.channels));
    const sf_count_t got = sf_read_short(file, samples.data(), sf_count_t(samples.size()));
    samples.resize(size_t(std::max<sf_count_t>(got, 0)));
    sf_close(file);
    return samples;
}

std::vector<uint8_t> BytesOf(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes(samples.size() * 2);
    if (!bytes.empty()) std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool WriteFlacAnnouncing(const std::string& path, int channels, int64_t realFrames, uint64_t announcedFrames) {
    if (!WriteSound(path, {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, channels, 44100, realFrames})) return false;
    // "fLaC", a 4-byte block header, then STREAMINFO; its 36-bit total sample
    // count takes the low nibble of byte 21 and bytes 22 to 25 of the file.
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    uint8_t head[26];
    file.read(reinterpret_cast<char*>(head), sizeof head);
    if (!file || std::memcmp(head, "fLaC", 4) != 0 || (head[4] & 0x7F) != 0) return false;
    head[21] = uint8_t((head[21] & 0xF0) | ((announcedFrames >> 32) & 0x0F));
    for (int i = 0; i < 4; ++i) head[22 + i] = uint8_t(announcedFrames >> (24 - 8 * i));
    file.seekp(0);
    file.write(reinterpret_cast<const char*>(head), sizeof head);
    return bool(file);
}

// ---- the source engineer ----

namespace {

struct SourceStream {
    SourceEngineer* engineer;
    size_t at = 0;
    bool open = false;
};

SourceStream* StateOf(StreamRecord* stream) { return static_cast<SourceStream*>(stream->state); }

int32_t VEK_STDCALL SourceOpen(StreamRecord* stream) {
    SourceStream* state = StateOf(stream);
    const SourceBehaviour& behaviour = state->engineer->behaviour;
    state->engineer->log.push_back("open loops=" + std::to_string(stream->loopsLeft) +
                                   " core=" + (stream->core != nullptr ? "yes" : "no"));
    if (behaviour.openFails) return 1;
    stream->sampleRate = behaviour.sampleRate;
    stream->bitsPerSample = behaviour.bitsPerSample;
    stream->channels = behaviour.channels;
    stream->lengthMs = behaviour.lengthMs;
    state->at = 0;
    state->open = true;
    return 0;
}

int32_t VEK_STDCALL SourceRead(int32_t count, void* buffer, StreamRecord* stream) {
    SourceStream* state = StateOf(stream);
    const SourceBehaviour& behaviour = state->engineer->behaviour;
    state->engineer->log.push_back("read " + std::to_string(count));
    if (!state->open) return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    int32_t delivered = 0;
    while (delivered < count) {
        const size_t n = std::min(size_t(count - delivered), behaviour.bytes.size() - state->at);
        if (n != 0) std::memcpy(out + delivered, behaviour.bytes.data() + state->at, n);
        state->at += n;
        delivered += int32_t(n);
        if (delivered == count) break;
        if (behaviour.endsSilently) break;
        if (stream->loopsLeft == 0) {
            stream->ended = 1;
            break;
        }
        if (behaviour.bytes.empty()) break;
        state->at = 0;
        if (stream->loopsLeft > 0) --stream->loopsLeft;
    }
    return delivered;
}

void VEK_STDCALL SourceClose(StreamRecord* stream) {
    StateOf(stream)->engineer->log.push_back("close");
    StateOf(stream)->open = false;
}

void VEK_STDCALL SourceRelease(StreamRecord* stream) {
    SourceStream* state = StateOf(stream);
    state->engineer->log.push_back("release");
    --state->engineer->liveStreams;
    delete state;
    std::free(stream);
}

int32_t VEK_STDCALL SourceQuery() { return 100; }

}  // namespace

SourceEngineer::SourceEngineer() {
    std::memcpy(record_.magic, "VEKE", 4);
    record_.version = 1;
    record_.createStream = CreateStream;
    record_.owner = reinterpret_cast<RunData*>(this);  // only this engineer's own factory reads it
}

StreamRecord* VEK_STDCALL SourceEngineer::CreateStream(EngineerRecord* engineer, const char* path) {
    auto* self = reinterpret_cast<SourceEngineer*>(engineer->owner);
    self->log.push_back(std::string("create ") + path);
    if (self->behaviour.refusesFiles) return nullptr;
    auto* stream = static_cast<StreamRecord*>(std::calloc(1, sizeof(StreamRecord)));
    std::memcpy(stream->magic, "VEKD", 4);
    stream->version = 2;
    stream->read = self->behaviour.hasRead ? SourceRead : nullptr;
    stream->open = SourceOpen;
    stream->close = SourceClose;
    stream->release = SourceRelease;
    stream->query = SourceQuery;
    stream->lengthMs = self->behaviour.lengthBeforeOpen;
    stream->state = new SourceStream{self};
    ++self->liveStreams;
    return stream;
}

// ---- the run object ----

RunObject::RunObject(bool startApp, bool adopt) {
    if (startApp) StartApp(host.services(), host.application());
    block_ = host.NewRunObject(sizeof(RunData));
    EditData edit{};
    std::strcpy(edit.extensions[0], "wav");
    std::strcpy(edit.extensions[1], "aiff");
    edit.extensionCount = 2;
    CreateRunObject(data(), &edit, 0);
    if (adopt) core.Adopt(block_.data(), block_.size());
    core.ClearCalls();
}

RunObject::~RunObject() {
    EngineerRecord* engineer = data()->engineer;
    DestroyRunObject(data(), 0);
    std::free(engineer);  // the core's to free; this test plays the core
    EndApp(host.services(), host.application());
}

}  // namespace advtest

#if defined(__SANITIZE_ADDRESS__)
// Allocations too large for the process must fail as they do without the
// sanitizer, so that the engineer's handling of the failure can be tested.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif
