// What the wave stream tests share: an engineer record owned by a run object
// whose caching flag picks the mode, the core stand-in, a scratch folder for
// the files, and helpers that drive a stream as the core does.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engineer/EngineerFactory.h"
#include "framework/RunData.h"
#include "testing/CoreStandIn.h"
#include "tests/support/WaveFiles.h"
#include "wave/WaveStream.h"

namespace vek::testing {

struct StreamReleaser {
    void operator()(StreamRecord* stream) const {
        if (stream != nullptr) stream->release(stream);
    }
};
using StreamHandle = std::unique_ptr<StreamRecord, StreamReleaser>;

inline WaveStream& WaveStateOf(StreamRecord* stream) { return *static_cast<WaveStream*>(stream->state); }

// One read call of `count` bytes; what it delivered. The buffer has guard
// bytes after `count`, and a read that writes beyond what it answers fails
// the test.
inline std::vector<uint8_t> ReadOnce(StreamRecord* stream, int32_t count) {
    constexpr uint8_t kGuard = 0xA5;
    std::vector<uint8_t> buffer(size_t(count) + 16, kGuard);
    const int32_t got = stream->read(count, buffer.data(), stream);
    EXPECT_GE(got, 0);
    EXPECT_LE(got, count) << "a read never answers more than asked";
    for (size_t i = size_t(count); i < buffer.size(); ++i) EXPECT_EQ(buffer[i], kGuard) << "written past the buffer";
    buffer.resize(size_t(std::max(got, 0)));
    return buffer;
}

// Reads in pieces of `piece` bytes until the stream ends or delivers nothing.
inline std::vector<uint8_t> ReadToEnd(StreamRecord* stream, int32_t piece) {
    std::vector<uint8_t> all;
    for (;;) {
        const std::vector<uint8_t> got = ReadOnce(stream, piece);
        all.insert(all.end(), got.begin(), got.end());
        if (got.empty() || stream->ended != 0) return all;
    }
}

inline std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    from = std::min(from, bytes.size());
    count = std::min(count, bytes.size() - from);
    return std::vector<uint8_t>(bytes.begin() + long(from), bytes.begin() + long(from + count));
}

enum class Mode { Streaming, Memory };

inline std::string ModeName(const ::testing::TestParamInfo<Mode>& info) {
    return info.param == Mode::Memory ? "Memory" : "Streaming";
}

class WaveStreamTest : public ::testing::Test {
protected:
    WaveStreamTest() : engineer_(MakeEngineerRecord(0, nullptr, &owner_)) { engineer_->core = &core_; }
    ~WaveStreamTest() override { std::free(engineer_); }

    StreamHandle Make(const std::string& path, Mode mode) {
        owner_.cachingEnabled = mode == Mode::Memory ? 1 : 0;
        return StreamHandle(CreateWaveStream(engineer_, path.c_str()));
    }

    // Made and opened, as the core does before reading; null on failure.
    StreamHandle MakeOpen(const std::string& path, Mode mode, int32_t loopsLeft = 0) {
        StreamHandle stream = Make(path, mode);
        if (stream == nullptr) return stream;
        stream->loopsLeft = loopsLeft;
        if (stream->open(stream.get()) != 0) return nullptr;
        return stream;
    }

    std::string WriteWave(const std::string& name, const std::vector<uint8_t>& samples,
                          WaveHeaderFields header = {}) {
        return folder_.Write(name, WaveBytes(header, samples));
    }

    RunData owner_{};
    CoreStandIn core_;
    ScratchFolder folder_;
    EngineerRecord* engineer_;
};

class WaveStreamModes : public WaveStreamTest, public ::testing::WithParamInterface<Mode> {
protected:
    Mode mode() const { return GetParam(); }
};

}  // namespace vek::testing
