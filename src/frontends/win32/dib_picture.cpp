#include "frontends/win32/dib_picture.h"

#include <cstring>
#include <memory>
#include <stdexcept>

namespace stepwise::win32 {

namespace {

// A 32-bit header; a negative height means the rows run from the top.
BITMAPINFO header32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

DibPicture::DibPicture(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    if (width <= 0 || height <= 0 || pixels_.size() != static_cast<std::size_t>(width) * height)
        throw std::invalid_argument("a picture needs width x height pixels");
}

std::vector<std::uint8_t> DibPicture::packedDib() const {
    const BITMAPINFOHEADER header = header32(width_, height_).bmiHeader;
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    std::vector<std::uint8_t> dib(sizeof header + rowBytes * height_);
    std::memcpy(dib.data(), &header, sizeof header);
    for (int y = 0; y < height_; ++y) {
        const int fromBottom = height_ - 1 - y;
        std::memcpy(dib.data() + sizeof header + rowBytes * fromBottom, &pixels_[static_cast<std::size_t>(y) * width_],
                    rowBytes);
    }
    return dib;
}

void DibPicture::draw(HDC dc, int x, int y) const {
    const BITMAPINFO info = header32(width_, -height_);
    SetDIBitsToDevice(dc, x, y, width_, height_, 0, 0, 0, height_, pixels_.data(), &info, DIB_RGB_COLORS);
}

const DibPicture* dibOf(const Picture& picture) { return dynamic_cast<const DibPicture*>(picture.get()); }

Picture pictureOfBitmap(HBITMAP bitmap) {
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
    BITMAPINFO info = header32(size.bmWidth, -size.bmHeight);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, size.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != size.bmHeight) return {};
    for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;  // no alpha: the boxes draw pictures opaque
    return std::make_shared<const DibPicture>(size.bmWidth, size.bmHeight, std::move(pixels));
}

}  // namespace stepwise::win32
