#include "tools/vekhost/SceneFormat.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace vekhost {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

// A line's failure: the message, without the place.
struct LineError {
    std::string message;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits a line into words and quoted texts, dropping a comment. In quotes
// \" stands for a double quote and \\ for a backslash; other backslashes stay.
bool Tokenize(const std::string& line, std::vector<Token>& tokens, LineError& error) {
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Token token;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i];
                if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    token.text += line[i + 1];
                    i += 2;
                    continue;
                }
                token.text += c;
                ++i;
            }
            if (!closed) {
                error.message = "a quoted text is not closed (expected a closing \")";
                return false;
            }
            if (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
                error.message = "expected a blank after the closing quote of \"" + token.text + "\"";
                return false;
            }
        } else {
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '#') token.text += line[i++];
        }
        tokens.push_back(token);
    }
    return true;
}

bool IsWord(const Token& token, const char* word) { return !token.quoted && token.text == word; }

bool ParseInteger(const std::string& text, int64_t low, int64_t high, int64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (size_t j = i; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j]))) return false;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string TypesText(const std::vector<int16_t>& types) {
    std::string out;
    for (size_t i = 0; i < types.size(); ++i) out += (i == 0 ? "" : ", ") + TypeName(types[i]);
    return out;
}

bool IsAbsolute(const std::string& path) {
    if (path.empty()) return false;
    if (path[0] == '/' || path[0] == '\\') return true;
    return path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           (path[2] == '/' || path[2] == '\\');
}

class SceneReader {
public:
    SceneReader(const std::string& scenePath, const std::vector<EngineerDescription>& engineers,
                const FileCheck& fileExists, Scene& scene)
        : folder_(FolderOf(scenePath)), engineers_(engineers), fileExists_(fileExists), scene_(scene) {}

    bool ReadLine(int number, const std::vector<Token>& tokens, LineError& error) {
        if (IsWord(tokens[0], "object")) return ReadObjectLine(number, tokens, error);
        SceneEvent event;
        event.line = number;
        if (!ReadTime(tokens[0], event.timeMs, error)) return false;
        if (tokens.size() < 2) return Fail(error, "expected an object name, \"frame\" or \"end\" after the time");
        if (IsWord(tokens[1], "frame") || IsWord(tokens[1], "end")) {
            if (tokens.size() > 2) return Fail(error, "expected nothing after \"" + tokens[1].text + "\"");
            event.kind = IsWord(tokens[1], "frame") ? EventKind::Frame : EventKind::End;
        } else if (!ReadCall(tokens, event, error)) {
            return false;
        }
        return AddEvent(event, error);
    }

private:
    static bool Fail(LineError& error, const std::string& message) {
        error.message = message;
        return false;
    }

    bool ReadTime(const Token& token, int64_t& timeMs, LineError& error) {
        int64_t value;
        if (token.quoted || !ParseInteger(token.text, 0, kMaxSceneMs, value))
            return Fail(error, "expected a time in milliseconds from 0 to " + std::to_string(kMaxSceneMs) +
                                   " or \"object\", found " + Quoted(token.text));
        timeMs = value;
        return true;
    }

    bool FindEngineer(const Token& token, size_t& index, LineError& error) {
        for (size_t i = 0; i < engineers_.size(); ++i) {
            if (NamesEngineer(engineers_[i], token.text)) {
                index = i;
                return true;
            }
        }
        std::string known;
        for (const EngineerDescription& e : engineers_) known += (known.empty() ? "" : ", ") + Quoted(e.name);
        return Fail(error, "unknown object " + Quoted(token.text) + " (expected an engineer's name: " + known + ")");
    }

    bool ReadCall(const std::vector<Token>& tokens, SceneEvent& event, LineError& error) {
        if (!FindEngineer(tokens[1], event.engineer, error)) return false;
        if (tokens.size() < 3) return Fail(error, "expected an action or expression of " + Quoted(tokens[1].text));
        std::string why;
        event.ace = FindAce(engineers_[event.engineer], tokens[2].text, why);
        if (event.ace == nullptr) return Fail(error, why);
        if (!event.ace->typesKnown)
            return Fail(error, "the parameters of " + Quoted(event.ace->Title()) + " are not known to this host");
        event.kind = event.ace->expression ? EventKind::Expression : EventKind::Action;
        const std::vector<int16_t>& types = event.ace->paramTypes;
        const size_t given = tokens.size() - 3;
        if (given != types.size())
            return Fail(error, Quoted(event.ace->Title()) + " takes " + std::to_string(types.size()) + " parameter" +
                                   (types.size() == 1 ? "" : "s") +
                                   (types.empty() ? "" : " (" + TypesText(types) + ")") + ", found " +
                                   std::to_string(given));
        for (size_t i = 0; i < types.size(); ++i) {
            SceneValue value;
            if (!ReadValue(tokens[3 + i], types[i], i + 1, *event.ace, value, error)) return false;
            event.params.push_back(value);
        }
        return true;
    }

