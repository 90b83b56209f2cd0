#include "tools/vekhost/StreamProbe.h"

#include <cstdio>
#include <vector>

#include "tools/vekhost/PcmFormat.h"

namespace vekhost {

namespace {

constexpr int32_t kProbeBlock = 64 * 1024;
// A stream that never ends is cut here; no sound file of a game is this long.
constexpr uint64_t kMostProbed = uint64_t(1) << 30;

std::string Joined(const std::vector<std::string>& messages, const char* otherwise) {
    if (messages.empty()) return otherwise;
    std::string text;
    for (const std::string& m : messages) text += (text.empty() ? "\"" : "; \"") + m + "\"";
    return text;
}

}  // namespace

std::string ProbeResult::Describe() const {
    char text[200];
    std::snprintf(text, sizeof text, "%s, %d ms, %llu bytes",
                  FormatText(sampleRate, bitsPerSample, channels).c_str(), int(lengthMs),
                  static_cast<unsigned long long>(bytes));
    return text;
}

ProbeResult ProbeFile(EngineerRecord* engineer, const std::string& path, MixingCore& core) {
    ProbeResult result;
    if (engineer == nullptr || engineer->createStream == nullptr) {
        result.refusal = "the engineer has no object to make streams with";
        return result;
    }
    std::vector<std::string> messages;
    std::vector<std::string>* outer = core.capture;
    core.capture = &messages;
    StreamRecord* stream = engineer->createStream(engineer, path.c_str());
    if (stream == nullptr) {
        result.refusal = Joined(messages, "no stream made (the engineer gave no reason)");
    } else {
        stream->loopsLeft = 0;
        if (stream->open == nullptr || stream->read == nullptr || stream->open(stream) != 0) {
            result.refusal = Joined(messages, "the stream could not be opened (the engineer gave no reason)");
        } else {
            result.plays = true;
            result.sampleRate = stream->sampleRate;
            result.bitsPerSample = stream->bitsPerSample;
            result.channels = stream->channels;
            result.lengthMs = stream->lengthMs;
            std::vector<uint8_t> buffer(kProbeBlock);
            while (stream->ended == 0 && result.bytes < kMostProbed) {
                const int32_t got = stream->read(kProbeBlock, buffer.data(), stream);
                if (got <= 0) break;
                result.bytes += uint64_t(got > kProbeBlock ? kProbeBlock : got);
            }
            result.mixProblem = FormatProblem(result.sampleRate, result.bitsPerSample, result.channels);
            if (stream->close != nullptr) stream->close(stream);
        }
        if (stream->release != nullptr) stream->release(stream);
    }
    core.capture = outer;
    return result;
}

}  // namespace vekhost
