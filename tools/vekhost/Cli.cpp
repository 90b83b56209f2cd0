#include "tools/vekhost/Cli.h"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/Platform.h"
#include "tools/vekhost/PendingOutput.h"
#include "tools/vekhost/PluginTable.h"
#include "tools/vekhost/ProgressBar.h"
#include "tools/vekhost/SceneRun.h"
#include "tools/vekhost/SoundFiles.h"
#include "tools/vekhost/StreamProbe.h"
#include "tools/vekhost/WaveformPicture.h"

namespace vekhost {

namespace {

constexpr const char* kDefaultExtensions = "dist/Extensions";
constexpr int32_t kDefaultDecks = 32;
constexpr int32_t kMostDecks = 256;
constexpr size_t kWriteChunkFrames = 16384;

int Usage(std::FILE* err) {
    std::fprintf(err,
                 "usage: vekhost [info] [--extensions DIR]\n"
                 "       vekhost render SCENE -o OUT.wav [--png OUT.png] [--extensions DIR] [--decks N]\n"
                 "       vekhost check FILE... [--extensions DIR]\n");
    return kExitUsage;
}

int Fail(std::FILE* err, const std::string& message) {
    std::fprintf(err, "vekhost: %s\n", message.c_str());
    return kExitFailure;
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += vek::platform::PathSeparator();
    return folder;
}

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) error = "read error";
    return !failed;
}

bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// Loads the engineers and notes the libraries left out.
bool LoadHost(SceneHost& host, const std::string& extensions, std::FILE* err) {
    std::string error;
    if (!host.LoadEngineers(WithSeparator(extensions), error)) {
        Fail(err, error);
        return false;
    }
    for (const std::string& skipped : host.skipped()) std::fprintf(err, "vekhost: note: skipped %s\n", skipped.c_str());
    return true;
}

// --- render

struct RenderArgs {
    std::string scene;
    std::string output;
    std::string picture;
    std::string extensions = kDefaultExtensions;
    int32_t decks = kDefaultDecks;
};

bool ParseRenderArgs(const std::vector<std::string>& args, RenderArgs& parsed) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-o" && hasValue) {
            parsed.output = args[++i];
        } else if (arg == "--png" && hasValue) {
            parsed.picture = args[++i];
        } else if (arg == "--extensions" && hasValue) {
            parsed.extensions = args[++i];
        } else if (arg == "--decks" && hasValue) {
            const std::string& value = args[++i];
            char* end = nullptr;
            const long decks = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || decks < 1 || decks > kMostDecks) return false;
            parsed.decks = int32_t(decks);
        } else if (!arg.empty() && arg[0] != '-' && parsed.scene.empty()) {
            parsed.scene = arg;
        } else {
            return false;
        }
    }
    return !parsed.scene.empty() && !parsed.output.empty();
}

bool WriteWave(PendingOutput& file, const std::vector<int16_t>& samples, std::string& error) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    if (!file.Write(WaveHeader(kOutputRate, 16, 2, dataBytes), error)) return false;
    std::vector<int16_t> chunk;
    for (size_t at = 0; at < samples.size(); at += 2 * kWriteChunkFrames) {
        const size_t end = std::min(samples.size(), at + 2 * kWriteChunkFrames);
        chunk.assign(samples.begin() + std::ptrdiff_t(at), samples.begin() + std::ptrdiff_t(end));
        if (!file.Write(SampleBytes16(chunk), error)) return false;
    }
    return true;
}

std::string PeakText(float peak) {
    if (peak <= 0.0f) return "silent";
    char text[64];
    std::snprintf(text, sizeof text, "%.1f dBFS (%.0f of 32767)", 20.0 * std::log10(double(peak) / 32768.0),
                  double(peak));
    return text;
}

void PrintSummary(std::FILE* out, const RenderArgs& args, const RenderOutcome& outcome, int32_t decks) {
    std::fprintf(out, "vekhost: rendered %s into %s (%.3f s, 44.1 kHz 16-bit stereo)%s%s\n", args.scene.c_str(),
                 args.output.c_str(), double(outcome.lengthMs()) / 1000.0,
                 args.picture.empty() ? "" : ", picture in ", args.picture.c_str());
    std::fprintf(out, "  events run:       %d (%d frame change%s)\n", outcome.eventsRun, outcome.framesStarted,
                 outcome.framesStarted == 1 ? "" : "s");
    std::fprintf(out, "  sounds cached:    %d\n", int(outcome.cached.size()));
    for (const CachedSound& sound : outcome.cached)
        std::fprintf(out, "    \"%s\" from %s via %s: %s\n", sound.id.c_str(), sound.file.c_str(),
                     sound.engineer.empty() ? "an engineer no longer present" : sound.engineer.c_str(),
                     sound.delivers.c_str());
    const MixStats& stats = outcome.stats;
    std::fprintf(out, "  decks used:       %d of %d (at most %d at once, %d play%s)\n", stats.decksUsed, int(decks),
                 stats.mostAtOnce, stats.playsStarted, stats.playsStarted == 1 ? "" : "s");
    std::fprintf(out, "  peak level:       %s\n", PeakText(stats.peak).c_str());
    std::fprintf(out, "  clipped samples:  %llu\n", static_cast<unsigned long long>(stats.clippedSamples));
    if (outcome.errors.empty()) {
        std::fprintf(out, "  errors reported:  none\n");
    } else {
        std::fprintf(out, "  errors reported:  %d\n", int(outcome.errors.size()));
        for (const CoreError& e : outcome.errors)
            std::fprintf(out, "    %s %s\n", TimeStamp(e.timeMs).c_str(), e.message.c_str());
    }
    for (const std::string& note : outcome.notes) std::fprintf(out, "  host note: %s\n", note.c_str());
    if (outcome.cutShort)
        std::fprintf(out, "  the render stopped at %.0f s with decks still playing (an \"end\" line sets the length)\n",
                     double(kMaxSceneMs) / 1000.0);
}