    bool ReadValue(const Token& token, int16_t type, size_t position, const AceEntry& ace, SceneValue& value,
                   LineError& error) {
        value.type = type;
        const std::string where = "parameter " + std::to_string(position) + " of " + Quoted(ace.Title());
        switch (type) {
            case kTypeInteger: {
                int64_t number;
                if (token.quoted || !ParseInteger(token.text, INT32_MIN, INT32_MAX, number))
                    return Fail(error, where + " must be an integer, found " + Quoted(token.text));
                value.integer = int32_t(number);
                return true;
            }
            case kTypeFile: {
                value.text = ResolveFrom(folder_, token.text);
                if (token.text.empty()) return Fail(error, where + " must name a sound file");
                if (value.text.size() > kMaxTextChars)
                    return Fail(error, where + " is a path of more than " + std::to_string(kMaxTextChars) +
                                           " characters: " + Quoted(value.text));
                if (!fileExists_(value.text)) {
                    const std::string lookedFor =
                        value.text != token.text ? " (looked for " + Quoted(value.text) + ")" : "";
                    return Fail(error, "sound file not found: " + Quoted(token.text) + lookedFor);
                }
                return true;
            }
            case kTypeText:
            case kTypeExpressionText:
                value.text = token.text;
                if (value.text.size() > kMaxTextChars)
                    return Fail(error, where + " is longer than " + std::to_string(kMaxTextChars) + " characters");
                return true;
            default:
                return Fail(error,
                            where + " has parameter type " + std::to_string(type) + ", which this host cannot serve");
        }
    }

    bool ReadObjectLine(int number, const std::vector<Token>& tokens, LineError& error) {
        if (!scene_.events.empty()) return Fail(error, "\"object\" lines must come before the first event");
        ObjectSetup setup;
        setup.line = number;
        if (tokens.size() < 2) return Fail(error, "expected an object name after \"object\"");
        if (!FindEngineer(tokens[1], setup.engineer, error)) return false;
        size_t i = 2;
        while (i < tokens.size()) {
            const Token& key = tokens[i];
            if (IsWord(key, "filetypes") && i + 1 < tokens.size()) {
                setup.hasFiletypes = true;
                setup.filetypes = tokens[i + 1].text;
            } else if (IsWord(key, "cache") && i + 1 < tokens.size() &&
                       (IsWord(tokens[i + 1], "on") || IsWord(tokens[i + 1], "off"))) {
                setup.hasCache = true;
                setup.cacheAtStartup = IsWord(tokens[i + 1], "on");
            } else {
                return Fail(error, "expected filetypes TEXT or cache on|off, found " + Quoted(key.text));
            }
            i += 2;
        }
        scene_.setups.push_back(setup);
        return true;
    }

    bool AddEvent(const SceneEvent& event, LineError& error) {
        if (!scene_.events.empty()) {
            const SceneEvent& previous = scene_.events.back();
            if (previous.kind == EventKind::End) return Fail(error, "nothing may follow the \"end\" line");
            if (event.timeMs < previous.timeMs)
                return Fail(error, "time " + std::to_string(event.timeMs) + " comes before the previous event's " +
                                       std::to_string(previous.timeMs) + " (expected times in order)");
        }
        scene_.events.push_back(event);
        return true;
    }

    std::string folder_;
    const std::vector<EngineerDescription>& engineers_;
    const FileCheck& fileExists_;
    Scene& scene_;
};

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t at = path.find_last_of("/\\");
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string ResolveFrom(const std::string& folder, const std::string& path) {
    return IsAbsolute(path) ? path : folder + path;
}

std::string ValueText(const SceneValue& value) {
    if (value.type == kTypeInteger) return std::to_string(value.integer);
    return Quoted(value.text);
}

bool ParseScene(const std::string& text, const std::string& scenePath,
                const std::vector<EngineerDescription>& engineers, const FileCheck& fileExists, Scene& scene,
                std::string& error) {
    scene = Scene{};
    scene.path = scenePath;
    SceneReader reader(scenePath, engineers, fileExists, scene);
    // Editors on Windows like to begin a text file with a byte-order mark.
    size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int number = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        ++number;
        std::vector<Token> tokens;
        LineError problem;
        const bool ok = Tokenize(line, tokens, problem) && (tokens.empty() || reader.ReadLine(number, tokens, problem));
        if (!ok) {
            error = scenePath + ":" + std::to_string(number) + ": " + problem.message;
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace vekhost
