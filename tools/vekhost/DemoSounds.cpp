#include "tools/vekhost/DemoSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/vekhost/SoundFiles.h"

namespace vekhost {

namespace {

constexpr double kTwoPi = 6.283185307179586;

int16_t ToSample(double value) {
    if (value > 1.0) value = 1.0;
    if (value < -1.0) value = -1.0;
    return int16_t(std::lround(value * 32767.0));
}

// A fixed noise sequence, the same on every machine.
class Noise {
public:
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return double(state_ >> 8) / double(1u << 23) - 1.0;
    }

private:
    uint32_t state_ = 0x2545F491u;
};

// A kick drum: a sine falling from 150 Hz to 45 Hz, a click of noise at the
// start, and a quick decay. 22050 Hz, half a second.
std::vector<int16_t> DrumHit(int rate, int frames) {
    std::vector<int16_t> samples(size_t(frames), 0);
    Noise noise;
    double phase = 0.0;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double pitch = 45.0 + 105.0 * std::exp(-t / 0.04);
        phase += kTwoPi * pitch / rate;
        const double body = std::sin(phase) * std::exp(-t / 0.12);
        const double click = noise.Next() * 0.5 * std::exp(-t / 0.004);
        samples[size_t(i)] = ToSample(0.6 * body + 0.7 * click);
    }
    return samples;
}

// Two voices a fifth apart, one on each side, faded in and out.
std::vector<int16_t> StereoTone(int rate, int frames) {
    std::vector<int16_t> samples(2 * size_t(frames), 0);
    const int fade = rate / 50;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double envelope = std::min({1.0, double(i) / fade, double(frames - 1 - i) / fade});
        samples[2 * size_t(i)] = ToSample(0.35 * envelope * std::sin(kTwoPi * 440.0 * t));
        samples[2 * size_t(i) + 1] = ToSample(0.35 * envelope * std::sin(kTwoPi * 660.0 * t));
    }
    return samples;
}

// A square-wave blip in 8-bit unsigned samples, as old games had them.
std::vector<uint8_t> Blip8(int rate, int frames) {
    std::vector<uint8_t> bytes(size_t(frames), 128);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double square = std::fmod(t * 880.0, 1.0) < 0.5 ? 1.0 : -1.0;
        bytes[size_t(i)] = uint8_t(128 + std::lround(100.0 * square * std::exp(-t / 0.08)));
    }
    return bytes;
}

// A closed hi-hat: noise with a fast decay, in 24-bit samples at 48 kHz.
std::vector<uint8_t> HiHat24(int rate, int frames) {
    std::vector<uint8_t> bytes;
    Noise noise;
    double previous = 0.0;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double white = noise.Next();
        const double bright = white - previous;  // a crude high-pass keeps the hiss
        previous = white;
        const int32_t value = int32_t(std::lround(0.3 * bright * std::exp(-t / 0.025) * 8388607.0));
        for (int b = 0; b < 3; ++b) bytes.push_back(uint8_t(uint32_t(value) >> (8 * b)));
    }
    return bytes;
}

}  // namespace

std::vector<DemoSound> MakeDemoSounds() {
    // Lengths are whole milliseconds of whole frames, so that a cached copy
    // (which keeps whole milliseconds) loses nothing.
    const std::vector<int16_t> drum = DrumHit(22050, 11025);
    std::vector<DemoSound> sounds;
    sounds.push_back({"drum.wav", WaveFileBytes({22050, 16, 1, SampleBytes16(drum)})});
    sounds.push_back({"tone.aiff", AiffFileBytes(44100, 2, StereoTone(44100, 44100))});
    // An even number of 8-bit samples: a wave file pads odd data with a byte
    // that a reader of everything after the header would play.
    sounds.push_back({"blip8.wav", WaveFileBytes({8000, 8, 1, Blip8(8000, 1600)})});
    sounds.push_back({"hat24.wav", WaveFileBytes({48000, 24, 1, HiHat24(48000, 6000)})});
    sounds.push_back({"tagged.wav", WaveFileBytes({22050, 16, 1, SampleBytes16(drum)}, true)});
    return sounds;
}

bool WriteDemoSounds(const std::string& folder, std::string& error) {
    for (const DemoSound& sound : MakeDemoSounds())
        if (!WriteFileBytes(folder + sound.file, sound.bytes, error)) return false;
    return true;
}

}  // namespace vekhost
