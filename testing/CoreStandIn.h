// A stand-in for the audio core: every position of the table exists; the
// named operations record each call in order, GetVersion, AllocateDeck and
// FindEngineer answer what the test sets, and the extension table that
// RegisterEngineer/AddEngineerExtension build answers FindEngineer.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engineer/AudioCore.h"
#include "engineer/EngineerRecord.h"
#include "engineer/StreamRecord.h"

namespace vek::testing {

struct CoreCall {
    std::string op;
    std::vector<int32_t> ints;     // deck, times
    std::vector<float> floats;     // volume, pan, frequency
    const void* record = nullptr;  // EngineerRecord or StreamRecord
    std::string text;              // extension, path, mask, formatted message

    std::string ToString() const;  // e.g. "SetDeckVolume 3 1.5"
};

class CoreStandIn : public AudioCore {
public:
    ~CoreStandIn();

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

    // What the core does when it finds an engineer object: writes its pointer
    // into the contract fields at the end of the run data and into the
    // engineer record, then asks the record to register its extensions.
    void Adopt(void* runData, size_t runDataSize);

    int32_t version = 112;
    std::vector<int32_t> freeDecks{0, 1, 2, 3};  // AllocateDeck hands these out in order, then -1
    EngineerRecord* findOverride = nullptr;       // when set, FindEngineer answers it

    const std::vector<CoreCall>& calls() const { return calls_; }
    std::vector<std::string> CallStrings() const;
    const std::vector<std::string>& errors() const { return errors_; }
    const std::vector<std::string>& errorFormats() const { return errorFormats_; }
    void ClearCalls() { calls_.clear(); }
    // Streams attached to decks; released by the stand-in's destructor.
    const std::map<int32_t, StreamRecord*>& attached() const { return attached_; }

private:
    std::vector<CoreCall> calls_;
    std::vector<std::string> errors_;
    std::vector<std::string> errorFormats_;
    std::map<std::string, EngineerRecord*> extensions_;
    std::map<int32_t, StreamRecord*> attached_;
};

}  // namespace vek::testing
