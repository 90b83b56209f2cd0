#include "advsound/PlaybackActions.h"

#include <cstring>

#include "advsound/SoundCache.h"
#include "advsound/SoundStream.h"
#include "engineer/AudioCore.h"
#include "framework/Parameters.h"
#include "framework/RunData.h"

namespace vek {

namespace {

constexpr char kCouldNotLoadSound[] = "Could not load sound %s";
constexpr char kUpgradeForPlay[] = "Upgrade Vek to v1.10+ to use this extension!";
constexpr char kUpgradeForFrequency[] = "Upgrade Vek to v1.12+ to use this extension!";
constexpr char kUpgradeForLastDeck[] = "Upgrade Vek to v1.12+ to use SoundIDLastDeck()!";
constexpr int32_t kNoDeck = -1;
constexpr double kParameterScale = 1000.0;

// What a play action takes besides the sound ID; the parameters are fetched
// in this order: volume, pan, loops, frequency.
struct PlayForm {
    bool volumeAndPan;
    bool loops;
    bool frequency;
};

struct PlayParameters {
    float volume = 1.0f;
    float pan = 0.0f;
    int32_t times = 1;
    float frequency = 1.0f;
};

// The handlers use the core and the cache without further tests, so a run
// object the core has not found yet, or one made without StartApp, does nothing.
bool ReadyToRun(const RunData* object) { return object->core != nullptr && object->soundCache != nullptr; }

float Scaled(int32_t value) { return float(double(value) / kParameterScale); }

// Host texts may be missing; the messages still need a text to show.
const char* TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

void AddToCache(RunData* object, bool masked) {
    if (!ReadyToRun(object)) return;
    const char* fileName = FetchActionText(object);
    const char* soundId = FetchActionText(object);
    const char* mask = masked ? FetchActionText(object) : nullptr;
    char copied[kTextFieldSize] = {};
    const bool fits = CopyIntoTextField(copied, fileName);
    if (!fits || object->soundCache->Add(soundId, copied, object->core, mask) == nullptr)
        object->core->ReportError(kCouldNotLoadSound, TextOrEmpty(fileName));
}

PlayParameters FetchPlayParameters(RunData* object, const PlayForm& form) {
    PlayParameters p;
    if (form.volumeAndPan) {
        p.volume = Scaled(FetchActionInteger(object));
        p.pan = Scaled(FetchActionInteger(object));
    }
    if (form.loops) {
        const int32_t loops = FetchActionInteger(object);
        p.times = loops < 1 ? 1 : loops;
    }
    if (form.frequency) p.frequency = Scaled(FetchActionInteger(object));
    return p;
}

// The core's version allows this form; otherwise the author is told which
// version it needs.
bool CoreCanPlay(AudioCore* core, const PlayForm& form) {
    const int32_t needed = form.frequency ? kCoreVersionFrequency : kCoreVersionPlay;
    if (core->GetVersion() >= needed) return true;
    core->ReportError(form.frequency ? kUpgradeForFrequency : kUpgradeForPlay);
    return false;
}

void StartOnDeck(AudioCore* core, int32_t deck, StreamRecord* stream, const PlayForm& form,
                 const PlayParameters& p) {
    LinkDeck(stream, deck);
    core->AttachStream(deck, stream);  // the core owns the stream from here
    if (form.volumeAndPan) {
        core->SetDeckVolume(deck, p.volume);
        core->SetDeckPan(deck, p.pan);
    }
    core->PrepareDeck(deck);
    if (form.frequency) core->SetDeckFrequency(deck, p.frequency);
    core->PlayDeck(deck, p.times);
}

void Play(RunData* object, const PlayForm& form) {
    if (!ReadyToRun(object)) return;
    AudioCore* core = object->core;
    if (!CoreCanPlay(core, form)) return;
    const int32_t deck = core->AllocateDeck();
    if (deck == kNoDeck) return;
    StreamRecord* stream = CreateCachedStream(object, core, FetchActionText(object));
    const PlayParameters parameters = FetchPlayParameters(object, form);
    if (stream == nullptr) return;  // not in the cache: nothing to play, nothing to say
    StartOnDeck(core, deck, stream, form, parameters);
}

constexpr PlayForm kSimple = {false, false, false};
constexpr PlayForm kLooped = {false, true, false};
constexpr PlayForm kVolumePan = {true, false, false};
constexpr PlayForm kVolumePanLooped = {true, true, false};
constexpr PlayForm kFrequency = {false, false, true};
constexpr PlayForm kLoopedFrequency = {false, true, true};
constexpr PlayForm kVolumePanFrequency = {true, false, true};
constexpr PlayForm kVolumePanLoopedFrequency = {true, true, true};

}  // namespace

void AddSoundToCache(RunData* object, int32_t, int32_t) { AddToCache(object, false); }
void AddSoundToCacheMasked(RunData* object, int32_t, int32_t) { AddToCache(object, true); }

void PlaySound(RunData* object, int32_t, int32_t) { Play(object, kSimple); }
void PlaySoundLooped(RunData* object, int32_t, int32_t) { Play(object, kLooped); }
void PlaySoundVolumePan(RunData* object, int32_t, int32_t) { Play(object, kVolumePan); }
void PlaySoundVolumePanLooped(RunData* object, int32_t, int32_t) { Play(object, kVolumePanLooped); }
void PlaySoundFrequency(RunData* object, int32_t, int32_t) { Play(object, kFrequency); }
void PlaySoundLoopedFrequency(RunData* object, int32_t, int32_t) { Play(object, kLoopedFrequency); }
void PlaySoundVolumePanFrequency(RunData* object, int32_t, int32_t) { Play(object, kVolumePanFrequency); }
void PlaySoundVolumePanLoopedFrequency(RunData* object, int32_t, int32_t) {
    Play(object, kVolumePanLoopedFrequency);
}

int32_t SoundIdLastDeck(RunData* object, int32_t cookie) {
    const char* soundId = FetchExpressionText(object, cookie);
    if (!ReadyToRun(object)) return kNoDeck;
    const DecodedSound* sound = object->soundCache->Find(soundId);
    AudioCore* core = object->core;
    if (core->GetVersion() < kCoreVersionFrequency) {
        core->ReportError(kUpgradeForLastDeck);
        return kNoDeck;
    }
    return sound != nullptr ? sound->lastDeck : kNoDeck;
}

}  // namespace vek
