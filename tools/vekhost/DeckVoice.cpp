#include "tools/vekhost/DeckVoice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vekhost {

namespace {

// Frames asked of a stream per read, beyond what one output frame may need.
constexpr size_t kReadFrames = 1024;

constexpr double kOneFrame = 4294967296.0;  // 1 in 32.32 fixed point
constexpr float kFractionScale = 1.0f / 4294967296.0f;

constexpr float kQuarterPi = 0.785398163397448309616f;
constexpr float kSqrt2 = 1.41421356237309504880f;

}  // namespace

DeckGains PanGains(float volume, float pan, int32_t channels) {
    if (!(volume > 0.0f)) volume = 0.0f;  // also catches NaN
    if (!(pan >= -1.0f)) pan = pan > 1.0f ? 1.0f : -1.0f;
    if (pan > 1.0f) pan = 1.0f;
    const float angle = (pan + 1.0f) * kQuarterPi;
    float left = std::cos(angle);
    float right = std::sin(angle);
    if (channels == 2) {
        left = std::min(1.0f, left * kSqrt2);
        right = std::min(1.0f, right * kSqrt2);
    }
    return {volume * left, volume * right};
}

std::string DeckVoice::Start(const StreamRecord& stream) {
    std::string problem = FormatProblem(stream.sampleRate, stream.bitsPerSample, stream.channels);
    if (!problem.empty()) return problem;
    layout_ = FindPcmLayout(stream.bitsPerSample);
    channels_ = stream.channels;
    frameBytes_ = size_t(layout_->bytesPerSample) * size_t(channels_);
    raw_.clear();
    carry_ = 0;
    frames_.clear();
    count_ = 0;
    position_ = 0;
    sourceEnded_ = false;
    bytesPulled_ = 0;
    return {};
}

bool DeckVoice::NeedsMore() const { return !sourceEnded_ && WholeFrames() + 1 >= count_; }

void DeckVoice::DropPlayedFrames() {
    const size_t played = std::min(WholeFrames(), count_);
    if (played == 0) return;
    const size_t channels = size_t(channels_);
    std::memmove(frames_.data(), frames_.data() + played * channels, (count_ - played) * channels * sizeof(float));
    count_ -= played;
    position_ -= uint64_t(played) << 32;
}

void DeckVoice::Refill(StreamRecord& stream, uint64_t step) {
    DropPlayedFrames();
    const size_t wantFrames = kReadFrames + size_t(step >> 32) + 2;
    raw_.resize(wantFrames * frameBytes_);
    const size_t asked = raw_.size() - carry_;
    int32_t got = stream.read(int32_t(asked), raw_.data() + carry_, &stream);
    // A read never answers more than asked; one that does is taken at its word only up to the buffer.
    if (got < 0) got = 0;
    const size_t delivered = std::min(size_t(got), asked);
    bytesPulled_ += delivered;
    const size_t total = carry_ + delivered;
    const size_t whole = total / frameBytes_;
    const size_t channels = size_t(channels_);
    frames_.resize((count_ + whole) * channels);
    layout_->convert(raw_.data(), whole * channels, frames_.data() + count_ * channels);
    count_ += whole;
    carry_ = total - whole * frameBytes_;
    std::memmove(raw_.data(), raw_.data() + whole * frameBytes_, carry_);
    // A stream that delivers nothing without saying it ended would be asked
    // for ever; it has nothing more to play either way.
    if (stream.ended != 0 || delivered == 0) sourceEnded_ = true;
}

namespace {

// Adds frames from `data` at `position` (32.32) onwards while the frame under
// the position lies below `limit`; the successor of the last held frame is
// itself. A whole-frame step never needs the interpolation.
template <bool kStereo, bool kInterpolate>
size_t MixFrames(const float* data, size_t count, size_t limit, uint64_t& position, uint64_t step, float* mix,
                 size_t frames, DeckGains gains) {
    size_t produced = 0;
    size_t index;
    while (produced < frames && (index = size_t(position >> 32)) < limit) {
        float* out = mix + 2 * produced;
        float left, right;
        if (kInterpolate) {
            const size_t next = index + 1 < count ? index + 1 : index;
            const float fraction = float(uint32_t(position)) * kFractionScale;
            if (kStereo) {
                left = data[2 * index] + (data[2 * next] - data[2 * index]) * fraction;
                right = data[2 * index + 1] + (data[2 * next + 1] - data[2 * index + 1]) * fraction;
            } else {
                left = right = data[index] + (data[next] - data[index]) * fraction;
            }
        } else if (kStereo) {
            left = data[2 * index];
            right = data[2 * index + 1];
        } else {
            left = right = data[index];
        }
        out[0] += left * gains.left;
        out[1] += right * gains.right;
        position += step;
        ++produced;
    }
    return produced;
}

}  // namespace

size_t DeckVoice::MixInto(StreamRecord& stream, float* mix, size_t frames, double step, DeckGains gains) {
    const uint64_t fixedStep = uint64_t(step * kOneFrame + 0.5);
    const bool stereo = channels_ == 2;
    size_t produced = 0;
    while (produced < frames) {
        if (NeedsMore()) {
            Refill(stream, fixedStep);
            continue;
        }
        // Within [0, limit) a frame and its successor are both held; once the
        // source has ended the last frame is held as its own successor.
        const size_t limit = sourceEnded_ ? count_ : count_ - 1;
        const bool interpolate = uint32_t(fixedStep) != 0 || uint32_t(position_) != 0;
        const auto mixFrames = stereo ? (interpolate ? MixFrames<true, true> : MixFrames<true, false>)
                                      : (interpolate ? MixFrames<false, true> : MixFrames<false, false>);
        produced += mixFrames(frames_.data(), count_, limit, position_, fixedStep, mix + 2 * produced,
                              frames - produced, gains);
        if (sourceEnded_ && WholeFrames() >= count_) break;
    }
    return produced;
}

}  // namespace vekhost