int Render(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    RenderArgs parsed;
    if (!ParseRenderArgs(args, parsed)) return Usage(err);
    std::string text, error;
    if (!ReadWholeFile(parsed.scene, text, error)) return Fail(err, "cannot read scene " + parsed.scene + ": " + error);
    SceneHost host;
    if (!LoadHost(host, parsed.extensions, err)) return kExitFailure;
    Scene scene;
    if (!ParseScene(text, parsed.scene, host.descriptions(), FileExists, scene, error)) return Fail(err, error);

    PendingOutput wave, picture;
    if (!wave.Open(parsed.output, error)) return Fail(err, error);
    if (!parsed.picture.empty() && !picture.Open(parsed.picture, error)) return Fail(err, error);

    ProgressBar bar(err, true);
    RenderOptions options;
    options.decks = parsed.decks;
    options.progress = [&](int64_t done, int64_t expected) { bar.Update(done, expected); };
    options.onError = [&](const CoreError& e) {
        bar.Finish();
        std::fprintf(err, "%s error: %s\n", TimeStamp(e.timeMs).c_str(), e.message.c_str());
    };
    options.onExpression = [&](const std::string& line) {
        bar.Finish();
        std::fprintf(out, "%s\n", line.c_str());
    };
    const RenderOutcome outcome = RenderScene(host, scene, options);
    bar.Finish();

    if (!WriteWave(wave, outcome.samples, error)) return Fail(err, error);
    if (!parsed.picture.empty()) {
        const std::vector<uint8_t> png = WaveformPng(outcome.samples, outcome.marks);
        if (png.empty()) return Fail(err, "cannot encode the picture " + parsed.picture);
        if (!picture.Write(png, error)) return Fail(err, error);
    }
    if (!wave.Commit(error)) return Fail(err, error);
    if (!parsed.picture.empty() && !picture.Commit(error)) {
        wave.Drop();
        return Fail(err, error);
    }
    PrintSummary(out, parsed, outcome, parsed.decks);
    return kExitOk;
}

// --- check

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

int Check(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    std::string extensions = kDefaultExtensions;
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--extensions" && i + 1 < args.size())
            extensions = args[++i];
        else if (!args[i].empty() && args[i][0] != '-')
            files.push_back(args[i]);
        else
            return Usage(err);
    }
    if (files.empty()) return Usage(err);
    SceneHost host;
    if (!LoadHost(host, extensions, err)) return kExitFailure;
    MixingCore core(1);
    host.StartApp();
    host.CreateObjects(core);
    size_t width = 0;
    for (const EngineerDescription& e : host.descriptions()) width = std::max(width, e.name.size() + 2);
    int unplayable = 0;
    for (const std::string& file : files) {
        std::fprintf(out, "%s\n", file.c_str());
        bool plays = false;
        for (size_t i = 0; i < host.descriptions().size(); ++i) {
            const ProbeResult probe = ProbeFile(host.RecordOf(i), file, core);
            std::string verdict;
            if (!probe.plays)
                verdict = "refuses: " + probe.refusal;
            else if (!probe.mixProblem.empty())
                verdict = "delivers " + probe.Describe() + ", which the mixer cannot play: " + probe.mixProblem;
            else
                verdict = "plays " + probe.Describe();
            plays = plays || (probe.plays && probe.mixProblem.empty());
            std::fprintf(out, "  %s%s\n", Padded(host.descriptions()[i].name, width).c_str(), verdict.c_str());
        }
        std::vector<std::string> quiet;
        core.capture = &quiet;
        const std::string chosen = host.NameOfRecord(core.FindEngineer(file.c_str(), nullptr));
        core.capture = nullptr;
        std::fprintf(out, "  %s%s\n", Padded("by extension:", width).c_str(),
                     chosen.empty() ? "no engineer registered for it" : chosen.c_str());
        if (!plays) ++unplayable;
    }
    host.DestroyObjects(core);
    host.EndApp();
    return unplayable == 0 ? kExitOk : kExitFailure;
}

// --- info

int Info(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    std::string extensions = kDefaultExtensions;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--extensions" && i + 1 < args.size())
            extensions = args[++i];
        else if (args[i] != "info")
            return Usage(err);
    }
    const PluginScan scan = ScanPlugins(WithSeparator(extensions));
    if (scan.plugins.empty()) {
        Fail(err, "no plug-in found in " + extensions);
        for (const std::string& problem : scan.problems) std::fprintf(err, "vekhost: %s\n", problem.c_str());
        return kExitFailure;
    }
    PrintPluginTable(scan, out);
    return kExitOk;
}

}  // namespace

int RunVekhost(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    if (!args.empty() && args[0] == "render") return Render(args, out, err);
    if (!args.empty() && args[0] == "check") return Check(args, out, err);
    return Info(args, out, err);
}

}  // namespace vekhost
