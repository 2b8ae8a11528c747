#include "platform/AnimationControl.h"
#include "tools/clip/AviWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Runs the event loop until the condition holds or the deadline passes.
template <typename Condition> bool WaitFor(Condition condition, int milliseconds = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

class AnimationControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = testing::TempDir() + "anim-" + std::to_string(::getpid());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string WriteClip(int frames, int microsecondsPerFrame) {
        std::vector<avi::IndexedFrame> list;
        for (int k = 0; k < frames; ++k)
            list.push_back({4, 3, std::vector<uint8_t>(12, uint8_t(k + 1))});
        avi::Palette palette{};
        for (int i = 0; i < 256; ++i)
            palette[i] = uint32_t(i * 10);
        const avi::Bytes bytes =
            avi::EncodeAvi(list, palette, microsecondsPerFrame, avi::Encoding::Rle8);
        const std::string path = dir_ + "/clip.avi";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    std::string dir_;
};

TEST_F(AnimationControlTest, OpenShowsTheFirstFrameUntilToldToPlay) {
    AnimationControl control;
    ASSERT_TRUE(control.Open(WriteClip(12, 20000)));
    EXPECT_TRUE(control.isOpen());
    EXPECT_EQ(control.currentFrame(), 0);
    EXPECT_FALSE(control.isPlaying());
    QApplication::processEvents();
    EXPECT_EQ(control.currentFrame(), 0);
}

TEST_F(AnimationControlTest, PlayRepeatsFramesWithoutEndAndSeekStopsOnAFrame) {
    AnimationControl control;
    ASSERT_TRUE(control.Open(WriteClip(12, 10000)));
    control.Play(0, 10, -1);
    EXPECT_TRUE(control.isPlaying());
    // Frame 11 is outside the range played: the loop wraps from 10 back to 0.
    int highest = 0;
    bool wrapped = false;
    int previous = 0;
    ASSERT_TRUE(WaitFor([&] {
        const int frame = control.currentFrame();
        EXPECT_LE(frame, 10);
        highest = std::max(highest, frame);
        wrapped = wrapped || frame < previous;
        previous = frame;
        return wrapped;
    }));
    EXPECT_EQ(highest, 10);
    EXPECT_TRUE(control.isPlaying());

    control.Seek(0);
    EXPECT_FALSE(control.isPlaying());
    EXPECT_EQ(control.currentFrame(), 0);
}

TEST_F(AnimationControlTest, FiniteRepeatsEndOnTheLastFrame) {
    AnimationControl control;
    ASSERT_TRUE(control.Open(WriteClip(5, 5000)));
    control.Play(1, 3, 2);
    ASSERT_TRUE(WaitFor([&] { return !control.isPlaying(); }));
    EXPECT_EQ(control.currentFrame(), 3);
}

TEST_F(AnimationControlTest, MissingOrBrokenClipLeavesAnEmptyControlThatIgnoresCommands) {
    for (const std::string& path : {dir_ + "/absent.avi", dir_}) {
        AnimationControl control;
        EXPECT_FALSE(control.Open(path));
        EXPECT_FALSE(control.isOpen());
        control.Play(0, 10, -1);
        EXPECT_FALSE(control.isPlaying());
        control.Seek(5);
        EXPECT_EQ(control.currentFrame(), 0);
        control.resize(50, 30);
        control.grab(); // paints with no clip
    }
}

TEST(ZemloClipTest, GeneratedClipIsABusyLoopThatFitsTheControl) {
    const std::string path = testing::TempDir() + "zemlo-" + std::to_string(::getpid()) + ".avi";
    const std::string command = std::string(MAKE_ZEMLO_AVI) + " " + path;
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto clip = AviClip::Load(path);
    std::remove(path.c_str());
    ASSERT_TRUE(clip.has_value());
    ASSERT_GE(clip->frames.size(), 11u);
    EXPECT_GT(clip->microsecondsPerFrame, 0);
    for (size_t k = 0; k < 11; ++k) {
        EXPECT_LE(clip->frames[k].width(), 50);
        EXPECT_LE(clip->frames[k].height(), 30);
        EXPECT_NE(clip->frames[k], clip->frames[(k + 1) % 11]) << "frame " << k << " repeats";
    }
}

} // namespace

int main(int argc, char** argv) {
    // Widgets without a display: the tests also run when CTest lists them at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
