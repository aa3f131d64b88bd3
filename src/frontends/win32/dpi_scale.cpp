#include "frontends/win32/dpi_scale.h"

#include <windows.h>

#include <cmath>

namespace stepwise::win32 {

int DpiScale::pixels(int twips) const { return static_cast<int>(std::lround(twips * double(dpi) / 1440.0)); }

int DpiScale::fontPixels(double points) const { return static_cast<int>(std::lround(points * dpi / 72.0)); }

DpiScale screenScale() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return DpiScale{dpi > 0 ? dpi : 96};
}

}  // namespace stepwise::win32
