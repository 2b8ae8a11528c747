// The face a picture button shows, by the drawing order, and what it paints.
#include "platform/PictureButton.h"
#include "NamedCase.h"

#include "platform/ResourceImages.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
using testcases::PrintTo;

QImage Solid(QRgb colour) {
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

struct FaceCase {
    const char* name;
    bool pressed, focused, disabled;
    bool haveDown, haveFocused, haveDisabled;
    PictureButton::Face expected;
};

class PictureButtonFaceTest : public ::testing::TestWithParam<FaceCase> {
protected:
    void SetUp() override {
        window_.resize(200, 100);
        other_ = new QLineEdit(&window_);
        button_ = new PictureButton(&window_);
        button_->setFocusPolicy(Qt::StrongFocus);
        button_->setGeometry(10, 20, 40, 33);
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    QWidget window_;
    QLineEdit* other_ = nullptr;
    PictureButton* button_ = nullptr;
};

TEST_P(PictureButtonFaceTest, FirstRuleWhoseConditionHoldsAndWhoseFaceExists) {
    const FaceCase& c = GetParam();
    const QImage up = Solid(qRgb(200, 200, 200));
    button_->SetFaces(up, c.haveDown ? Solid(qRgb(255, 0, 0)) : QImage(),
                      c.haveFocused ? Solid(qRgb(0, 255, 0)) : QImage(),
                      c.haveDisabled ? Solid(qRgb(0, 0, 255)) : QImage());
    if (c.focused) {
        button_->setFocus();
    } else {
        other_->setFocus();
    }
    button_->setDown(c.pressed);
    button_->setEnabled(!c.disabled);
    ASSERT_EQ(button_->hasFocus(), c.focused && !c.disabled);
    EXPECT_EQ(button_->ChosenFace(), c.expected);

    // What is painted is that face, unscaled from the top-left corner.
    const QImage painted = button_->grab().toImage();
    EXPECT_EQ(painted.pixel(15, 15), button_->face(c.expected).pixel(15, 15));
}

INSTANTIATE_TEST_SUITE_P(
    DrawingOrder, PictureButtonFaceTest,
    ::testing::Values(
        FaceCase{"Idle", false, false, false, true, true, true, PictureButton::Up},
        FaceCase{"Pressed", true, false, false, true, true, true, PictureButton::Down},
        FaceCase{"PressedBeatsFocus", true, true, false, true, true, true, PictureButton::Down},
        FaceCase{"PressedWithoutDownFaceShowsFocus", true, true, false, false, true, true,
                 PictureButton::Focused},
        FaceCase{"Focused", false, true, false, true, true, true, PictureButton::Focused},
        FaceCase{"Disabled", false, false, true, true, true, true, PictureButton::Disabled},
        FaceCase{"DisabledWithoutDisabledFaceShowsUp", false, false, true, true, true, false,
                 PictureButton::Up},
        FaceCase{"FocusedWithoutFocusFaceShowsUp", false, true, false, true, false, true,
                 PictureButton::Up}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureButton, TakesTheSizeOfItsUpFaceAtItsTopLeftCorner) {
    QWidget window;
    PictureButton button(&window);
    button.setGeometry(12, 5, 40, 33);
    button.SetFaces(LoadFace("OKU"), LoadFace("OKD"), LoadFace("OKF"), LoadFace("OKX"));
    EXPECT_EQ(button.geometry(), QRect(12, 5, 30, 30));
}

struct ResourceFaceCase {
    const char* name; // the button's caption
    bool hasDisabled;
};

class ResourceFacesTest : public ::testing::TestWithParam<ResourceFaceCase> {};

TEST_P(ResourceFacesTest, AreThirtyByThirtyWithAPalette) {
    const std::string button = GetParam().name;
    for (const char* letter : {"U", "D", "F", "X"}) {
        const QImage face = LoadFace(button + letter);
        if (std::string(letter) == "X" && !GetParam().hasDisabled) {
            EXPECT_TRUE(face.isNull()) << button << letter;
            continue;
        }
        ASSERT_FALSE(face.isNull()) << button << letter;
        EXPECT_EQ(face.size(), QSize(30, 30));
        EXPECT_EQ(face.format(), QImage::Format_Indexed8);
        EXPECT_EQ(face.colorCount(), 256);
    }
    // Every face of a button differs from its up face.
    const QImage up = LoadFace(button + "U");
    EXPECT_NE(LoadFace(button + "D"), up);
    EXPECT_NE(LoadFace(button + "F"), up);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ResourceFacesTest,
                         ::testing::Values(ResourceFaceCase{"OK", true},
                                           ResourceFaceCase{"CANCEL", true},
                                           ResourceFaceCase{"EXIT", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResourcePictures, BannerAndIconHaveTheirSizes) {
    const QImage banner = LoadResourceBitmap("bitmap142");
    EXPECT_EQ(banner.size(), QSize(278, 158));
    EXPECT_EQ(banner.format(), QImage::Format_Indexed8);
    const QList<QSize> sizes = ApplicationIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    // The mask makes the border see-through and the chart opaque.
    const QImage icon = ApplicationIcon().pixmap(32, 32).toImage();
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);
}

} // namespace
