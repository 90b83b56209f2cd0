#include "tests/vekhost/TestStreams.h"

#include <algorithm>
#include <cstring>

namespace vekhost::testing {

namespace {

TestSource& SourceOf(StreamRecord* record) { return *static_cast<TestSource*>(record->state); }

int32_t VEK_STDCALL Open(StreamRecord* record) {
    TestSource& source = SourceOf(record);
    ++source.opens;
    source.loopsLeftAtOpen = record->loopsLeft;
    if (source.openAnswer != 0) return source.openAnswer;
    record->sampleRate = source.sampleRate;
    record->bitsPerSample = source.bitsPerSample;
    record->channels = source.channels;
    const int32_t bytesPerSecond = source.sampleRate * source.channels * ((source.bitsPerSample + 7) / 8);
    record->lengthMs = bytesPerSecond > 0 ? int32_t(int64_t(source.bytes.size()) * 1000 / bytesPerSecond) : 0;
    source.position = 0;
    return 0;
}

int32_t VEK_STDCALL Read(int32_t count, void* buffer, StreamRecord* record) {
    TestSource& source = SourceOf(record);
    if (source.stalls || count <= 0) return 0;
    size_t wanted = size_t(count);
    if (source.mostPerRead > 0) wanted = std::min(wanted, size_t(source.mostPerRead));
    auto* out = static_cast<uint8_t*>(buffer);
    size_t delivered = 0;
    while (delivered < wanted) {
        const size_t piece = std::min(wanted - delivered, source.bytes.size() - source.position);
        std::memcpy(out + delivered, source.bytes.data() + source.position, piece);
        delivered += piece;
        source.position += piece;
        if (delivered == wanted) break;
        if (record->loopsLeft == 0 || source.bytes.empty()) {
            record->ended = 1;
            break;
        }
        source.position = 0;
        if (record->loopsLeft > 0) --record->loopsLeft;
    }
    return int32_t(delivered);
}

void VEK_STDCALL Close(StreamRecord* record) { ++SourceOf(record).closes; }
void VEK_STDCALL Release(StreamRecord* record) { ++SourceOf(record).releases; }
int32_t VEK_STDCALL Query() { return 100; }

}  // namespace

TestSource& TestStreams::Add(int32_t sampleRate, int32_t bits, int32_t channels, std::vector<uint8_t> bytes) {
    sources_.emplace_back();
    TestSource& source = sources_.back();
    source.sampleRate = sampleRate;
    source.bitsPerSample = bits;
    source.channels = channels;
    source.bytes = std::move(bytes);
    StreamRecord& r = source.record;
    std::memcpy(r.magic, vek::kStreamMagic, 4);
    r.version = vek::kStreamRecordVersion;
    r.read = Read;
    r.open = Open;
    r.close = Close;
    r.release = Release;
    r.query = Query;
    r.lengthMs = vek::kLengthUnknown;
    r.state = &source;
    return source;
}

std::vector<uint8_t> Constant16(int16_t value, size_t samples) {
    return Samples16(std::vector<int16_t>(samples, value));
}

std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t s : samples) {
        bytes.push_back(uint8_t(uint16_t(s) & 0xFF));
        bytes.push_back(uint8_t(uint16_t(s) >> 8));
    }
    return bytes;
}

}  // namespace vekhost::testing
