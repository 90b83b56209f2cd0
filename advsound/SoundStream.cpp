// What the two kinds of stream share: making and freeing the record and its
// state, and the callbacks behind the record, each serving reads either from
// a sound in memory or from the open file.
#include "advsound/SoundStream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "engineer/StreamBlocks.h"

namespace vek {

namespace {

constexpr int32_t kOpened = 0;
constexpr int32_t kOpenFailed = 1;
constexpr int32_t kSeekStored = 0;
constexpr int32_t kSeekWithoutState = 1;
constexpr int32_t kDiskBitsPerSample = 16;
constexpr uint32_t kDiskBytesPerSample = 2;

std::atomic<size_t> g_liveStreams{0};

constexpr StreamCallbacks kSoundStreamCallbacks = {ReadSoundStream, OpenSoundStream, CloseSoundStream,
                                                   ReleaseSoundStream, AnswerQuery};

// One pass over a sound in memory, from the stream's cursor.
struct MemorySource {
    const DecodedSound& sound;
    uint32_t& position;

    uint32_t Piece(uint8_t* dst, uint32_t max) {
        const uint32_t n = std::min(max, sound.dataSize - position);
        if (n != 0) std::memcpy(dst, sound.data + position, n);
        position += n;
        return n;
    }
    void Rewind() { position = 0; }
};

// One pass over the open file, in whole 16-bit samples converted by libsndfile.
struct DiskSource {
    SNDFILE* file;

