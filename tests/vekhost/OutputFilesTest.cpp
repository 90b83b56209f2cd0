// What vekhost writes: the picture of a render, and the sound files the
// project makes for its demo.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tools/vekhost/SoundFiles.h"
#include "tools/vekhost/WaveformPicture.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

using namespace vekhost;

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;

    bool Has(int x, int y0, int y1, uint8_t r, uint8_t g, uint8_t b) const {
        for (int y = y0; y < y1; ++y) {
            const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
            if (p[0] == r && p[1] == g && p[2] == b) return true;
        }
        return false;
    }
};

Picture Decode(const std::vector<uint8_t>& png) {
    Picture picture;
    int channels = 0;
    unsigned char* pixels =
        stbi_load_from_memory(png.data(), int(png.size()), &picture.width, &picture.height, &channels, 3);
    if (pixels == nullptr) return picture;
    picture.rgb.assign(pixels, pixels + size_t(picture.width) * picture.height * 3);
    stbi_image_free(pixels);
    return picture;
}

TEST(WaveformPicture, ShowsEachChannelOverTimeWithTheEventsMarked) {
    // Four seconds: the left side loud in the first half only, the right side
    // clipped from 2.5 s to 3 s.
    const size_t frames = 4 * 44100;
    std::vector<int16_t> stereo(2 * frames, 0);
    for (size_t i = 0; i < frames / 2; ++i) stereo[2 * i] = 16000;
    for (size_t i = 5 * 44100 / 2; i < 3 * 44100; ++i) stereo[2 * i + 1] = -32768;
    const std::vector<EventMark> marks = {{1000, EventKind::Action}, {3000, EventKind::Frame}};

    const Picture picture = Decode(WaveformPng(stereo, marks, {1036, 100}));
    ASSERT_EQ(picture.width, 1036);
    ASSERT_EQ(picture.height, 12 + 2 * 100 + 6 + 22);
    // The plot spans 1000 columns from x = 28 (8 columns of margin on the right): 4 ms a column.
    const auto column = [](int ms) { return 28 + ms / 4; };
    const int leftLane = 12, rightLane = 12 + 100 + 6;
    EXPECT_TRUE(picture.Has(column(500), leftLane, leftLane + 45, 96, 170, 255)) << "loud left, upper half";
    EXPECT_FALSE(picture.Has(column(2600), leftLane, leftLane + 45, 96, 170, 255)) << "quiet left";
    EXPECT_TRUE(picture.Has(column(2700), rightLane + 55, rightLane + 100, 255, 70, 70)) << "clipped right";
    EXPECT_FALSE(picture.Has(column(2300), rightLane + 55, rightLane + 100, 255, 70, 70));
    EXPECT_TRUE(picture.Has(column(1000), 0, 12, 255, 170, 60)) << "the action's mark";
    EXPECT_TRUE(picture.Has(column(3000), 0, 12, 240, 240, 240)) << "the frame's mark";
    EXPECT_FALSE(picture.Has(column(2000), 0, 12, 255, 170, 60));
}

TEST(WaveformPicture, AnEmptyRenderStillMakesAPicture) {
    const Picture picture = Decode(WaveformPng({}, {}));
    EXPECT_EQ(picture.width, 1200);
    EXPECT_GT(picture.height, 0);
}

TEST(SoundFiles, AiffCarriesItsRateAsAnExtendedNumberAndItsSamplesBigEndian) {
    struct Case {
        int32_t rate;
        uint8_t extended[10];
    };
    const Case cases[] = {
        {44100, {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}},
        {22050, {0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}},
        {48000, {0x40, 0x0E, 0xBB, 0x80, 0, 0, 0, 0, 0, 0}},
        {8000, {0x40, 0x0B, 0xFA, 0x00, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = AiffFileBytes(c.rate, 2, {0x0102, -2, 0x0304, 5});
        ASSERT_EQ(bytes.size(), 12u + 26u + 16u + 8u);
        EXPECT_EQ(std::memcmp(bytes.data(), "FORM\0\0\0\x36" "AIFFCOMM\0\0\0\x12\0\x02\0\0\0\x02\0\x10", 28), 0);
        EXPECT_EQ(std::memcmp(bytes.data() + 28, c.extended, 10), 0) << c.rate;
        EXPECT_EQ(std::memcmp(bytes.data() + 38, "SSND\0\0\0\x10\0\0\0\0\0\0\0\0", 16), 0);
        const uint8_t samples[] = {0x01, 0x02, 0xFF, 0xFE, 0x03, 0x04, 0x00, 0x05};
        EXPECT_EQ(std::memcmp(bytes.data() + 54, samples, 8), 0);
    }
}

TEST(SoundFiles, WaveFilesHaveThePlainHeaderOrAChunkBeforeTheData) {
    const PcmData pcm{11025, 8, 1, {1, 2, 3}};
    const std::vector<uint8_t> plain = WaveFileBytes(pcm);
    ASSERT_EQ(plain.size(), 44u + 4u);  // odd data is padded to an even chunk
    EXPECT_EQ(std::memcmp(plain.data(), "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0", 24), 0);
    EXPECT_EQ(std::memcmp(plain.data() + 24, "\x11\x2B\0\0\x11\x2B\0\0\x01\0\x08\0" "data\x03\0\0\0\x01\x02\x03\0", 24),
              0);
    const std::vector<uint8_t> tagged = WaveFileBytes(pcm, true);
    ASSERT_EQ(tagged.size(), plain.size() + 28u);
    EXPECT_EQ(std::memcmp(tagged.data() + 36, "LIST\x14\0\0\0INFOISFT", 16), 0);
    EXPECT_EQ(std::memcmp(tagged.data() + 64, "data\x03\0\0\0", 8), 0);
    const std::vector<uint8_t> whole = WaveFileBytes({44100, 16, 2, std::vector<uint8_t>(400)});
    EXPECT_EQ(WaveHeader(44100, 16, 2, 400), std::vector<uint8_t>(whole.begin(), whole.begin() + 44));
}

}  // namespace
