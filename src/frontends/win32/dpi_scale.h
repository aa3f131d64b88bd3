#pragma once
// The window's twip layout in pixels at the screen's resolution: 15 twips a pixel at 96 dots per
// inch, 10 at 144, and so on.
namespace stepwise::win32 {

struct DpiScale {
    int dpi = 96;

    int pixels(int twips) const;
    // A font height in pixels for a size in points.
    int fontPixels(double points) const;
    // Twips per pixel, for picture boxes whose user scale is not yet set.
    double twipsPerPixel() const { return 1440.0 / dpi; }
};

// The resolution Windows gives this (system DPI aware) program.
DpiScale screenScale();

}  // namespace stepwise::win32
