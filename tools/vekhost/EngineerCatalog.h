// What a loaded engineer offers a scene: its name and its actions and
// expressions, each with the names a scene may call it by and the parameter
// types the library declares.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vekhost {

// Host parameter-type codes.
constexpr int16_t kTypeFile = 40;
constexpr int16_t kTypeText = 45;
constexpr int16_t kTypeInteger = 22;
constexpr int16_t kTypeExpressionText = 3;

// Between a popup's name and an item's name in a menu path.
constexpr const char* kMenuSeparator = " > ";

// What the host follows an entry for in its account of a render.
enum class AceRole { Other, AddToCache, Play };

struct AceEntry {
    bool expression = false;
    int16_t code = 0;
    std::string displayText;  // empty when the host does not know it
    std::string menuPath;     // "Play With Altered Frequency > Play Sound (simple)"; may be empty
    std::vector<int16_t> paramTypes;
    bool typesKnown = false;
    AceRole role = AceRole::Other;

    // The name a message shows: the menu path, else the display text, else the code.
    std::string Title() const;
};

struct EngineerDescription {
    std::string name;  // as VekGrabInfos reports it
    std::string file;  // library file name
    uint32_t identifier = 0;
    std::vector<AceEntry> actions;
    std::vector<AceEntry> expressions;
};

// An entry as the host sees it: the names this host knows for the engineer's
// code, and the parameter types from the library's Infos answer (code, flags,
// n, n types ...) or, when the library gives none, from the host's own table.
AceEntry DescribeAce(uint32_t identifier, bool expression, int16_t code, const uint16_t* infos);

// The stored data an engineer object starts with when a scene says nothing.
struct StoredDefaults {
    const char* filetypes;
    bool cacheAtStartup;
};
StoredDefaults DefaultStoredData(uint32_t identifier);

// Finds an entry by name: "action:N" or a plain N (action code), "expression:N",
// a display text or a menu path, or the last item of a menu path when no other
// entry shares it. Letter case does not matter. Null with `why` filled when
// nothing (or more than one entry) answers.
const AceEntry* FindAce(const EngineerDescription& engineer, const std::string& name, std::string& why);

// Whether a scene's name for an object names this engineer: its reported name
// or its file name with or without the extension, in any letter case.
bool NamesEngineer(const EngineerDescription& engineer, const std::string& name);

std::string TypeName(int16_t type);

}  // namespace vekhost
