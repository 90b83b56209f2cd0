#include "tools/vekhost/WaveformPicture.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "tools/vekhost/DeckVoice.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#endif
#include <stb_easy_font.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace vekhost {

namespace {

struct Rgb {
    uint8_t r, g, b;
};

const Rgb kBackground = {24, 26, 32};
const Rgb kLane = {34, 38, 48};
const Rgb kCentreLine = {60, 66, 80};
const Rgb kWave[2] = {{96, 170, 255}, {120, 220, 150}};
const Rgb kClipped = {255, 70, 70};
const Rgb kText = {200, 204, 214};
const Rgb kTick = {90, 96, 110};

struct MarkStyle {
    EventKind kind;
    Rgb colour;
};
const MarkStyle kMarkStyles[] = {
    {EventKind::Action, {255, 170, 60}},
    {EventKind::Expression, {200, 120, 255}},
    {EventKind::Frame, {240, 240, 240}},
    {EventKind::End, {255, 80, 80}},
};

// Seconds between time ticks, the first that gives at most a dozen.
const double kTickSteps[] = {0.05, 0.1, 0.25, 0.5, 1, 2, 5, 10, 15, 30, 60, 120};

constexpr int kLeft = 28;
constexpr int kRight = 8;
constexpr int kMarkStrip = 12;
constexpr int kLaneGap = 6;
constexpr int kAxis = 22;

class Canvas {
public:
    Canvas(int width, int height, Rgb fill) : width_(width), height_(height), pixels_(size_t(width) * height * 3) {
        Fill(0, 0, width, height, fill);
    }

    void Fill(int x0, int y0, int x1, int y1, Rgb colour) {
        x0 = std::max(x0, 0), y0 = std::max(y0, 0);
        x1 = std::min(x1, width_), y1 = std::min(y1, height_);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint8_t* p = &pixels_[(size_t(y) * width_ + x) * 3];
                p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
            }
    }

    // Text in stb's small font: each character is made of axis-aligned quads.
    void Text(int x, int y, const std::string& text, Rgb colour) {
        std::vector<char> characters(text.begin(), text.end());
        characters.push_back('\0');
        // Four vertices of 16 bytes (x, y, z as floats, then a colour) per quad.
        constexpr size_t kQuadBytes = 64;
        std::vector<float> vertices(kQuadBytes / sizeof(float) * 60 * characters.size());
        const int quads = stb_easy_font_print(float(x), float(y), characters.data(), nullptr, vertices.data(),
                                              int(vertices.size() * sizeof(float)));
        for (int q = 0; q < quads; ++q) {
            const float* corner = vertices.data() + size_t(q) * kQuadBytes / sizeof(float);
            const float* opposite = corner + 2 * 16 / sizeof(float);
            Fill(int(corner[0]), int(corner[1]), int(opposite[0]), int(opposite[1]), colour);
        }
    }

    int width() const { return width_; }
    int height() const { return height_; }
    const uint8_t* data() const { return pixels_.data(); }

private:
    int width_, height_;
    std::vector<uint8_t> pixels_;
};

Rgb ColourOf(EventKind kind) {
    for (const MarkStyle& style : kMarkStyles)
        if (style.kind == kind) return style.colour;
    return kText;
}

void DrawLane(Canvas& canvas, const std::vector<int16_t>& stereo, int channel, int top, int height) {
    const int plotWidth = canvas.width() - kLeft - kRight;
    canvas.Fill(kLeft, top, kLeft + plotWidth, top + height, kLane);
    const int centre = top + height / 2;
    canvas.Fill(kLeft, centre, kLeft + plotWidth, centre + 1, kCentreLine);
    canvas.Text(8, centre - 3, channel == 0 ? "L" : "R", kText);
    const size_t frames = stereo.size() / 2;
    if (frames == 0) return;
    const double half = double(height / 2 - 1);
    for (int column = 0; column < plotWidth; ++column) {
        const size_t first = size_t(uint64_t(column) * frames / uint64_t(plotWidth));
        if (first >= frames) break;
        const size_t last = std::max(first + 1, size_t(uint64_t(column + 1) * frames / uint64_t(plotWidth)));
        int low = 32767, high = -32768;
        bool clipped = false;
        for (size_t f = first; f < last && f < frames; ++f) {
            const int s = stereo[2 * f + size_t(channel)];
            low = std::min(low, s), high = std::max(high, s);
            clipped = clipped || s == 32767 || s == -32768;
        }
        const int y0 = centre - int(double(high) / 32768.0 * half);
        const int y1 = centre - int(double(low) / 32768.0 * half) + 1;
        canvas.Fill(kLeft + column, y0, kLeft + column + 1, y1, clipped ? kClipped : kWave[channel]);
    }
}

void DrawMarks(Canvas& canvas, const std::vector<EventMark>& marks, double msPerPixel, int bottom) {
    // Actions are the most frequent; the rarer kinds are drawn over them.
    std::vector<EventMark> ordered = marks;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const EventMark& a, const EventMark& b) { return int(a.kind) < int(b.kind); });
    for (const EventMark& mark : ordered) {
        const int x = kLeft + int(double(mark.timeMs) / msPerPixel);
        const Rgb colour = ColourOf(mark.kind);
        canvas.Fill(x - 2, 2, x + 3, kMarkStrip - 2, colour);
        if (mark.kind != EventKind::Frame) {
            canvas.Fill(x, kMarkStrip, x + 1, bottom, colour);
            continue;
        }
        for (int y = kMarkStrip; y < bottom; y += 6) canvas.Fill(x, y, x + 1, y + 3, colour);  // dashed
    }
}

void DrawAxis(Canvas& canvas, double lengthMs, double msPerPixel, int top) {
    double step = kTickSteps[sizeof kTickSteps / sizeof kTickSteps[0] - 1];
    for (double candidate : kTickSteps)
        if (lengthMs / 1000.0 / candidate <= 12.0) {
            step = candidate;
            break;
        }
    for (int i = 0;; ++i) {
        const double seconds = step * i;
        const int x = kLeft + int(seconds * 1000.0 / msPerPixel);
        if (x >= canvas.width() - kRight) break;
        canvas.Fill(x, top, x + 1, top + 5, kTick);
        char label[24];
        std::snprintf(label, sizeof label, step < 1 ? "%.2fs" : "%.0fs", seconds);
        canvas.Text(x + 2, top + 7, label, kText);
    }
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<uint8_t> WaveformPng(const std::vector<int16_t>& stereo, const std::vector<EventMark>& marks,
                                 PictureSize size) {
    const int width = std::max(size.width, kLeft + kRight + 16);
    const int lane = std::max(size.laneHeight, 16);
    const int height = kMarkStrip + 2 * lane + kLaneGap + kAxis;
    Canvas canvas(width, height, kBackground);
    DrawLane(canvas, stereo, 0, kMarkStrip, lane);
    DrawLane(canvas, stereo, 1, kMarkStrip + lane + kLaneGap, lane);
    const double frames = double(stereo.size() / 2);
    const double lengthMs = std::max(1.0, frames * 1000.0 / kOutputRate);
    const double msPerPixel = lengthMs / double(width - kLeft - kRight);
    DrawMarks(canvas, marks, msPerPixel, kMarkStrip + 2 * lane + kLaneGap);
    DrawAxis(canvas, lengthMs, msPerPixel, kMarkStrip + 2 * lane + kLaneGap);
    std::vector<uint8_t> png;
    if (stbi_write_png_to_func(AppendBytes, &png, width, height, 3, canvas.data(), width * 3) == 0) png.clear();
    return png;
}

}  // namespace vekhost
