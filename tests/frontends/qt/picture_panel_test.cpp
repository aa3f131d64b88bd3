// The picture panel in the real window: the "pend exp" timer, the circles on Picture1's kept
// surface, and "copy picture" through the in-process clipboard of the offscreen platform.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "frontends/qt/picture_box.h"
#include "frontends/qt/qt_picture.h"
#include "system/random_source.h"
#include "frontends/qt/qt_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

class PicturePanel : public QtLessonTest {
protected:
    void SetUp() override { ASSERT_TRUE(start()); }
    qt::PictureBox& box(ControlId id) { return *platform.pictureBox(id); }

    // Whether anything was drawn at a point of the box's surface, in widget pixels from the centre,
    // looking one device pixel around it for the antialiased outline.
    bool inkOnSurface(ControlId id, QPointF fromCentre) {
        const QImage& surface = box(id).surface();
        const double ratio = surface.devicePixelRatio();
        const QPointF centre = box(id).toPixels(500, 500) - QPointF(box(id).contentsRect().topLeft());
        const QPoint at = ((centre + fromCentre) * ratio).toPoint();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (surface.valid(at.x() + dx, at.y() + dy) && surface.pixelColor(at.x() + dx, at.y() + dy).alpha() > 0)
                    return true;
        return false;
    }
    // Whether the window shows something dark at that point once the box has been painted.
    bool darkOnScreen(ControlId id, QPointF fromCentre) {
        const QImage screen = box(id).grab().toImage();
        const double ratio = screen.devicePixelRatio();
        const QPoint at = ((box(id).toPixels(500, 500) + fromCentre) * ratio).toPoint();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (screen.valid(at.x() + dx, at.y() + dy) && screen.pixelColor(at.x() + dx, at.y() + dy).lightness() < 200)
                    return true;
        return false;
    }
    QColor shownAtCentre(ControlId id) {
        const QImage screen = box(id).grab().toImage();
        return screen.pixelColor((box(id).toPixels(500, 500) * screen.devicePixelRatio()).toPoint());
    }
};

QImage filledImage(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST_F(PicturePanel, TheTimerRunsOnlyAfterTheClickAndASecondClickKeepsTheOneTimer) {
    EXPECT_FALSE(platform.pendTimer().isActive());
    QTest::qWait(60);
    EXPECT_EQ(box(Picture1).circleCount(), 0);

    click(cmd_pend_exp);
    ASSERT_TRUE(platform.pendTimer().isActive());
    EXPECT_EQ(platform.pendTimer().interval(), 15);
    const int timerId = platform.pendTimer().timerId();

    click(cmd_pend_exp);
    EXPECT_TRUE(platform.pendTimer().isActive());
    EXPECT_EQ(platform.pendTimer().interval(), 15);
    EXPECT_EQ(platform.pendTimer().timerId(), timerId) << "the running timer was not restarted";
    EXPECT_TRUE(QTest::qWaitFor([&] { return box(Picture1).circleCount() >= 2; }, 2000));
}

TEST_F(PicturePanel, EachTickDrawsOneCircleOfTheDrawnRadiusOnTheKeptSurface) {
    platform.seedRandom(4711);
    RandomSource expected;
    expected.seed(4711);
    const float r = expected.next();
    const double radius = box(Picture1).horizontalPixels(r * 500.0f);
    ASSERT_GT(radius, 10.0) << "the seed gives a circle large enough to tell from its centre";
    ASSERT_LT(radius, box(Picture1).contentsRect().height() / 2.0) << "and small enough to lie inside the box";

    form.tick(tmr_pend_exp);
    EXPECT_EQ(box(Picture1).circleCount(), 1);
    EXPECT_TRUE(inkOnSurface(Picture1, {radius, 0}));
    EXPECT_TRUE(inkOnSurface(Picture1, {-radius, 0}));
    EXPECT_TRUE(inkOnSurface(Picture1, {0, -radius})) << "round in pixels: the radius is in horizontal units";
    EXPECT_FALSE(inkOnSurface(Picture1, {0, 0}));
    EXPECT_FALSE(inkOnSurface(Picture1, {radius / 2, 0}));
    EXPECT_EQ(box(Picture2).circleCount(), 0);
    EXPECT_EQ(platform.picture(Picture1), nullptr) << "the circles are not Picture1's picture";
}

TEST_F(PicturePanel, CirclesSurviveARepaintOfTheWindow) {
    platform.seedRandom(4711);
    RandomSource expected;
    expected.seed(4711);
    const double radius = box(Picture1).horizontalPixels(expected.next() * 500.0f);
    ASSERT_LT(radius, box(Picture1).contentsRect().height() / 2.0) << "the whole circle lies inside the box";
    form.tick(tmr_pend_exp);

    window().hide();
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    box(Picture1).repaint();
    EXPECT_TRUE(darkOnScreen(Picture1, {radius, 0}));
    EXPECT_TRUE(darkOnScreen(Picture1, {0, radius}));
    EXPECT_EQ(shownAtCentre(Picture1), QColor(Qt::white));
}

TEST_F(PicturePanel, CopyPictureShowsTheClipboardsImageInPicture2AndKeepsTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setImage(filledImage({1000, 1000}, Qt::red));
    form.tick(tmr_pend_exp);  // circles on Picture1 do not go to the clipboard

    click(cmd_copy_picture);
    const QImage shown = qt::imageOf(platform.picture(Picture2));
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shownAtCentre(Picture2), QColor(Qt::red));
    EXPECT_EQ(clipboard->image().pixelColor(0, 0), QColor(Qt::red)) << "the clipboard is not wiped";
    EXPECT_EQ(platform.picture(Picture1), nullptr);
}

TEST_F(PicturePanel, CopyPictureWithoutAnImageOnTheClipboardLeavesPicture2AndTheClipboardAlone) {
    const Picture blue = qt::makePicture(filledImage({1000, 1000}, Qt::blue));
    platform.setPicture(Picture2, blue);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("kept"));

    click(cmd_copy_picture);
    EXPECT_EQ(platform.picture(Picture2), blue);
    EXPECT_EQ(shownAtCentre(Picture2), QColor(Qt::blue));
    EXPECT_EQ(clipboard->text(), QStringLiteral("kept"));
    EXPECT_FALSE(form.ended());
}

TEST_F(PicturePanel, AnAssignedPictureOfPicture1TravelsThroughTheClipboard) {
    QGuiApplication::clipboard()->setText(QStringLiteral("replaced"));
    platform.setPicture(Picture1, qt::makePicture(filledImage({40, 30}, Qt::green)));

    click(cmd_copy_picture);
    const QImage onClipboard = QGuiApplication::clipboard()->image();
    ASSERT_EQ(onClipboard.size(), QSize(40, 30));
    EXPECT_EQ(onClipboard.pixelColor(5, 5), QColor(Qt::green));
    const QImage shown = qt::imageOf(platform.picture(Picture2));
    ASSERT_EQ(shown.size(), QSize(40, 30));
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::green));
}

}  // namespace
}  // namespace stepwise::testing
