// What one deck plays: the PCM pulled from its stream, converted to working
// samples and resampled to the output rate with linear interpolation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engineer/StreamRecord.h"
#include "tools/vekhost/PcmFormat.h"

namespace vekhost {

constexpr int32_t kOutputRate = 44100;

// Gains for the two output channels. A mono source feeds both sides with
// them; a stereo source feeds each side from its own channel.
struct DeckGains {
    float left;
    float right;
};

// Constant-power pan law: a mono source at the centre gets cos(pi/4) on each
// side, so that its loudness does not change as it moves. A stereo source keeps
// its image at the centre and loses the far side along the same curve.
// Volume is not clamped (above 1 it amplifies); pan is held to -1 ... 1.
DeckGains PanGains(float volume, float pan, int32_t channels);

class DeckVoice {
public:
    // Takes the format of an opened stream; answers why it cannot be mixed,
    // or an empty text when it can.
    std::string Start(const StreamRecord& stream);

    // Adds up to `frames` output frames to `mix` (interleaved stereo),
    // advancing `step` source frames per output frame. Answers the frames
    // written: fewer than asked once the stream has nothing more.
    size_t MixInto(StreamRecord& stream, float* mix, size_t frames, double step, DeckGains gains);

    bool exhausted() const { return sourceEnded_ && WholeFrames() >= count_; }
    uint64_t bytesPulled() const { return bytesPulled_; }

private:
    size_t WholeFrames() const { return size_t(position_ >> 32); }
    bool NeedsMore() const;
    void Refill(StreamRecord& stream, uint64_t step);
    void DropPlayedFrames();

    const PcmLayout* layout_ = nullptr;
    int32_t channels_ = 0;
    size_t frameBytes_ = 0;
    std::vector<uint8_t> raw_;
    size_t carry_ = 0;           // bytes of a partial frame waiting for the rest
    std::vector<float> frames_;  // converted frames, `channels_` floats each
    size_t count_ = 0;           // frames held in frames_
    // In source frames from frames_[0], as 32.32 fixed point: whole frames
    // and their fraction come out without any float-to-integer conversion.
    uint64_t position_ = 0;
    bool sourceEnded_ = false;
    uint64_t bytesPulled_ = 0;
};

}  // namespace vekhost
