// A real audio core for vekhost: a fixed number of decks, each playing one
// engineer stream with volume, pan and a frequency multiplier, mixed to
// 44.1 kHz 16-bit stereo; and the table of engineers by file extension.
// Engineers reach it only through the AudioCore positions; the host drives
// the rest (finding engineer objects, rendering, the clock).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engineer/AudioCore.h"
#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"
#include "tools/vekhost/DeckVoice.h"

namespace vekhost {

struct MixStats {
    uint64_t framesRendered = 0;
    uint64_t soundEndFrame = 0;   // just after the last frame any deck played
    uint64_t clippedSamples = 0;  // output samples that did not fit 16 bits
    float peak = 0.0f;            // largest magnitude before clipping, on the 16-bit scale
    int32_t decksUsed = 0;        // distinct decks that played
    int32_t mostAtOnce = 0;       // most decks playing in one output block
    int32_t playsStarted = 0;
};

struct CoreError {
    int64_t timeMs;
    std::string message;
};

// What FindEngineer answered, for the host's account of what happened.
struct EngineerLookup {
    std::string path;
    std::string mask;  // empty without one
    EngineerRecord* answer;
};

class MixingCore : public AudioCore {
public:
    static constexpr int32_t kVersion = 112;
    static constexpr float kMinFrequency = 1.0f / 256.0f;
    static constexpr float kMaxFrequency = 256.0f;

    explicit MixingCore(int32_t deckCount);
    ~MixingCore();
    MixingCore(const MixingCore&) = delete;
    MixingCore& operator=(const MixingCore&) = delete;

    // --- The positions the engineers call.
    int32_t GetVersion() override;
    void AttachStream(int32_t deck, StreamRecord* stream) override;
    void SetDeckPan(int32_t deck, float pan) override;
    void SetDeckVolume(int32_t deck, float volume) override;
    int32_t ReportError(const char* format, ...) override;
    void RegisterEngineer(EngineerRecord* engineer) override;
    void UnregisterEngineer(EngineerRecord* engineer) override;
    void AddEngineerExtension(EngineerRecord* engineer, const char* extension) override;
    void PrepareDeck(int32_t deck) override;
    EngineerRecord* FindEngineer(const char* path, const char* extensionMask) override;
    void PlayDeck(int32_t deck, int32_t times) override;
    int32_t AllocateDeck() override;
    void SetDeckFrequency(int32_t deck, float multiplier) override;

    // --- The host's side.
    // Finds an engineer object by the contract at the end of its run data:
    // writes this core into it and into its engineer record, then lets the
    // record register its extensions. False when the block is no engineer.
    bool Adopt(void* runData, size_t runDataSize);
    // The object is gone: its engineer records are no longer used.
    void ForgetObject(const void* runData);

    // Mixes the next `frames` output frames into `out` (interleaved stereo).
    // Decks that were allocated but not started by now are given back.
    void Render(int16_t* out, size_t frames);
    // Ends every deck, releasing its stream.
    void StopAll();

    int32_t playingDecks() const;
    int32_t deckCount() const { return int32_t(decks_.size()); }
    // Milliseconds of output rendered so far: the time of what happens now.
    int64_t nowMs() const;
    // A guess at how much longer the playing decks will sound, for progress.
    int64_t estimatedRemainingMs() const;

    const MixStats& stats() const { return stats_; }
    const std::vector<CoreError>& errors() const { return errors_; }
    const std::vector<EngineerLookup>& lookups() const { return lookups_; }
    // Every error is also handed here as it is reported.
    std::function<void(const CoreError&)> onError;
    // While set, reported errors go here instead: the host's own probes of a
    // stream are not part of what the scene did.
    std::vector<std::string>* capture = nullptr;
    int32_t version = kVersion;

private:
    enum class DeckState { Free, Allocated, Playing };
    struct Deck {
        DeckState state = DeckState::Free;
        StreamRecord* stream = nullptr;
        bool open = false;
        float volume = 1.0f;
        float pan = 0.0f;
        float frequency = 1.0f;
        bool everPlayed = false;
        DeckVoice voice;
    };
    struct Registration {
        std::string extension;  // lower case, without the dot
        EngineerRecord* record;
        const void* owner;
    };

    Deck* DeckAt(int32_t deck);
    void Report(const std::string& message);
    void EndDeck(Deck& deck);
    void ReleaseStream(Deck& deck);
    void GiveBackIdleDecks();
    bool StartPlaying(int32_t number, Deck& deck, int32_t times);
    static const void* OwnerOf(const EngineerRecord* record);

    std::vector<Deck> decks_;
    std::vector<Registration> registrations_;  // later entries win
    std::vector<float> mix_;
    std::vector<bool> played_;
    std::vector<CoreError> errors_;
    std::vector<EngineerLookup> lookups_;
    MixStats stats_;
};

}  // namespace vekhost
