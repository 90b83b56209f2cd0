// Scenes: a game's sound events over time, one a line, read and checked
// against the loaded engineers before anything runs. SCENES.md describes
// the format.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/vekhost/EngineerCatalog.h"

namespace vekhost {

// The longest scene, and so the longest render: ten minutes.
constexpr int64_t kMaxSceneMs = 10 * 60 * 1000;
// Paths and texts go into fixed fields of 260 characters.
constexpr size_t kMaxTextChars = 259;

enum class EventKind { Action, Expression, Frame, End };

struct SceneValue {
    int16_t type = 0;
    std::string text;      // file (resolved from the scene's folder) or text
    int32_t integer = 0;
};

struct SceneEvent {
    EventKind kind = EventKind::Action;
    int line = 0;
    int64_t timeMs = 0;
    size_t engineer = 0;      // index into the engineers the scene was read against
    const AceEntry* ace = nullptr;
    std::vector<SceneValue> params;
};

// What the host stores for an engineer's object, as an `object` line sets it.
struct ObjectSetup {
    int line = 0;
    size_t engineer = 0;
    bool hasFiletypes = false;
    std::string filetypes;
    bool hasCache = false;
    bool cacheAtStartup = false;
};

struct Scene {
    std::string path;
    std::vector<ObjectSetup> setups;
    std::vector<SceneEvent> events;
};

// Whether a file can be read; the parser asks before anything is played.
using FileCheck = std::function<bool(const std::string& path)>;

// Reads a scene's text. On a malformed line answers false with
// "PATH:LINE: what was expected" in `error`.
bool ParseScene(const std::string& text, const std::string& scenePath,
                const std::vector<EngineerDescription>& engineers, const FileCheck& fileExists, Scene& scene,
                std::string& error);

// The folder part of a path, with its trailing separator; empty for a bare name.
std::string FolderOf(const std::string& path);
// A path as seen from `folder`, unless it is absolute already.
std::string ResolveFrom(const std::string& folder, const std::string& path);

// A scene value as a scene would write it: texts quoted, integers bare.
std::string ValueText(const SceneValue& value);

}  // namespace vekhost
