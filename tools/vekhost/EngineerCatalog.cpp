#include "tools/vekhost/EngineerCatalog.h"

#include <cctype>
#include <cstdlib>

#include "advsound/AdvSoundEngineer.h"
#include "engineer/Boundary.h"
#include "wave/WaveEngineer.h"

namespace vekhost {

namespace {

constexpr uint32_t kAdvancedSound = vek::FourCC('V', 'E', 'A', 'S');
constexpr uint32_t kWave = vek::FourCC('V', 'E', 'W', 'V');

// What the host knows of each engineer's entries beyond what the library
// answers: the editor's menu names and the display texts. Parameter types
// here are used only when the library's Infos export gives none (the Wave
// engineer's are inert).
struct KnownAce {
    uint32_t identifier;
    bool expression;
    int16_t code;
    const char* displayText;
    const char* menuPath;
    AceRole role;
    int paramCount;
    int16_t paramTypes[5];
};

const KnownAce kKnownAces[] = {
    {kAdvancedSound, false, 0, "Add Sound %0 to cache with ID %1", "Add Sound to Cache", AceRole::AddToCache, 2,
     {kTypeFile, kTypeText}},
    {kAdvancedSound, false, 1, "Play Sound ID %0", "Play Sound (simple)", AceRole::Play, 1, {kTypeText}},
    {kAdvancedSound, false, 2, "Play Sound ID %0 looping %1 times", "Play Sound Looped (simple)", AceRole::Play, 2,
     {kTypeText, kTypeInteger}},
    {kAdvancedSound, false, 3, "Play Sound ID %0 with volume %1 and pan %2", "Play Sound (w/ vol & pan)",
     AceRole::Play, 3, {kTypeText, kTypeInteger, kTypeInteger}},
    {kAdvancedSound, false, 4, "Play Sound ID %0 with volume %1 and pan %2 looping %3 times",
     "Play Sound Looped (w/ vol & pan)", AceRole::Play, 4, {kTypeText, kTypeInteger, kTypeInteger, kTypeInteger}},
    {kAdvancedSound, false, 5, "Add Sound %0 to cache with ID %1 and extension mask %2",
     "Add Sound to Cache (masked extension)", AceRole::AddToCache, 3, {kTypeFile, kTypeText, kTypeText}},
    {kAdvancedSound, false, 6, "Enable Caching", "Traditional Engineer Options > Enable Caching", AceRole::Other, 0,
     {}},
    {kAdvancedSound, false, 7, "Disable Caching", "Traditional Engineer Options > Disable Caching", AceRole::Other, 0,
     {}},
    {kAdvancedSound, false, 8, "Set Engineer Filetypes", "Traditional Engineer Options > Set Filetypes",
     AceRole::Other, 1, {kTypeText}},
    {kAdvancedSound, false, 9, "Play Sound ID %0 at Frequency * %1",
     "Play With Altered Frequency > Play Sound (simple)", AceRole::Play, 2, {kTypeText, kTypeInteger}},
    {kAdvancedSound, false, 10, "Play Sound ID %0 looping %1 times with Frequency * %2",
     "Play With Altered Frequency > Play Sound Looped (simple)", AceRole::Play, 3,
     {kTypeText, kTypeInteger, kTypeInteger}},
    {kAdvancedSound, false, 11, "Play Sound ID %0 with volume %1 and pan %2 with Frequency * %3",
     "Play With Altered Frequency > Play Sound (w/ vol & pan)", AceRole::Play, 4,
     {kTypeText, kTypeInteger, kTypeInteger, kTypeInteger}},
    {kAdvancedSound, false, 12, "Play Sound ID %0 with volume %1 and pan %2 looping %3 times with Frequency * %4",
     "Play With Altered Frequency > Play Sound Looped (w/ vol & pan)", AceRole::Play, 5,
     {kTypeText, kTypeInteger, kTypeInteger, kTypeInteger, kTypeInteger}},
    {kAdvancedSound, true, 0, "SoundIDLastDeck(", "Last Deck of a Played Sound", AceRole::Other, 1,
     {kTypeExpressionText}},
    {kWave, false, 0, "Set Engineer Filetypes", nullptr, AceRole::Other, 1, {kTypeText}},
    {kWave, false, 1, "Enable Caching", nullptr, AceRole::Other, 0, {}},
    {kWave, false, 2, "Disable Caching", nullptr, AceRole::Other, 0, {}},
};

struct KnownDefaults {
    uint32_t identifier;
    StoredDefaults defaults;
};

// The Advanced Sound engineer's editor fills new objects with ".wav .aiff";
// the Wave engineer has no editor, and plays wave files.
const KnownDefaults kKnownDefaults[] = {
    {kAdvancedSound, {vek::kAdvSoundDefaultExtensionList, false}},
    {kWave, {vek::kWaveDefaultExtensionList, false}},
};

const KnownAce* FindKnown(uint32_t identifier, bool expression, int16_t code) {
    for (const KnownAce& known : kKnownAces)
        if (known.identifier == identifier && known.expression == expression && known.code == code) return &known;
    return nullptr;
}

constexpr int kMaxDeclaredParams = 9;

std::string Lower(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string LastMenuItem(const std::string& path) {
    const size_t at = path.rfind(kMenuSeparator);
    return at == std::string::npos ? path : path.substr(at + std::string(kMenuSeparator).size());
}

// "12" -> 12; anything but plain digits -> -1.
int CodeOf(const std::string& text) {
    if (text.empty() || text.size() > 4) return -1;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    return std::atoi(text.c_str());
}

const AceEntry* ByCode(const std::vector<AceEntry>& entries, int code) {
    for (const AceEntry& entry : entries)
        if (entry.code == code) return &entry;
    return nullptr;
}

bool StartsWith(const std::string& text, const char* prefix) { return Lower(text).rfind(prefix, 0) == 0; }

}  // namespace

std::string AceEntry::Title() const {
    if (!menuPath.empty()) return menuPath;
    if (!displayText.empty()) return displayText;
    return std::string(expression ? "expression:" : "action:") + std::to_string(code);
}

std::string TypeName(int16_t type) {
    switch (type) {
        case kTypeFile: return "file";
        case kTypeText:
        case kTypeExpressionText: return "text";
        case kTypeInteger: return "integer";
        default: return "type " + std::to_string(type);
    }
}

AceEntry DescribeAce(uint32_t identifier, bool expression, int16_t code, const uint16_t* infos) {
    AceEntry entry;
    entry.expression = expression;
    entry.code = code;
    const KnownAce* known = FindKnown(identifier, expression, code);
    if (known != nullptr) {
        entry.displayText = known->displayText;
        if (known->menuPath != nullptr) entry.menuPath = known->menuPath;
        entry.role = known->role;
    }
    if (infos != nullptr && int16_t(infos[0]) == code && infos[2] <= kMaxDeclaredParams) {
        entry.paramTypes.assign(infos + 3, infos + 3 + infos[2]);
        entry.typesKnown = true;
    } else if (known != nullptr) {
        entry.paramTypes.assign(known->paramTypes, known->paramTypes + known->paramCount);
        entry.typesKnown = true;
    }
    return entry;
}

StoredDefaults DefaultStoredData(uint32_t identifier) {
    for (const KnownDefaults& known : kKnownDefaults)
        if (known.identifier == identifier) return known.defaults;
    return {"", false};
}

const AceEntry* FindAce(const EngineerDescription& engineer, const std::string& name, std::string& why) {
    const std::string lower = Lower(name);
    if (StartsWith(name, "expression:") || StartsWith(name, "action:") || CodeOf(name) >= 0) {
        const bool expression = StartsWith(name, "expression:");
        const std::string digits = CodeOf(name) >= 0 ? name : name.substr(name.find(':') + 1);
        const int code = CodeOf(digits);
        const AceEntry* entry = code < 0 ? nullptr : ByCode(expression ? engineer.expressions : engineer.actions, code);
        if (entry == nullptr)
            why = engineer.name + " has no " + (expression ? "expression" : "action") + " with code " + digits;
        return entry;
    }
    for (const auto* list : {&engineer.actions, &engineer.expressions})
        for (const AceEntry& entry : *list)
            if (Lower(entry.displayText) == lower || (!entry.menuPath.empty() && Lower(entry.menuPath) == lower))
                return &entry;
    const AceEntry* found = nullptr;
    int matches = 0;
    for (const auto* list : {&engineer.actions, &engineer.expressions}) {
        for (const AceEntry& entry : *list) {
            if (entry.menuPath.empty() || Lower(LastMenuItem(entry.menuPath)) != lower) continue;
            found = &entry;
            ++matches;
        }
    }
    if (matches == 1) return found;
    if (matches > 1)
        why = "\"" + name + "\" is in more than one menu of " + engineer.name + "; give its menu path";
    else
        why = engineer.name + " has no action or expression \"" + name +
              "\" (expected a menu name, a display text or a code)";
    return nullptr;
}

bool NamesEngineer(const EngineerDescription& engineer, const std::string& name) {
    const std::string lower = Lower(name);
    if (lower == Lower(engineer.name) || lower == Lower(engineer.file)) return true;
    const size_t dot = engineer.file.rfind('.');
    return dot != std::string::npos && lower == Lower(engineer.file.substr(0, dot));
}

}  // namespace vekhost
