// The engineer's createStream: a stream over a file of one of its types,
// decoded whole into memory when the owner's caching is on.
#include "advsound/SoundStream.h"
#include "engineer/EngineerFactory.h"
#include "framework/RunData.h"

namespace vek {

namespace {

bool OwnerCaches(const EngineerRecord& engineer) {
    return engineer.owner != nullptr && engineer.owner->cachingEnabled != 0;
}

// With caching on the stream owns a sound decoded now; a file libsndfile
// cannot decode gives no stream. With caching off nothing is read yet.
bool BindFile(SoundStream& state) {
    if (!state.fromMemory) return true;
    DecodedSound* sound = NewDecodedSound();
    if (sound == nullptr) return false;
    sound->Decode(state.fileName);
    if (!sound->loaded) {
        sound->Release();
        DestroyDecodedSound(sound);
        return false;
    }
    state.sound = sound;
    return true;
}

}  // namespace

StreamRecord* VEK_STDCALL CreateFileStream(EngineerRecord* engineer, const char* path) {
    if (engineer == nullptr) return nullptr;
    StreamRecord* stream = NewSoundStream(engineer->core);
    if (stream == nullptr) return nullptr;
    SoundStream& state = *SoundStreamOf(stream);
    state.fromMemory = OwnerCaches(*engineer);
    // A path too long for the field is refused rather than cut to another file's name.
    if (!CopyIntoTextField(state.fileName, path) || !BindFile(state)) {
        ReleaseSoundStream(stream);
        return nullptr;
    }
    return FinishSoundStream(stream);
}

const CreateStreamFn kEngineerStreamFactory = CreateFileStream;

}  // namespace vek