    uint32_t Piece(uint8_t* dst, uint32_t max) {
        const sf_count_t samples = max / kDiskBytesPerSample;
        if (samples == 0) return 0;
        const sf_count_t got = sf_read_short(file, reinterpret_cast<int16_t*>(dst), samples);
        return got > 0 ? uint32_t(got) * kDiskBytesPerSample : 0;
    }
    void Rewind() { sf_seek(file, 0, SEEK_SET); }
};

// frames / rate * 1000, truncated toward zero, low 32 bits as the record
// carries them. Counted in frames, not in 32-bit byte totals, so that a long
// file does not wrap round to a short length.
int32_t LengthMsOfFrames(sf_count_t frames, int32_t rate) {
    if (rate <= 0 || frames <= 0) return 0;
    const double ms = double(frames) / double(rate) * 1000.0;
    if (ms >= 9.0e18) return kLengthUnknown;
    return int32_t(uint32_t(uint64_t(int64_t(ms))));
}

int32_t OpenFromMemory(SoundStream& state, StreamRecord& record) {
    DecodedSound* sound = state.sound;
    if (sound == nullptr) return kOpenFailed;
    record.sampleRate = sound->sampleRate;
    record.bitsPerSample = sound->bitsPerSample;
    record.channels = sound->channels;
    record.lengthMs = LengthMsOf(sound->dataSize, uint32_t(sound->bytesPerSecond));
    state.position = 0;
    state.pendingSeekMs = kNoPendingSeek;
    if (record.version >= kStreamRecordVersion) sound->lastDeck = record.deck;
    return kOpened;
}

int32_t OpenFromDisk(SoundStream& state, StreamRecord& record) {
    if (state.file != nullptr) sf_close(state.file);  // opened twice without a close
    std::memset(&state.info, 0, sizeof state.info);  // libsndfile requires a cleared description for reading
    state.file = sf_open(state.fileName, SFM_READ, &state.info);
    if (state.file == nullptr) return kOpenFailed;
    record.sampleRate = state.info.samplerate;
    record.bitsPerSample = kDiskBitsPerSample;
    record.channels = state.info.channels;
    record.lengthMs = LengthMsOfFrames(state.info.frames, state.info.samplerate);
    state.pendingSeekMs = kNoPendingSeek;
    sf_seek(state.file, 0, SEEK_SET);
    return kOpened;
}

// A seek lands on a whole frame; one at or past the end is dropped.
void ApplyMemorySeek(SoundStream& state) {
    if (state.pendingSeekMs == kNoPendingSeek) return;
    const DecodedSound& sound = *state.sound;
    int64_t target = BytesAtMs(state.pendingSeekMs, uint32_t(sound.bytesPerSecond));
    const int64_t frameBytes = int64_t(sound.channels) * (sound.bitsPerSample / 8);
    if (frameBytes > 0) target -= target % frameBytes;
    if (target >= 0 && target < int64_t(sound.dataSize)) state.position = uint32_t(target);
    state.pendingSeekMs = kNoPendingSeek;
}

void ApplyDiskSeek(SoundStream& state) {
    if (state.pendingSeekMs == kNoPendingSeek) return;
    const auto frame = sf_count_t(double(state.pendingSeekMs) / 1000.0 * double(state.info.samplerate));
    if (frame >= 0 && frame < state.info.frames) sf_seek(state.file, frame, SEEK_SET);
    state.pendingSeekMs = kNoPendingSeek;
}

uint32_t ReadFromMemory(SoundStream& state, StreamRecord& record, uint8_t* buffer, uint32_t count) {
    if (state.sound == nullptr) return 0;
    ApplyMemorySeek(state);
    MemorySource source{*state.sound, state.position};
    return PullWithLoops(record, buffer, count, source);
}

// Only whole samples are read from disk: an odd last byte of a request is left
// for the next read rather than taken for the end of the data.
uint32_t ReadFromDisk(SoundStream& state, StreamRecord& record, uint8_t* buffer, uint32_t count) {
    if (state.file == nullptr) return 0;
    ApplyDiskSeek(state);
    DiskSource source{state.file};
    return PullWithLoops(record, buffer, count - count % kDiskBytesPerSample, source);
}

}  // namespace

SoundStream* SoundStreamOf(StreamRecord* stream) {
    return stream == nullptr ? nullptr : static_cast<SoundStream*>(stream->state);
}

StreamRecord* NewSoundStream(AudioCore* core) {
    StreamRecord* record = NewStreamRecord(kAdvSoundStreamKind, kSoundStreamCallbacks);
    if (record == nullptr) return nullptr;
    auto* state = new (std::nothrow) SoundStream();
    if (state == nullptr) {
        FreeStreamRecord(record);
        return nullptr;
    }
    ++g_liveStreams;
    state->record = record;
    record->state = state;
    record->core = core;
    return record;
}

StreamRecord* FinishSoundStream(StreamRecord* stream) {
    stream->seek = SeekSoundStream;
    return stream;
}

int32_t VEK_STDCALL OpenSoundStream(StreamRecord* stream) {
    SoundStream* state = SoundStreamOf(stream);
    if (state == nullptr) return kOpened;
    return state->fromMemory ? OpenFromMemory(*state, *stream) : OpenFromDisk(*state, *stream);
}

int32_t VEK_STDCALL ReadSoundStream(int32_t count, void* buffer, StreamRecord* stream) {
    SoundStream* state = SoundStreamOf(stream);
    if (state == nullptr || count <= 0 || buffer == nullptr) return 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    const uint32_t delivered = state->fromMemory ? ReadFromMemory(*state, *stream, bytes, uint32_t(count))
                                                 : ReadFromDisk(*state, *stream, bytes, uint32_t(count));
    return int32_t(delivered);
}

int32_t VEK_STDCALL SeekSoundStream(StreamRecord* stream, int32_t milliseconds) {
    SoundStream* state = SoundStreamOf(stream);
    if (state == nullptr) return kSeekWithoutState;
    state->pendingSeekMs = milliseconds;
    return kSeekStored;
}

void VEK_STDCALL CloseSoundStream(StreamRecord* stream) {
    SoundStream* state = SoundStreamOf(stream);
    if (state == nullptr || state->file == nullptr) return;
    sf_close(state->file);
    state->file = nullptr;
}

void VEK_STDCALL ReleaseSoundStream(StreamRecord* stream) {
    if (stream == nullptr) return;
    if (SoundStream* state = SoundStreamOf(stream)) {
        if (state->cache == nullptr && state->sound != nullptr) {
            state->sound->Release();
            DestroyDecodedSound(state->sound);
        }
        if (state->file != nullptr) sf_close(state->file);
        delete state;
        --g_liveStreams;
    }
    FreeStreamRecord(stream);
}

void LinkDeck(StreamRecord* stream, int32_t deck) {
    SoundStream* state = SoundStreamOf(stream);
    if (state != nullptr && state->sound != nullptr) state->sound->lastDeck = deck;
}

size_t LiveSoundStreams() { return g_liveStreams; }

}  // namespace vek
