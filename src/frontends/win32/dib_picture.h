#pragma once
// A picture as the Win32 front end holds it: 32-bit pixels, rows from the top, each pixel
// 0x00RRGGBB as in a 32-bit device-independent bitmap. It passes between the picture boxes and the
// clipboard, and is drawn with SetDIBitsToDevice.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/picture.h"

namespace stepwise::win32 {

class DibPicture : public PictureData {
public:
    DibPicture(int width, int height, std::vector<std::uint32_t> pixels);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

    // The picture as CF_DIB holds it: a BITMAPINFOHEADER, then the rows from the bottom.
    std::vector<std::uint8_t> packedDib() const;
    // Draws the picture unscaled with its top-left corner at (x, y).
    void draw(HDC dc, int x, int y) const;

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

// The picture's pixels; nullptr for no picture or one this front end did not make.
const DibPicture* dibOf(const Picture& picture);

// The pixels of any bitmap GDI can read, as a picture; an empty Picture when it cannot be read.
Picture pictureOfBitmap(HBITMAP bitmap);

}  // namespace stepwise::win32
