#include "platform/AviClip.h"
#include "tools/clip/AviWriter.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

avi::Palette TestPalette() {
    avi::Palette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i * 7 % 256);
    return p;
}

// Frames whose every pixel is distinct enough that a flipped, shifted or mis-padded decode
// shows up: odd widths make the uncompressed rows need padding.
std::vector<avi::IndexedFrame> TestFrames(int width, int height, int count) {
    std::vector<avi::IndexedFrame> frames;
    for (int k = 0; k < count; ++k) {
        avi::IndexedFrame f{width, height, {}};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                f.pixels.push_back(uint8_t((x * 3 + y * 17 + k * 5) % 7 == 0 ? 200 : x + y + k));
        frames.push_back(f);
    }
    return frames;
}

QRgb Expected(const avi::Palette& p, uint8_t index) {
    return qRgb(int(p[index] >> 16 & 0xFF), int(p[index] >> 8 & 0xFF), int(p[index] & 0xFF));
}

void ExpectFramesEqual(const AviClip& clip, const std::vector<avi::IndexedFrame>& frames,
                       const avi::Palette& palette) {
    ASSERT_EQ(clip.frames.size(), frames.size());
    for (size_t k = 0; k < frames.size(); ++k) {
        const QImage& image = clip.frames[k];
        ASSERT_EQ(image.width(), frames[k].width);
        ASSERT_EQ(image.height(), frames[k].height);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF,
                          Expected(palette, frames[k].pixels[size_t(y) * image.width() + x]) &
                              0xFFFFFF)
                    << "frame " << k << " at " << x << "," << y;
    }
}

TEST(AviClipTest, DecodesEveryEncodingToTheFramesDrawn) {
    const avi::Palette palette = TestPalette();
    const auto frames = TestFrames(13, 7, 3);
    for (avi::Encoding e :
         {avi::Encoding::Uncompressed8, avi::Encoding::Rle8, avi::Encoding::Rgb24}) {
        SCOPED_TRACE(int(e));
        const auto clip = AviClip::Parse(avi::EncodeAvi(frames, palette, 66666, e));
        ASSERT_TRUE(clip.has_value());
        EXPECT_EQ(clip->microsecondsPerFrame, 66666);
        ExpectFramesEqual(*clip, frames, palette);
    }
}

// Hand-made RLE8 payloads exercise the codes a run-only encoder never writes: literals
// padded to a word, deltas that keep the previous frame's pixels, and a missing end code.
TEST(AviClipTest, Rle8LiteralsAndDeltasDrawOnThePreviousFrame) {
    avi::ClipLayout l;
    l.width = 4;
    l.height = 2; // bottom-up: the first stored row is the image's bottom row
    l.compression = 1;
    l.palette = TestPalette();
    l.framePayloads = {
        {4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 2, 5, 0, 0, 0, 1}, // row0: 9 9 9 9; row1: 1 2 3 5
        {0, 2, 1, 1, 1, 7},                               // jump to (1, row1), paint one 7
    };
    const auto clip = AviClip::Parse(avi::PackAvi(l));
    ASSERT_TRUE(clip.has_value());
    ASSERT_EQ(clip->frames.size(), 2u);
    const std::vector<avi::IndexedFrame> expected = {
        {4, 2, {1, 2, 3, 5, 9, 9, 9, 9}},
        {4, 2, {1, 7, 3, 5, 9, 9, 9, 9}},
    };
    ExpectFramesEqual(*clip, expected, l.palette);
}

TEST(AviClipTest, BrokenClipsAreRefusedWithoutACrash) {
    const avi::Bytes good =
        avi::EncodeAvi(TestFrames(8, 6, 2), TestPalette(), 100000, avi::Encoding::Uncompressed8);
    EXPECT_FALSE(AviClip::Parse({}).has_value());
    EXPECT_FALSE(AviClip::Parse(avi::Bytes(good.begin(), good.begin() + 11)).has_value());
    avi::Bytes notAvi = good;
    std::memcpy(notAvi.data() + 8, "WAVE", 4);
    EXPECT_FALSE(AviClip::Parse(notAvi).has_value());

    // A clip cut short anywhere is a broken clip, not a shorter one.
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(AviClip::Parse(avi::Bytes(good.begin(), good.begin() + n)).has_value()) << n;

    avi::ClipLayout wrongDepth;
    wrongDepth.width = 2;
    wrongDepth.height = 2;
    wrongDepth.bitCount = 16;
    wrongDepth.framePayloads = {avi::Bytes(8, 0)};
    EXPECT_FALSE(AviClip::Parse(avi::PackAvi(wrongDepth)).has_value());

    avi::ClipLayout shortFrame;
    shortFrame.width = 5;
    shortFrame.height = 5;
    shortFrame.framePayloads = {avi::Bytes(10, 0)};
    EXPECT_FALSE(AviClip::Parse(avi::PackAvi(shortFrame)).has_value());
}

TEST(AviClipTest, FlippingBitsNeverCrashes) {
    const avi::Bytes good =
        avi::EncodeAvi(TestFrames(9, 5, 3), TestPalette(), 100000, avi::Encoding::Rle8);
    uint32_t x = 1;
    for (int round = 0; round < 3000; ++round) {
        avi::Bytes mutated = good;
        for (int i = 0; i < 4; ++i) {
            x = x * 1664525u + 1013904223u;
            mutated[x % mutated.size()] ^= uint8_t(1u << (x >> 29));
        }
        // Must return, with or without a clip; a clip it returns is whole.
        const auto clip = AviClip::Parse(mutated);
        if (!clip)
            continue;
        ASSERT_FALSE(clip->frames.empty());
        for (const QImage& frame : clip->frames) {
            ASSERT_FALSE(frame.isNull());
            ASSERT_LE(frame.width() * frame.height(), 4096 * 4096);
        }
    }
}

TEST(AviClipTest, LoadRefusesWhatIsNotARegularFile) {
    const std::string dir = testing::TempDir() + "avi-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    EXPECT_FALSE(AviClip::Load(dir + "/missing.avi").has_value());
    EXPECT_FALSE(AviClip::Load(dir).has_value());
    ASSERT_EQ(::mkfifo((dir + "/fifo.avi").c_str(), 0600), 0);
    EXPECT_FALSE(AviClip::Load(dir + "/fifo.avi").has_value()) << "and did not block";

    const avi::Bytes good =
        avi::EncodeAvi(TestFrames(8, 6, 2), TestPalette(), 100000, avi::Encoding::Rle8);
    std::ofstream(dir + "/good.avi", std::ios::binary)
        .write(reinterpret_cast<const char*>(good.data()), std::streamsize(good.size()));
    const auto clip = AviClip::Load(dir + "/good.avi");
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(clip->frames.size(), 2u);
    std::filesystem::remove_all(dir);
}

} // namespace
