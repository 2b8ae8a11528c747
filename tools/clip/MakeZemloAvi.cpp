// Draws zemlo.avi, the busy animation shown while a simulation runs: a small oscilloscope
// whose green trace scrolls across a grid while a red activity light pulses. Frames 0 to 10
// make one seamless loop, since a run plays exactly those frames over and over.
#include "tools/clip/AviWriter.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

constexpr int kWidth = 48;  // the control is 29 x 19 dialog units, about 50 x 30 pixels,
constexpr int kHeight = 28; // less its border
constexpr int kLoopFrames = 11;
constexpr int kFrames = 12;

enum Colour : uint8_t { Black, Grid, Trace, Glow, Light, LightDim, Bezel };

avi::Palette MakePalette() {
    avi::Palette p{};
    p[Black] = 0x001008;
    p[Grid] = 0x0B3A1E;
    p[Trace] = 0x6CFF8A;
    p[Glow] = 0x2C9A4A;
    p[Light] = 0xFF3030;
    p[LightDim] = 0x5A1010;
    p[Bezel] = 0x707070;
    return p;
}

avi::IndexedFrame DrawFrame(int k) {
    avi::IndexedFrame f{kWidth, kHeight, std::vector<uint8_t>(kWidth * kHeight, Black)};
    auto set = [&](int x, int y, uint8_t c) {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
            f.pixels[size_t(y) * kWidth + x] = c;
    };
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1)
                set(x, y, Bezel);
            else if (x % 8 == 0 || y % 7 == 0)
                set(x, y, Grid);

    const double phase = 2.0 * M_PI * k / kLoopFrames;
    int previousY = -1;
    for (int x = 2; x < kWidth - 8; ++x) {
        const double t = 2.0 * M_PI * x / 20.0 + phase;
        const int y = int(std::lround(
            kHeight / 2.0 - 8.0 * std::sin(t) * (0.6 + 0.4 * std::cos(2.0 * M_PI * x / 40.0))));
        const int from = previousY < 0 ? y : std::min(previousY, y);
        const int to = previousY < 0 ? y : std::max(previousY, y);
        for (int yy = from; yy <= to; ++yy) {
            set(x, yy - 1, Glow);
            set(x, yy + 1, Glow);
        }
        for (int yy = from; yy <= to; ++yy)
            set(x, yy, Trace);
        previousY = y;
    }

    const bool lit = k % kLoopFrames < kLoopFrames / 2;
    for (int y = 3; y <= 5; ++y)
        for (int x = kWidth - 6; x <= kWidth - 4; ++x)
            set(x, y, lit ? Light : LightDim);
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.avi\n", argv[0]);
        return 2;
    }
    std::vector<avi::IndexedFrame> frames;
    for (int k = 0; k < kFrames; ++k)
        frames.push_back(DrawFrame(k));
    const avi::Bytes bytes = avi::EncodeAvi(frames, MakePalette(), 100000, avi::Encoding::Rle8);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
