#include "tools/vekhost/SceneRun.h"

#include <algorithm>
#include <cstdio>

#include "tools/vekhost/StreamProbe.h"

namespace vekhost {

namespace {

constexpr size_t kRenderChunk = 4096;

uint64_t FrameAt(int64_t ms) { return uint64_t(ms) * kOutputRate / 1000; }

class SceneRunner {
public:
    SceneRunner(SceneHost& host, const Scene& scene, const RenderOptions& options)
        : host_(host), scene_(scene), options_(options), core_(options.decks) {
        core_.onError = options.onError;
        for (const SceneEvent& event : scene.events) lastEventMs_ = std::max(lastEventMs_, event.timeMs);
    }

    RenderOutcome Run() {
        for (const ObjectSetup& setup : scene_.setups) host_.StoreObjectData(setup);
        host_.StartApp();
        host_.CreateObjects(core_);
        bool ended = false;
        for (const SceneEvent& event : scene_.events) {
            RenderUntil(event.timeMs);
            out_.marks.push_back({event.timeMs, event.kind});
            ++out_.eventsRun;
            if (event.kind == EventKind::End) {
                ended = true;
                break;
            }
            RunEvent(event);
        }
        if (!ended) RenderTail();
        core_.StopAll();
        host_.DestroyObjects(core_);
        host_.EndApp();
        out_.errors = core_.errors();
        out_.notes = host_.notes();
        out_.stats = core_.stats();
        return std::move(out_);
    }

private:
    void RenderFrames(size_t frames) {
        const size_t at = out_.samples.size();
        out_.samples.resize(at + 2 * frames);
        core_.Render(out_.samples.data() + at, frames);
        if (options_.progress)
            options_.progress(core_.nowMs(), std::max(lastEventMs_, core_.nowMs() + core_.estimatedRemainingMs()));
    }

    void RenderUntil(int64_t ms) {
        const uint64_t target = FrameAt(ms);
        core_.Render(nullptr, 0);  // decks left unstarted by the last event go back
        while (core_.stats().framesRendered < target)
            RenderFrames(size_t(std::min<uint64_t>(kRenderChunk, target - core_.stats().framesRendered)));
    }

    // After the last event the decks play out, up to the longest render.
    void RenderTail() {
        const uint64_t lastEventFrame = core_.stats().framesRendered;
        const uint64_t most = FrameAt(kMaxSceneMs);
        core_.Render(nullptr, 0);
        while (core_.playingDecks() > 0) {
            if (core_.stats().framesRendered >= most) {
                out_.cutShort = true;
                break;
            }
            RenderFrames(size_t(std::min<uint64_t>(kRenderChunk, most - core_.stats().framesRendered)));
        }
        // The output ends where the last sound did, not at the end of a chunk.
        const uint64_t end = std::max(lastEventFrame, core_.stats().soundEndFrame);
        if (!out_.cutShort && out_.samples.size() > 2 * end) out_.samples.resize(2 * end);
    }

    void RunEvent(const SceneEvent& event) {
        switch (event.kind) {
            case EventKind::Frame:
                ++out_.framesStarted;
                host_.DestroyObjects(core_);
                host_.CreateObjects(core_);
                break;
            case EventKind::Action:
                RunAction(event);
                break;
            case EventKind::Expression:
                Evaluate(event);
                break;
            case EventKind::End:
                break;
        }
    }

    void RunAction(const SceneEvent& event) {
        const size_t lookupsBefore = core_.lookups().size();
        const size_t errorsBefore = core_.errors().size();
        host_.RunAction(event.engineer, *event.ace, event.params);
        if (event.ace->role != AceRole::AddToCache || event.params.size() < 2) return;
        // The engineer asked the core which engineer reads the file; with no
        // error reported the sound is in its cache now.
        const bool failed = core_.errors().size() > errorsBefore;
        if (failed || core_.lookups().size() == lookupsBefore) return;
        EngineerRecord* source = core_.lookups().back().answer;
        if (source == nullptr) return;
        CachedSound sound;
        sound.file = event.params[0].text;
        sound.id = event.params[1].text;
        sound.engineer = host_.NameOfRecord(source);
        const ProbeResult probe = ProbeFile(source, sound.file, core_);
        sound.probed = probe.plays;
        sound.delivers = probe.plays ? probe.Describe() : probe.refusal;
        out_.cached.push_back(sound);
    }

    void Evaluate(const SceneEvent& event) {
        const int32_t value = host_.Evaluate(event.engineer, *event.ace, event.params);
        std::string call = event.ace->displayText.empty() ? event.ace->Title() : event.ace->displayText;
        const bool parenthesised = !call.empty() && call.back() == '(';
        if (!parenthesised) call += "(";
        for (size_t i = 0; i < event.params.size(); ++i) call += (i == 0 ? "" : ", ") + ValueText(event.params[i]);
        call += ")";
        const std::string line = TimeStamp(event.timeMs) + " " + host_.descriptions()[event.engineer].name + ": " +
                                 call + " = " + std::to_string(value);
        out_.expressions.push_back(line);
        if (options_.onExpression) options_.onExpression(line);
    }

    SceneHost& host_;
    const Scene& scene_;
    const RenderOptions& options_;
    MixingCore core_;
    RenderOutcome out_;
    int64_t lastEventMs_ = 0;
};

}  // namespace

std::string TimeStamp(int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "[%7.3f s]", double(ms) / 1000.0);
    return text;
}

RenderOutcome RenderScene(SceneHost& host, const Scene& scene, const RenderOptions& options) {
    return SceneRunner(host, scene, options).Run();
}

}  // namespace vekhost
