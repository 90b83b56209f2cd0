// Streams over a sound of the sound cache, for the play actions. The sound is
// borrowed: the cache keeps it until the application ends.
#include "advsound/SoundCache.h"
#include "advsound/SoundStream.h"
#include "framework/RunData.h"

namespace vek {

StreamRecord* CreateCachedStream(RunData* object, AudioCore* core, const char* soundId) {
    SoundCache* cache = object != nullptr ? object->soundCache : nullptr;
    if (cache == nullptr) return nullptr;  // no StartApp before this object was made
    DecodedSound* sound = cache->Find(soundId);
    if (sound == nullptr) return nullptr;
    StreamRecord* stream = NewSoundStream(core);
    if (stream == nullptr) return nullptr;
    SoundStream& state = *SoundStreamOf(stream);
    state.cache = cache;
    state.sound = sound;
    state.fromMemory = true;
    return FinishSoundStream(stream);
}

}  // namespace vek
