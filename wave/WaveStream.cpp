#include "wave/WaveStream.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "engineer/AudioCore.h"
#include "engineer/EngineerFactory.h"
#include "engineer/StreamBlocks.h"
#include "framework/RunData.h"

namespace vek {
namespace {

// Until open has read the header, a streaming-mode stream tells the core the
// most common format.
constexpr int32_t kProvisionalBitsPerSample = 16;
constexpr int32_t kProvisionalChannels = 2;
constexpr int32_t kProvisionalSampleRate = 44100;

WaveStream* StateOf(StreamRecord* stream) {
    return stream == nullptr ? nullptr : static_cast<WaveStream*>(stream->state);
}

// The core that hears about failures. A driver that sets the record's core
// after creation (the engineer record had none yet) is heard too.
AudioCore* ReporterOf(const WaveStream& wave) { return wave.core != nullptr ? wave.core : wave.stream->core; }

void Report(const WaveStream& wave, const char* format, const char* path) {
    if (AudioCore* core = ReporterOf(wave)) core->ReportError(format, path);
}

// Some systems open a folder like a file; it is no sound all the same.
bool IsFolder(std::FILE* file) {
    struct stat info;
    return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
}

std::FILE* OpenForReading(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file != nullptr && IsFolder(file)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

void CloseFile(WaveStream& wave) {
    if (wave.file == nullptr) return;
    std::fclose(wave.file);
    wave.file = nullptr;
}

void FreeMemoryCopy(WaveStream& wave) {
    std::free(wave.memoryData);
    wave.memoryData = nullptr;
    wave.memorySize = 0;
    wave.memoryPosition = 0;
}

bool FitsPathField(const char* path) { return path != nullptr && std::strlen(path) < kTextFieldSize; }

// Moves to a byte of the sample data. Offsets that a long cannot reach lie
// past the end of any file the C library can read, so they go to the end.
void MoveFileToDataByte(std::FILE* file, uint32_t offset) {
    const uint64_t target = kWaveHeaderSize + uint64_t(offset);
    if (target <= uint64_t(LONG_MAX))
        std::fseek(file, long(target), SEEK_SET);
    else
        std::fseek(file, 0, SEEK_END);
}

// What the file really holds after the header, so that a header promising
// more data than the file has cannot make us allocate it. Leaves the file at
// the start of the data. A file longer than a long can count holds at least
// as much as a long can count; one that cannot be measured gives nothing.
uint32_t BytesAfterHeader(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(file);
    if (std::fseek(file, long(kWaveHeaderSize), SEEK_SET) != 0) return 0;
    const long measurable = end < 0 ? LONG_MAX : end;
    return measurable > long(kWaveHeaderSize) ? uint32_t(measurable - long(kWaveHeaderSize)) : 0;
}

bool ReadValidHeader(WaveStream& wave) {
    std::memset(wave.header, 0, sizeof wave.header);
    return std::fread(wave.header, 1, sizeof wave.header, wave.file) == sizeof wave.header &&
           IsPlainPcmHeader(wave.header);
}

void WriteFormat(StreamRecord& stream, const WaveFormat& format) {
    stream.bitsPerSample = format.bitsPerSample;
    stream.channels = format.channels;
    stream.sampleRate = format.sampleRate;
    stream.lengthMs = LengthMsOf(format.dataSize, format.bytesPerSecond);
}

// Reads the data chunk, as far as the file really holds it, into memory. At
// least one byte is allocated so that an empty chunk still counts as present.
bool CopyDataIntoMemory(WaveStream& wave, uint32_t dataSize) {
    const uint32_t room = std::min(dataSize, BytesAfterHeader(wave.file));
    auto* data = static_cast<uint8_t*>(std::malloc(room != 0 ? room : 1));
    if (data == nullptr) return false;
    wave.memoryData = data;
    wave.memorySize = uint32_t(std::fread(data, 1, room, wave.file));
    wave.memoryPosition = 0;
    return true;
}

// Opens the file, checks its header and writes the real format into the
// record; in memory mode it also reads the data and closes the file again.
// 0 success, 1 failure with nothing left open. Failures are reported, except
// a memory copy too large to allocate, for which there is no message.
int32_t OpenFully(WaveStream& wave) {
    if (wave.caching && wave.memoryData != nullptr) return 0;
    CloseFile(wave);  // opening twice without a close reads the header anew
    wave.file = OpenForReading(wave.path);
    if (wave.file == nullptr) {
        Report(wave, kCouldNotOpenFileMessage, wave.path);
        return 1;
    }
    if (!ReadValidHeader(wave)) {
        Report(wave, kNotValidPcmWaveMessage, wave.path);
        CloseFile(wave);
        return 1;
    }
    const WaveFormat format = FormatOfHeader(wave.header);
    WriteFormat(*wave.stream, format);
    if (!wave.caching) return 0;
    const bool copied = CopyDataIntoMemory(wave, format.dataSize);
    CloseFile(wave);
    return copied ? 0 : 1;
}

// Where a seek lands in the data; times before the start land on it.
uint32_t DataOffsetOfSeek(const WaveStream& wave) {
    const int64_t bytes = BytesAtMs(wave.pendingSeekMs, FormatOfHeader(wave.header).bytesPerSecond);
    return bytes < 0 ? 0 : uint32_t(uint64_t(bytes));
}

struct FileSource {
    std::FILE* file;
    uint32_t Piece(uint8_t* destination, uint32_t most) {
        return uint32_t(std::fread(destination, 1, most, file));
    }
    void Rewind() { MoveFileToDataByte(file, 0); }
};

struct MemorySource {
    WaveStream& wave;
    uint32_t Piece(uint8_t* destination, uint32_t most) {
        const uint32_t piece = std::min(most, wave.memorySize - wave.memoryPosition);
        std::memcpy(destination, wave.memoryData + wave.memoryPosition, piece);
        wave.memoryPosition += piece;
        return piece;
    }
    void Rewind() { wave.memoryPosition = 0; }
};

uint32_t ReadFromFile(WaveStream& wave, uint8_t* buffer, uint32_t count) {
    if (wave.file == nullptr) return 0;  // not open: a pending seek waits
    if (wave.pendingSeekMs != kNoPendingSeek) {
        MoveFileToDataByte(wave.file, DataOffsetOfSeek(wave));
        wave.pendingSeekMs = kNoPendingSeek;
    }
    FileSource source{wave.file};
    return PullWithLoops(*wave.stream, buffer, count, source);
}

uint32_t ReadFromMemory(WaveStream& wave, uint8_t* buffer, uint32_t count) {
    if (wave.memoryData == nullptr) return 0;
    if (wave.pendingSeekMs != kNoPendingSeek) {
        const uint32_t offset = DataOffsetOfSeek(wave);
        // Exactly the end stays there; beyond it the sound starts again.
        wave.memoryPosition = offset > wave.memorySize ? 0 : offset;
        wave.pendingSeekMs = kNoPendingSeek;
    }
    MemorySource source{wave};
    return PullWithLoops(*wave.stream, buffer, count, source);
}

int32_t VEK_STDCALL ReadWave(int32_t count, void* buffer, StreamRecord* stream) {
    WaveStream* wave = StateOf(stream);
    if (wave == nullptr || count <= 0 || buffer == nullptr) return 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    return int32_t(wave->caching ? ReadFromMemory(*wave, bytes, uint32_t(count))
                                 : ReadFromFile(*wave, bytes, uint32_t(count)));
}

int32_t VEK_STDCALL OpenWave(StreamRecord* stream) {
    WaveStream* wave = StateOf(stream);
    return wave == nullptr ? 0 : OpenFully(*wave);
}

int32_t VEK_STDCALL SeekWave(StreamRecord* stream, int32_t milliseconds) {
    WaveStream* wave = StateOf(stream);
    if (wave == nullptr) return 1;
    wave->pendingSeekMs = milliseconds;
    return 0;
}

// The memory copy and a pending seek outlive a close.
void VEK_STDCALL CloseWave(StreamRecord* stream) {
    WaveStream* wave = StateOf(stream);
    if (wave == nullptr) return;
    CloseFile(*wave);
    wave->memoryPosition = 0;
}

void VEK_STDCALL ReleaseWave(StreamRecord* stream) {
    if (stream == nullptr) return;
    if (WaveStream* wave = StateOf(stream)) {
        FreeMemoryCopy(*wave);
        CloseFile(*wave);
        std::free(wave);
        stream->state = nullptr;
    }
    FreeStreamRecord(stream);
}

constexpr StreamCallbacks kWaveCallbacks = {ReadWave, OpenWave, CloseWave, ReleaseWave, AnswerQuery};

bool CachingOf(const EngineerRecord& engineer) {
    return engineer.owner != nullptr && engineer.owner->cachingEnabled != 0;
}

WaveStream* NewWaveState(StreamRecord& stream, const EngineerRecord& engineer) {
    auto* wave = static_cast<WaveStream*>(std::calloc(1, sizeof(WaveStream)));
    if (wave == nullptr) return nullptr;
    wave->pendingSeekMs = kNoPendingSeek;
    wave->stream = &stream;
    wave->core = engineer.core;
    wave->caching = CachingOf(engineer) ? 1 : 0;
    stream.state = wave;
    stream.core = engineer.core;
    return wave;
}

void SetProvisionalFormat(StreamRecord& stream) {
    stream.bitsPerSample = kProvisionalBitsPerSample;
    stream.channels = kProvisionalChannels;
    stream.sampleRate = kProvisionalSampleRate;
    stream.lengthMs = kLengthUnknown;
}

// Streaming mode only looks whether the file can be opened; open reads it.
bool FileCanBeOpened(WaveStream& wave) {
    std::FILE* file = OpenForReading(wave.path);
    if (file == nullptr) {
        Report(wave, kCouldNotOpenFileMessage, wave.path);
        return false;
    }
    std::fclose(file);
    SetProvisionalFormat(*wave.stream);
    return true;
}

// A path the field cannot hold is refused rather than cut, which could name
// another file.
bool TakeFile(WaveStream& wave, const char* path) {
    if (!FitsPathField(path)) {
        Report(wave, kCouldNotOpenFileMessage, path != nullptr ? path : "");
        return false;
    }
    std::strcpy(wave.path, path);
    return wave.caching ? OpenFully(wave) == 0 : FileCanBeOpened(wave);
}

}  // namespace

StreamRecord* VEK_STDCALL CreateWaveStream(EngineerRecord* engineer, const char* path) {
    if (engineer == nullptr) return nullptr;
    StreamRecord* stream = NewStreamRecord(kWaveStreamKind, kWaveCallbacks);
    if (stream == nullptr) return nullptr;
    WaveStream* wave = NewWaveState(*stream, *engineer);
    if (wave == nullptr || !TakeFile(*wave, path)) {
        ReleaseWave(stream);
        return nullptr;
    }
    stream->seek = SeekWave;
    return stream;
}

const CreateStreamFn kEngineerStreamFactory = CreateWaveStream;

}  // namespace vek
