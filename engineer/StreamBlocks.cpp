#include "engineer/StreamBlocks.h"

#include <cstdlib>
#include <cstring>

namespace vek {

StreamRecord* NewStreamRecord(uint32_t kind, const StreamCallbacks& callbacks) {
    auto* stream = static_cast<StreamRecord*>(std::calloc(1, sizeof(StreamRecord)));
    if (stream == nullptr) return nullptr;
    std::memcpy(stream->magic, kStreamMagic, sizeof stream->magic);
    stream->version = kStreamRecordVersion;
    stream->kind = kind;
    stream->read = callbacks.read;
    stream->open = callbacks.open;
    stream->close = callbacks.close;
    stream->release = callbacks.release;
    stream->query = callbacks.query;
    return stream;
}

void FreeStreamRecord(StreamRecord* stream) { std::free(stream); }

int32_t VEK_STDCALL AnswerQuery() { return kQueryAnswer; }

int32_t LengthMsOf(uint32_t dataBytes, uint32_t bytesPerSecond) {
    if (bytesPerSecond == 0) return 0;
    const double ms = double(dataBytes) / double(bytesPerSecond) * 1000.0;
    return int32_t(uint32_t(uint64_t(int64_t(ms))));
}

int64_t BytesAtMs(int32_t milliseconds, uint32_t bytesPerSecond) {
    return int64_t(double(milliseconds) / 1000.0 * double(bytesPerSecond));
}

}  // namespace vek
