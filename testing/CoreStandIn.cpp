#include "testing/CoreStandIn.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace vek::testing {

namespace {
std::string Lower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ExtensionOf(const char* path) {
    const char* dot = std::strrchr(path, '.');
    const char* slash = std::strrchr(path, '/');
    const char* backslash = std::strrchr(path, '\\');
    if (dot == nullptr || (slash != nullptr && slash > dot) || (backslash != nullptr && backslash > dot)) return {};
    return dot + 1;
}
}  // namespace

std::string CoreCall::ToString() const {
    std::string out = op;
    char number[32];
    for (int32_t value : ints) {
        std::snprintf(number, sizeof number, " %d", value);
        out += number;
    }
    for (float value : floats) {
        std::snprintf(number, sizeof number, " %g", double(value));
        out += number;
    }
    if (!text.empty()) out += " " + text;
    return out;
}

CoreStandIn::~CoreStandIn() {
    for (auto& [deck, stream] : attached_)
        if (stream != nullptr && stream->release != nullptr) stream->release(stream);
}

int32_t CoreStandIn::GetVersion() {
    calls_.push_back({"GetVersion"});
    return version;
}

void CoreStandIn::AttachStream(int32_t deck, StreamRecord* stream) {
    calls_.push_back({"AttachStream", {deck}, {}, stream});
    auto old = attached_.find(deck);
    if (old != attached_.end() && old->second != nullptr && old->second->release != nullptr)
        old->second->release(old->second);
    if (stream != nullptr) stream->deck = deck;
    attached_[deck] = stream;
}

void CoreStandIn::SetDeckPan(int32_t deck, float pan) { calls_.push_back({"SetDeckPan", {deck}, {pan}}); }

void CoreStandIn::SetDeckVolume(int32_t deck, float volume) {
    calls_.push_back({"SetDeckVolume", {deck}, {volume}});
}

int32_t CoreStandIn::ReportError(const char* format, ...) {
    char message[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    errors_.push_back(message);
    errorFormats_.push_back(format);
    calls_.push_back({"ReportError", {}, {}, nullptr, message});
    return 0;
}

void CoreStandIn::RegisterEngineer(EngineerRecord* engineer) {
    calls_.push_back({"RegisterEngineer", {}, {}, engineer});
}

void CoreStandIn::UnregisterEngineer(EngineerRecord* engineer) {
    calls_.push_back({"UnregisterEngineer", {}, {}, engineer});
    for (auto it = extensions_.begin(); it != extensions_.end();)
        it = it->second == engineer ? extensions_.erase(it) : std::next(it);
}

void CoreStandIn::AddEngineerExtension(EngineerRecord* engineer, const char* extension) {
    calls_.push_back({"AddEngineerExtension", {}, {}, engineer, extension});
    extensions_[Lower(extension)] = engineer;
}

void CoreStandIn::PrepareDeck(int32_t deck) { calls_.push_back({"PrepareDeck", {deck}}); }

EngineerRecord* CoreStandIn::FindEngineer(const char* path, const char* extensionMask) {
    calls_.push_back({"FindEngineer", {}, {}, nullptr,
                      std::string(path) + (extensionMask != nullptr ? std::string(" mask=") + extensionMask : "")});
    if (findOverride != nullptr) return findOverride;
    const std::string extension = Lower(extensionMask != nullptr ? extensionMask : ExtensionOf(path));
    auto it = extensions_.find(extension);
    return it == extensions_.end() ? nullptr : it->second;
}

void CoreStandIn::PlayDeck(int32_t deck, int32_t times) { calls_.push_back({"PlayDeck", {deck, times}}); }

int32_t CoreStandIn::AllocateDeck() {
    calls_.push_back({"AllocateDeck"});
    if (freeDecks.empty()) return -1;
    const int32_t deck = freeDecks.front();
    freeDecks.erase(freeDecks.begin());
    return deck;
}

void CoreStandIn::SetDeckFrequency(int32_t deck, float multiplier) {
    calls_.push_back({"SetDeckFrequency", {deck}, {multiplier}});
}

void CoreStandIn::Adopt(void* runData, size_t runDataSize) {
    auto* tail = reinterpret_cast<uint8_t*>(runData) + runDataSize - 16;
    AudioCore* self = this;
    std::memcpy(tail, &self, sizeof self);
    EngineerRecord* engineer = nullptr;
    std::memcpy(&engineer, tail + 4, sizeof engineer);
    if (engineer == nullptr) return;
    engineer->core = this;
    engineer->registerExtensions(engineer);
}

std::vector<std::string> CoreStandIn::CallStrings() const {
    std::vector<std::string> out;
    for (const CoreCall& call : calls_) out.push_back(call.ToString());
    return out;
}

}  // namespace vek::testing
