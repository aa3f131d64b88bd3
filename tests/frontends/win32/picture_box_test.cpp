// Picture boxes and the clipboard: the user scale, circles on the kept bitmap, assigned pictures
// and their way through the clipboard.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "frontends/win32/clipboard.h"
#include "frontends/win32/dib_picture.h"
#include "frontends/win32/main_window.h"
#include "frontends/win32/picture_box.h"
#include "frontends/win32/message_pump.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using win32::DibPicture;

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

Picture checkerboard(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[static_cast<std::size_t>(y) * width + x] = (x + y) % 2 ? 0x00FF0000 : 0x000000FF;
    return std::make_shared<const DibPicture>(width, height, std::move(pixels));
}

class PictureBoxTest : public ::testing::Test {
protected:
    win32::PictureBox& box(ControlId id) { return *window.pictureBox(id); }
    win32::MainWindow window;
};

TEST_F(PictureBoxTest, TheKeptBitmapFillsTheInteriorAndStartsWhite) {
    win32::PictureBox& picture1 = box(Picture1);
    RECT client;
    GetClientRect(picture1.hwnd(), &client);
    EXPECT_EQ(picture1.surfaceSize().cx, client.right);
    EXPECT_EQ(picture1.surfaceSize().cy, client.bottom);
    EXPECT_GT(client.right, 300);
    for (POINT p : {POINT{0, 0}, POINT{client.right / 2, client.bottom / 2}, POINT{client.right - 1, client.bottom - 1}})
        EXPECT_EQ(picture1.surfacePixel(p.x, p.y), white);
    EXPECT_EQ(picture1.picture(), nullptr);
}

TEST_F(PictureBoxTest, UntilAScaleIsSetTheUnitsAreTwips) {
    const win32::UserScale scale = box(Picture2).userScale();
    const SIZE size = box(Picture2).surfaceSize();
    EXPECT_FLOAT_EQ(scale.width, float(size.cx * window.scale().twipsPerPixel()));
    EXPECT_FLOAT_EQ(scale.height, float(size.cy * window.scale().twipsPerPixel()));
    box(Picture2).setUserScale(0, 1000);  // refused: every point would be the same
    EXPECT_FLOAT_EQ(box(Picture2).userScale().width, scale.width);
}

TEST_F(PictureBoxTest, ACircleIsCentredInUserUnitsWithItsRadiusMeasuredAcross) {
    win32::PictureBox& picture1 = box(Picture1);
    picture1.setUserScale(1000, 1000);
    picture1.drawCircle(500, 500, 200);
    const SIZE size = picture1.surfaceSize();
    const POINT centre = picture1.toPixels(500, 500);
    EXPECT_NEAR(centre.x, size.cx / 2.0, 1);
    EXPECT_NEAR(centre.y, size.cy / 2.0, 1);
    const long r = std::lround(picture1.horizontalPixels(200));
    EXPECT_NEAR(r, size.cx / 5.0, 1);
    // Round in pixels: the outline passes the same distance right of and below the centre.
    EXPECT_EQ(picture1.surfacePixel(centre.x + r, centre.y), black);
    EXPECT_EQ(picture1.surfacePixel(centre.x, centre.y + r), black);
    EXPECT_EQ(picture1.surfacePixel(centre.x - r, centre.y), black);
    EXPECT_EQ(picture1.surfacePixel(centre.x, centre.y - r), black);
    EXPECT_EQ(picture1.surfacePixel(centre.x, centre.y), white);  // an outline, not a disc
    EXPECT_EQ(picture1.circleCount(), 1);
    EXPECT_EQ(picture1.picture(), nullptr);  // what is drawn is no assigned picture
}

TEST_F(PictureBoxTest, ALargeCircleIsClippedAtTheTopAndBottomAndKept) {
    win32::PictureBox& picture1 = box(Picture1);
    picture1.setUserScale(1000, 1000);
    picture1.drawCircle(500, 500, 450);
    const POINT centre = picture1.toPixels(500, 500);
    const long r = std::lround(picture1.horizontalPixels(450));
    EXPECT_GT(r, picture1.surfaceSize().cy / 2);  // wider than high: the circle runs past the edges
    EXPECT_EQ(picture1.surfacePixel(centre.x + r, centre.y), black);
    // A repaint draws from the kept bitmap; the circle is still there afterwards.
    window.show();
    RedrawWindow(picture1.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(picture1.surfacePixel(centre.x + r, centre.y), black);
}

TEST(DibPictureTest, PacksAsABottomUpDeviceIndependentBitmap) {
    const Picture picture = checkerboard(3, 2);
    const std::vector<std::uint8_t> dib = win32::dibOf(picture)->packedDib();
    ASSERT_EQ(dib.size(), sizeof(BITMAPINFOHEADER) + 3 * 2 * 4);
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biHeight, 2);  // positive: rows from the bottom
    EXPECT_EQ(header.biBitCount, 32);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    std::uint32_t firstStored;
    std::memcpy(&firstStored, dib.data() + sizeof header, 4);
    EXPECT_EQ(firstStored, win32::dibOf(picture)->pixel(0, 1));  // the bottom row comes first
    EXPECT_THROW(DibPicture(2, 2, std::vector<std::uint32_t>(3)), std::invalid_argument);
}

TEST(ClipboardTest, APictureGoesThroughTheClipboardPixelForPixel) {
    const Picture picture = checkerboard(5, 4);
    ASSERT_TRUE(win32::putClipboardPicture(nullptr, picture));
    const Picture back = win32::clipboardPicture(nullptr);
    const DibPicture* copy = win32::dibOf(back);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->width(), 5);
    ASSERT_EQ(copy->height(), 4);
    EXPECT_EQ(copy->pixels(), win32::dibOf(picture)->pixels());
}

TEST(ClipboardTest, NoPictureLeavesTheClipboardAsItIs) {
    ASSERT_TRUE(win32::putClipboardPicture(nullptr, checkerboard(2, 2)));
    EXPECT_FALSE(win32::putClipboardPicture(nullptr, Picture{}));
    const DibPicture* kept = win32::dibOf(win32::clipboardPicture(nullptr));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->width(), 2);
}

TEST(ClipboardTest, TextOnTheClipboardIsNoPicture) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4 * sizeof(wchar_t));
    std::memcpy(GlobalLock(text), L"abc", 4 * sizeof(wchar_t));
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    CloseClipboard();
    EXPECT_EQ(win32::clipboardPicture(nullptr), nullptr);
}

TEST_F(PictureBoxTest, AnAssignedPictureIsShownBehindWhatIsDrawn) {
    win32::PictureBox& picture2 = box(Picture2);
    const Picture picture = checkerboard(40, 30);
    picture2.setPicture(picture);
    EXPECT_EQ(picture2.picture(), picture);
    picture2.setPicture(Picture{});
    EXPECT_EQ(picture2.picture(), nullptr);
    picture2.setPicture(picture);
    window.show();
    RedrawWindow(picture2.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(picture2.hwnd());
    const COLORREF atOrigin = GetPixel(dc, 0, 0);
    const COLORREF besideIt = GetPixel(dc, 1, 0);
    const COLORREF outside = GetPixel(dc, 100, 100);
    ReleaseDC(picture2.hwnd(), dc);
    if (atOrigin == CLR_INVALID) GTEST_SKIP() << "the display cannot be read back";
    EXPECT_EQ(atOrigin, RGB(0, 0, 255));  // 0x000000FF is blue
    EXPECT_EQ(besideIt, RGB(255, 0, 0));
    EXPECT_EQ(outside, white);
}

}  // namespace
}  // namespace stepwise::testing
