#include "tools/vekhost/MixingCore.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/RunData.h"

namespace vekhost {

namespace {

constexpr size_t kBlockFrames = 512;
// Where the contract words sit, counted back from the end of any engineer's run data.
constexpr size_t kCoreFromEnd = 16;
constexpr size_t kEngineerFromEnd = 12;
constexpr size_t kTagFromEnd = 8;
constexpr size_t kMagicFromEnd = 4;
constexpr size_t kContractBytes = 20;

std::string Lower(const char* text) {
    std::string out(text);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The extension of a file's own name: after its last dot, if that dot lies
// in the name rather than in a folder.
std::string ExtensionOfPath(const char* path) {
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr) return {};
    for (const char* c = dot; *c != '\0'; ++c)
        if (*c == '/' || *c == '\\') return {};
    return Lower(dot + 1);
}

bool HasMagic(const char (&magic)[4], const char (&expected)[4]) { return std::memcmp(magic, expected, 4) == 0; }

int16_t ClipToSample(float value, uint64_t& clipped) {
    const long rounded = std::lrint(value);
    if (rounded > 32767) {
        ++clipped;
        return 32767;
    }
    if (rounded < -32768) {
        ++clipped;
        return -32768;
    }
    return int16_t(rounded);
}

}  // namespace

MixingCore::MixingCore(int32_t deckCount)
    : decks_(size_t(std::max(deckCount, 0))), mix_(2 * kBlockFrames), played_(decks_.size(), false) {}

MixingCore::~MixingCore() { StopAll(); }

MixingCore::Deck* MixingCore::DeckAt(int32_t deck) {
    if (deck < 0 || size_t(deck) >= decks_.size()) return nullptr;
    return &decks_[size_t(deck)];
}

const void* MixingCore::OwnerOf(const EngineerRecord* record) { return record->owner; }

int64_t MixingCore::nowMs() const { return int64_t(stats_.framesRendered * 1000 / kOutputRate); }

void MixingCore::Report(const std::string& message) {
    if (capture != nullptr) {
        capture->push_back(message);
        return;
    }
    errors_.push_back({nowMs(), message});
    if (onError) onError(errors_.back());
}

int32_t MixingCore::GetVersion() { return version; }

int32_t MixingCore::ReportError(const char* format, ...) {
    if (format == nullptr) return 0;
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    Report(message);
    return 0;
}

// --- Decks

int32_t MixingCore::AllocateDeck() {
    for (size_t i = 0; i < decks_.size(); ++i) {
        Deck& deck = decks_[i];
        if (deck.state != DeckState::Free) continue;
        deck.state = DeckState::Allocated;
        deck.volume = 1.0f;
        deck.pan = 0.0f;
        deck.frequency = 1.0f;
        return int32_t(i);
    }
    return -1;
}

void MixingCore::ReleaseStream(Deck& deck) {
    StreamRecord* stream = deck.stream;
    deck.stream = nullptr;
    if (stream == nullptr) return;
    if (deck.open && stream->close != nullptr) stream->close(stream);
    deck.open = false;
    if (stream->release != nullptr) stream->release(stream);
}

void MixingCore::EndDeck(Deck& deck) {
    ReleaseStream(deck);
    deck.state = DeckState::Free;
}

void MixingCore::AttachStream(int32_t number, StreamRecord* stream) {
    if (stream == nullptr) return;
    if (!HasMagic(stream->magic, vek::kStreamMagic)) {
        // Not a stream record: nothing in it can be trusted, not even its release.
        ReportError("AttachStream on deck %d: not a stream record", int(number));
        return;
    }
    Deck* deck = DeckAt(number);
    if (deck == nullptr || stream->read == nullptr || stream->open == nullptr) {
        if (deck == nullptr)
            ReportError("AttachStream: there is no deck %d; the stream is released", int(number));
        else
            ReportError("AttachStream on deck %d: the stream has no read or open operation", int(number));
        if (stream->release != nullptr) stream->release(stream);
        return;
    }
    if (deck->state == DeckState::Free) {
        deck->volume = 1.0f;
        deck->pan = 0.0f;
        deck->frequency = 1.0f;
    }
    ReleaseStream(*deck);  // a deck plays one stream; the one it had is over
    deck->stream = stream;
    deck->state = DeckState::Allocated;
    stream->deck = number;
}

void MixingCore::SetDeckPan(int32_t number, float pan) {
    if (Deck* deck = DeckAt(number); deck != nullptr && deck->state != DeckState::Free)
        deck->pan = std::isnan(pan) ? 0.0f : pan;
}

void MixingCore::SetDeckVolume(int32_t number, float volume) {
    if (Deck* deck = DeckAt(number); deck != nullptr && deck->state != DeckState::Free)
        deck->volume = std::isnan(volume) ? 0.0f : volume;
}

void MixingCore::SetDeckFrequency(int32_t number, float multiplier) {
    Deck* deck = DeckAt(number);
    if (deck == nullptr || deck->state == DeckState::Free) return;
    if (!(multiplier > 0.0f) || std::isinf(multiplier)) {
        // A deck that never advances would never end.
        ReportError("deck %d: frequency multiplier %g is not a positive number; it stays %g", int(number),
                    double(multiplier), double(deck->frequency));
        return;
    }
    const float held = std::clamp(multiplier, kMinFrequency, kMaxFrequency);
    if (held != multiplier)
        ReportError("deck %d: frequency multiplier %g is held to %g", int(number), double(multiplier), double(held));
    deck->frequency = held;
}

void MixingCore::PrepareDeck(int32_t) {}

bool MixingCore::StartPlaying(int32_t number, Deck& deck, int32_t times) {
    StreamRecord* stream = deck.stream;
    if (deck.open && stream->close != nullptr) stream->close(stream);  // played again from the start
    deck.open = false;
    stream->loopsLeft = times < 1 ? 0 : times - 1;
    if (stream->open(stream) != 0) {
        ReportError("deck %d: the stream could not be opened", int(number));
        EndDeck(deck);
        return false;
    }
    deck.open = true;
    const std::string problem = deck.voice.Start(*stream);
    if (!problem.empty()) {
        ReportError("deck %d: %s", int(number), problem.c_str());
        EndDeck(deck);
        return false;
    }
    deck.state = DeckState::Playing;
    ++stats_.playsStarted;
    if (!played_[size_t(number)]) {
        played_[size_t(number)] = true;
        ++stats_.decksUsed;
    }
    return true;
}

void MixingCore::PlayDeck(int32_t number, int32_t times) {
    Deck* deck = DeckAt(number);
    if (deck == nullptr || deck->stream == nullptr) return;
    StartPlaying(number, *deck, times);
}

void MixingCore::GiveBackIdleDecks() {
    for (Deck& deck : decks_)
        if (deck.state == DeckState::Allocated) EndDeck(deck);
}

void MixingCore::StopAll() {
    for (Deck& deck : decks_)
        if (deck.state != DeckState::Free) EndDeck(deck);
}

int32_t MixingCore::playingDecks() const {
    return int32_t(std::count_if(decks_.begin(), decks_.end(),
                                 [](const Deck& deck) { return deck.state == DeckState::Playing; }));
}

int64_t MixingCore::estimatedRemainingMs() const {
    int64_t longest = 0;
    for (const Deck& deck : decks_) {
        if (deck.state != DeckState::Playing || deck.stream->lengthMs <= 0 || deck.stream->loopsLeft < 0) continue;
        const double passes = double(deck.stream->loopsLeft) + 1.0;
        longest = std::max(longest, int64_t(double(deck.stream->lengthMs) * passes / double(deck.frequency)));
    }
    return longest;
}

// --- Mixing

void MixingCore::Render(int16_t* out, size_t frames) {
    GiveBackIdleDecks();
    while (frames > 0) {
        const size_t block = std::min(frames, kBlockFrames);
        std::fill(mix_.begin(), mix_.begin() + 2 * block, 0.0f);
        int32_t playing = 0;
        for (Deck& deck : decks_) {
            if (deck.state != DeckState::Playing) continue;
            ++playing;
            const StreamRecord& stream = *deck.stream;
            const double step = double(stream.sampleRate) * double(deck.frequency) / double(kOutputRate);
            const size_t produced = deck.voice.MixInto(*deck.stream, mix_.data(), block, step,
                                                       PanGains(deck.volume, deck.pan, stream.channels));
            if (produced > 0) stats_.soundEndFrame = std::max(stats_.soundEndFrame, stats_.framesRendered + produced);
            if (deck.voice.exhausted()) EndDeck(deck);
        }
        stats_.mostAtOnce = std::max(stats_.mostAtOnce, playing);
        for (size_t i = 0; i < 2 * block; ++i) {
            stats_.peak = std::max(stats_.peak, std::fabs(mix_[i]));
            out[i] = ClipToSample(mix_[i], stats_.clippedSamples);
        }
        stats_.framesRendered += block;
        out += 2 * block;
        frames -= block;
    }
}

// --- Engineers

bool MixingCore::Adopt(void* runData, size_t runDataSize) {
    if (runData == nullptr || runDataSize < sizeof(ObjectHeader) + kContractBytes) return false;
    auto* end = static_cast<uint8_t*>(runData) + runDataSize;
    int32_t tag;
    uint32_t magic;
    EngineerRecord* record;
    std::memcpy(&tag, end - kTagFromEnd, sizeof tag);
    std::memcpy(&magic, end - kMagicFromEnd, sizeof magic);
    std::memcpy(&record, end - kEngineerFromEnd, sizeof record);
    if (tag != vek::kEngineerTag || magic != vek::kRunDataEngineerMagic || record == nullptr) return false;
    if (!HasMagic(record->magic, vek::kEngineerMagic)) return false;
    AudioCore* self = this;
    std::memcpy(end - kCoreFromEnd, &self, sizeof self);
    record->core = this;
    if (record->registerExtensions != nullptr) record->registerExtensions(record);
    return true;
}

void MixingCore::ForgetObject(const void* runData) {
    registrations_.erase(std::remove_if(registrations_.begin(), registrations_.end(),
                                        [&](const Registration& r) { return r.owner == runData; }),
                         registrations_.end());
}

void MixingCore::RegisterEngineer(EngineerRecord* engineer) {
    // The engineer may make streams for the files it registered; their
    // errors need a core to go to.
    if (engineer != nullptr) engineer->core = this;
}

void MixingCore::UnregisterEngineer(EngineerRecord* engineer) {
    if (engineer == nullptr) return;
    // Every record of the same engineer object goes: an engineer replaces its
    // file types with a fresh record.
    const void* owner = OwnerOf(engineer);
    registrations_.erase(std::remove_if(registrations_.begin(), registrations_.end(),
                                        [&](const Registration& r) {
                                            return r.record == engineer || (owner != nullptr && r.owner == owner);
                                        }),
                         registrations_.end());
}

void MixingCore::AddEngineerExtension(EngineerRecord* engineer, const char* extension) {
    if (engineer == nullptr || extension == nullptr) return;
    engineer->core = this;
    std::string key = Lower(extension);
    const void* owner = OwnerOf(engineer);
    registrations_.erase(std::remove_if(registrations_.begin(), registrations_.end(),
                                        [&](const Registration& r) {
                                            const bool sameEngineer =
                                                r.record == engineer || (owner != nullptr && r.owner == owner);
                                            return sameEngineer && r.extension == key;
                                        }),
                         registrations_.end());
    registrations_.push_back({std::move(key), engineer, owner});
}

EngineerRecord* MixingCore::FindEngineer(const char* path, const char* extensionMask) {
    if (path == nullptr) path = "";
    const bool masked = extensionMask != nullptr && extensionMask[0] != '\0';
    const std::string extension = masked ? Lower(extensionMask) : ExtensionOfPath(path);
    EngineerRecord* answer = nullptr;
    if (!extension.empty()) {
        for (auto it = registrations_.rbegin(); it != registrations_.rend(); ++it) {
            if (it->extension == extension) {
                answer = it->record;
                break;
            }
        }
    }
    lookups_.push_back({path, masked ? extensionMask : "", answer});
    return answer;
}

}  // namespace vekhost
