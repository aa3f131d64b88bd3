// Picture boxes and the clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "frontends/qt/picture_box.h"
#include "frontends/qt/qt_picture.h"
#include "frontends/qt/qt_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

class PictureBoxTest : public ::testing::Test {
protected:
    PictureBoxTest() : platform(temp.path()) {
        platform.setUserScale(Picture1, 1000, 1000);
        platform.setUserScale(Picture2, 1000, 1000);
    }
    qt::PictureBox& box(ControlId id) { return *platform.pictureBox(id); }
    // The box as it appears on screen, in widget pixels.
    QImage onScreen(ControlId id) {
        const QImage image = box(id).grab().toImage().convertToFormat(QImage::Format_RGB32);
        return image.scaled(box(id).size());
    }

    TempDir temp;
    qt::QtPlatform platform;
};

QImage filledImage(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Whether a pixel within one pixel of `at` is inked: dark on a shown box, opaque on the surface.
bool inkNear(const QImage& image, QPointF at) {
    const QPoint centre = at.toPoint();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor colour = image.pixelColor(centre + QPoint(dx, dy));
            if (image.hasAlphaChannel() ? colour.alpha() > 64 : colour.lightness() < 160) return true;
        }
    return false;
}

TEST_F(PictureBoxTest, CirclesStayAcrossRepaintsAndHidingTheWindow) {
    platform.window().show();
    platform.drawCircle(Picture1, 500, 500, 250);
    const QPointF centre = box(Picture1).toPixels(500, 500);
    const QPointF right = centre + QPointF(box(Picture1).horizontalPixels(250), 0);
    EXPECT_TRUE(inkNear(onScreen(Picture1), right));
    EXPECT_FALSE(inkNear(onScreen(Picture1), centre));
    platform.window().hide();
    platform.window().show();
    box(Picture1).repaint();
    EXPECT_TRUE(inkNear(onScreen(Picture1), right));
    EXPECT_EQ(box(Picture1).circleCount(), 1);
    EXPECT_EQ(box(Picture2).circleCount(), 0);
}

TEST_F(PictureBoxTest, TheRadiusIsMeasuredInHorizontalUnits) {
    qt::PictureBox& picture = box(Picture1);
    const QRect interior = picture.contentsRect();
    ASSERT_GT(interior.width(), interior.height());
    platform.drawCircle(Picture1, 500, 500, 100);
    const QImage surface = picture.surface().scaled(interior.size());
    const QPointF centre = picture.toPixels(500, 500) - QPointF(interior.topLeft());
    const double radius = picture.horizontalPixels(100);  // a tenth of the width
    EXPECT_TRUE(inkNear(surface, centre + QPointF(radius, 0)));
    EXPECT_TRUE(inkNear(surface, centre - QPointF(0, radius)));  // round, not squeezed
    const double verticalUnitRadius = radius * interior.height() / interior.width();
    EXPECT_FALSE(inkNear(surface, centre - QPointF(0, verticalUnitRadius)));
}

TEST_F(PictureBoxTest, ThePictureIsTheAssignedImageOnlyAndShowsBehindTheDrawing) {
    EXPECT_EQ(platform.picture(Picture1), nullptr);
    platform.drawCircle(Picture1, 500, 500, 200);
    EXPECT_EQ(platform.picture(Picture1), nullptr);  // circles are not the picture

    const Picture red = qt::makePicture(filledImage({400, 300}, Qt::red));
    platform.setPicture(Picture1, red);
    EXPECT_EQ(platform.picture(Picture1), red);
    const QImage shown = onScreen(Picture1);
    EXPECT_EQ(shown.pixelColor(box(Picture1).toPixels(100, 100).toPoint()), QColor(Qt::red));
    const QPointF onCircle = box(Picture1).toPixels(500, 500) + QPointF(box(Picture1).horizontalPixels(200), 0);
    EXPECT_TRUE(inkNear(shown, onCircle));  // the drawing lies over the picture

    platform.setPicture(Picture1, {});
    EXPECT_EQ(platform.picture(Picture1), nullptr);
    EXPECT_EQ(onScreen(Picture1).pixelColor(box(Picture1).toPixels(100, 100).toPoint()), QColor(Qt::white));
}

TEST_F(PictureBoxTest, TheClipboardCarriesAPictureAndIsLeftAloneWithoutOne) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("kept"));
    EXPECT_FALSE(platform.putClipboardPicture({}));
    EXPECT_EQ(clipboard->text(), QStringLiteral("kept"));
    EXPECT_EQ(platform.clipboardPicture(), nullptr);  // text is no picture

    const QImage blue = filledImage({20, 10}, Qt::blue);
    ASSERT_TRUE(platform.putClipboardPicture(qt::makePicture(blue)));
    const QImage back = qt::imageOf(platform.clipboardPicture());
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), blue.size());
    EXPECT_EQ(back.pixelColor(5, 5), QColor(Qt::blue));
}

}  // namespace
}  // namespace stepwise::testing
