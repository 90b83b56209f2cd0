#include "advsound/PlaybackActions.h"

#include "framework/Parameters.h"

namespace vek {


// The cache and playback come with the sound cache; until then each body
// fetches its parameters in order and does nothing else.

void AddSoundToCache(RunData* object, int32_t, int32_t) {
    FetchActionText(object);
    FetchActionText(object);
}

void AddSoundToCacheMasked(RunData* object, int32_t, int32_t) {
    FetchActionText(object);
    FetchActionText(object);
    FetchActionText(object);
}

namespace {
void FetchPlayParameters(RunData* object, int integers) {
    FetchActionText(object);
    for (int i = 0; i < integers; ++i) FetchActionInteger(object);
}
}  // namespace

void PlaySound(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 0); }
void PlaySoundLooped(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 1); }
void PlaySoundVolumePan(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 2); }
void PlaySoundVolumePanLooped(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 3); }
void PlaySoundFrequency(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 1); }
void PlaySoundLoopedFrequency(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 2); }
void PlaySoundVolumePanFrequency(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 3); }
void PlaySoundVolumePanLoopedFrequency(RunData* object, int32_t, int32_t) { FetchPlayParameters(object, 4); }

int32_t SoundIdLastDeck(RunData* object, int32_t cookie) {
    FetchExpressionText(object, cookie);
    return -1;
}

}  // namespace vek
