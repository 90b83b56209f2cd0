// The audio core as the engineers call it: a table of virtual operations
// reached by position. The positions are binding; positions without a name
// are placeholders that no engineer calls. No virtual destructor: it would
// take table slots.
#pragma once

#include "engineer/Boundary.h"

struct EngineerRecord;
struct StreamRecord;

#define VEK_CORE_PLACEHOLDER(n) virtual void Placeholder##n() {}

class AudioCore {
public:
    // 0: version x 100; below 110 no playback, below 112 no frequency play.
    virtual int32_t GetVersion() = 0;
    VEK_CORE_PLACEHOLDER(1) VEK_CORE_PLACEHOLDER(2) VEK_CORE_PLACEHOLDER(3)
    // 4: the core takes the stream over and ends it with its release callback.
    virtual void AttachStream(int32_t deck, StreamRecord* stream) = 0;
    VEK_CORE_PLACEHOLDER(5) VEK_CORE_PLACEHOLDER(6) VEK_CORE_PLACEHOLDER(7)
    VEK_CORE_PLACEHOLDER(8) VEK_CORE_PLACEHOLDER(9) VEK_CORE_PLACEHOLDER(10)
    VEK_CORE_PLACEHOLDER(11) VEK_CORE_PLACEHOLDER(12) VEK_CORE_PLACEHOLDER(13)
    VEK_CORE_PLACEHOLDER(14) VEK_CORE_PLACEHOLDER(15) VEK_CORE_PLACEHOLDER(16)
    VEK_CORE_PLACEHOLDER(17) VEK_CORE_PLACEHOLDER(18) VEK_CORE_PLACEHOLDER(19)
    VEK_CORE_PLACEHOLDER(20) VEK_CORE_PLACEHOLDER(21) VEK_CORE_PLACEHOLDER(22)
    VEK_CORE_PLACEHOLDER(23) VEK_CORE_PLACEHOLDER(24) VEK_CORE_PLACEHOLDER(25)
    VEK_CORE_PLACEHOLDER(26)
    // 27: -1.0 left ... 1.0 right.
    virtual void SetDeckPan(int32_t deck, float pan) = 0;
    VEK_CORE_PLACEHOLDER(28)
    // 29: 0.0 silent ... 1.0 full.
    virtual void SetDeckVolume(int32_t deck, float volume) = 0;
    VEK_CORE_PLACEHOLDER(30) VEK_CORE_PLACEHOLDER(31) VEK_CORE_PLACEHOLDER(32)
    VEK_CORE_PLACEHOLDER(33) VEK_CORE_PLACEHOLDER(34) VEK_CORE_PLACEHOLDER(35)
    VEK_CORE_PLACEHOLDER(36) VEK_CORE_PLACEHOLDER(37) VEK_CORE_PLACEHOLDER(38)
    VEK_CORE_PLACEHOLDER(39) VEK_CORE_PLACEHOLDER(40) VEK_CORE_PLACEHOLDER(41)
    VEK_CORE_PLACEHOLDER(42)
    // 43: printf-style message for the game's author; the result is ignored.
    virtual int32_t ReportError(const char* format, ...) = 0;
    VEK_CORE_PLACEHOLDER(44) VEK_CORE_PLACEHOLDER(45) VEK_CORE_PLACEHOLDER(46)
    VEK_CORE_PLACEHOLDER(47) VEK_CORE_PLACEHOLDER(48) VEK_CORE_PLACEHOLDER(49)
    // 50 to 52: the engineer's registration; extension texts are copied during the call.
    virtual void RegisterEngineer(EngineerRecord* engineer) = 0;
    virtual void UnregisterEngineer(EngineerRecord* engineer) = 0;
    virtual void AddEngineerExtension(EngineerRecord* engineer, const char* extension) = 0;
    VEK_CORE_PLACEHOLDER(53) VEK_CORE_PLACEHOLDER(54) VEK_CORE_PLACEHOLDER(55)
    VEK_CORE_PLACEHOLDER(56) VEK_CORE_PLACEHOLDER(57) VEK_CORE_PLACEHOLDER(58)
    VEK_CORE_PLACEHOLDER(59) VEK_CORE_PLACEHOLDER(60) VEK_CORE_PLACEHOLDER(61)
    VEK_CORE_PLACEHOLDER(62) VEK_CORE_PLACEHOLDER(63) VEK_CORE_PLACEHOLDER(64)
    VEK_CORE_PLACEHOLDER(65) VEK_CORE_PLACEHOLDER(66) VEK_CORE_PLACEHOLDER(67)
    VEK_CORE_PLACEHOLDER(68) VEK_CORE_PLACEHOLDER(69) VEK_CORE_PLACEHOLDER(70)
    VEK_CORE_PLACEHOLDER(71) VEK_CORE_PLACEHOLDER(72) VEK_CORE_PLACEHOLDER(73)
    VEK_CORE_PLACEHOLDER(74) VEK_CORE_PLACEHOLDER(75)
    // 76
    virtual void PrepareDeck(int32_t deck) = 0;
    VEK_CORE_PLACEHOLDER(77) VEK_CORE_PLACEHOLDER(78)
    // 79: the engineer for a file, chosen by extensionMask (no dot) when it is
    // not null, else by the file's own extension; null when none.
    virtual EngineerRecord* FindEngineer(const char* path, const char* extensionMask) = 0;
    // 80: times to play; 1 plays once.
    virtual void PlayDeck(int32_t deck, int32_t times) = 0;
    // 81: a free deck, or -1.
    virtual int32_t AllocateDeck() = 0;
    // 82: 1.0 leaves the frequency unchanged.
    virtual void SetDeckFrequency(int32_t deck, float multiplier) = 0;
};

#undef VEK_CORE_PLACEHOLDER

namespace vek {
constexpr int kAudioCorePositions = 83;
constexpr int32_t kCoreVersionPlay = 110;       // basic play actions
constexpr int32_t kCoreVersionFrequency = 112;  // frequency plays, last-deck query
}  // namespace vek
