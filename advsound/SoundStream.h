// The Advanced Sound engineer's streams: file streams, which the core (or a
// capture) makes for a file of this engineer's types, and cached streams over
// a sound of the sound cache. Both serve their reads either from a sound in
// memory or from the open file through libsndfile.
#pragma once

#include <sndfile.h>

#include <cstddef>

#include "advsound/DecodedSound.h"
#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"

struct RunData;
struct SoundCache;

namespace vek {

// The private state behind a StreamRecord. The sound it plays is kept apart
// from the stream's own cursor (position, pendingSeekMs, the open file): a
// cached sound is shared by every stream of its ID.
struct SoundStream {
    SoundCache* cache = nullptr;          // set for a cached stream, which borrows `sound`
    char fileName[kTextFieldSize] = {};   // file streams only
    SNDFILE* file = nullptr;              // open between open and close when reading from disk
    SF_INFO info = {};                    // description of the open file
    bool fromMemory = false;              // reads served from `sound`
    int32_t pendingSeekMs = kNoPendingSeek;
    DecodedSound* sound = nullptr;        // owned by a file stream, borrowed from the cache otherwise
    uint32_t position = 0;                // next byte of sound->data to deliver
    StreamRecord* record = nullptr;       // the record whose `state` this is
};

// The engineer's createStream. With the owner's caching on, the whole file is
// decoded now and a file libsndfile cannot decode gives null; with caching
// off the file is opened only by `open`.
StreamRecord* VEK_STDCALL CreateFileStream(EngineerRecord* engineer, const char* path);

// A stream over the cached sound with that ID, to be played by `core`; null
// when the ID is not in the object's cache (or the object has no cache).
StreamRecord* CreateCachedStream(RunData* object, AudioCore* core, const char* soundId);

// Makes `deck` the last deck of the stream's sound, if it has one.
void LinkDeck(StreamRecord* stream, int32_t deck);

// A record with a fresh state for `core`, its seek callback not yet set;
// null when out of memory. The factories bind a source to it and then either
// finish it with FinishSoundStream or free it with ReleaseSoundStream.
StreamRecord* NewSoundStream(AudioCore* core);
StreamRecord* FinishSoundStream(StreamRecord* stream);
SoundStream* SoundStreamOf(StreamRecord* stream);

// The record's callbacks.
int32_t VEK_STDCALL OpenSoundStream(StreamRecord* stream);
int32_t VEK_STDCALL ReadSoundStream(int32_t count, void* buffer, StreamRecord* stream);
int32_t VEK_STDCALL SeekSoundStream(StreamRecord* stream, int32_t milliseconds);
void VEK_STDCALL CloseSoundStream(StreamRecord* stream);
void VEK_STDCALL ReleaseSoundStream(StreamRecord* stream);

// Streams made and not yet released, for leak checks.
size_t LiveSoundStreams();

}  // namespace vek
