// Building blocks shared by the engineers' streams: making and freeing the
// record, the millisecond arithmetic, and the looping pull that every read
// path follows.
#pragma once

#include "engineer/StreamRecord.h"

namespace vek {

struct StreamCallbacks {
    StreamReadFn read;
    StreamOpenFn open;
    StreamCloseFn close;
    StreamReleaseFn release;
    StreamQueryFn query;
};

// A zero-filled record with magic, version, kind and the callbacks (not seek:
// a factory sets it once the stream is known to work). Null when out of memory.
StreamRecord* NewStreamRecord(uint32_t kind, const StreamCallbacks& callbacks);
void FreeStreamRecord(StreamRecord* stream);

int32_t VEK_STDCALL AnswerQuery();

// dataBytes / bytesPerSecond * 1000 in double precision, truncated toward
// zero to 64 bits, low 32 bits kept. A rate of 0 gives 0.
int32_t LengthMsOf(uint32_t dataBytes, uint32_t bytesPerSecond);

// milliseconds / 1000 * bytesPerSecond in double precision, truncated toward
// zero to 64 bits. Negative for a negative time.
int64_t BytesAtMs(int32_t milliseconds, uint32_t bytesPerSecond);

// The looping fill of a read. Source offers:
//   uint32_t Piece(uint8_t* dst, uint32_t max)  bytes of the current pass, 0 at its end
//   void Rewind()                               back to the start of the data
// Passes are repeated while loopsLeft allows; with none left `ended` is set.
// A pass that delivers nothing after a rewind means the data is empty, so
// every further pass would be empty too: counted loops are used up at once
// and the stream ends, exactly as passing over them one by one would end it;
// endless loops return with what was delivered and without `ended`.
template <typename Source>
uint32_t PullWithLoops(StreamRecord& stream, uint8_t* buffer, uint32_t count, Source& source) {
    uint32_t delivered = 0;
    bool passDeliveredAny = true;
    while (delivered < count) {
        const uint32_t got = source.Piece(buffer + delivered, count - delivered);
        if (got > 0) {
            delivered += got;
            passDeliveredAny = true;
            continue;
        }
        if (stream.loopsLeft == 0) {
            stream.ended = 1;
            break;
        }
        if (!passDeliveredAny) {
            if (stream.loopsLeft < 0) break;  // wrapping would spin forever
            stream.loopsLeft = 0;
            stream.ended = 1;
            break;
        }
        source.Rewind();
        if (stream.loopsLeft > 0) --stream.loopsLeft;
        passDeliveredAny = false;
    }
    return delivered;
}

}  // namespace vek
