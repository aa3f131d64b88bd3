#include "frontends/win32/picture_box.h"

#include <cmath>

#include "frontends/win32/accessible_name.h"
#include "frontends/win32/dib_picture.h"
#include "frontends/win32/window_class.h"

namespace stepwise::win32 {

namespace {

constexpr wchar_t className[] = L"StepwisePictureBox";
constexpr COLORREF white = RGB(255, 255, 255);

}  // namespace

HWND PictureBox::create(HWND parent, int id, const RECT& bounds, DpiScale scale) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    registerWindowClass(instance, className, windowProc);
    HWND hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                                bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd) return nullptr;
    auto* box = new PictureBox(hwnd, scale);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
    box->fitSurface();
    return hwnd;
}

PictureBox* PictureBox::of(HWND window) {
    wchar_t name[64];
    if (!window || !GetClassNameW(window, name, 64) || lstrcmpW(name, className) != 0) return nullptr;
    return reinterpret_cast<PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

PictureBox::PictureBox(HWND hwnd, DpiScale scale) : hwnd_(hwnd), scale_(scale) {}

PictureBox::~PictureBox() {
    if (surfaceDc_) {
        SelectObject(surfaceDc_, previousBitmap_);
        DeleteDC(surfaceDc_);
    }
    if (surface_) DeleteObject(surface_);
}

void PictureBox::setUserScale(float width, float height) {
    if (width == 0 || height == 0) return;
    userScale_ = UserScale{width, height};
}

SIZE PictureBox::interiorSize() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return SIZE{client.right, client.bottom};
}

UserScale PictureBox::userScale() const {
    if (userScale_) return *userScale_;
    const SIZE size = interiorSize();
    return UserScale{float(size.cx * scale_.twipsPerPixel()), float(size.cy * scale_.twipsPerPixel())};
}

double PictureBox::horizontalPixels(float length) const {
    return double(length) * interiorSize().cx / userScale().width;
}

POINT PictureBox::toPixels(float x, float y) const {
    const UserScale scale = userScale();
    const SIZE size = interiorSize();
    return POINT{static_cast<LONG>(std::lround(double(x) * size.cx / scale.width)),
                 static_cast<LONG>(std::lround(double(y) * size.cy / scale.height))};
}

void PictureBox::drawCircle(float x, float y, float radius) {
    fitSurface();
    if (!surfaceDc_) return;
    const POINT centre = toPixels(x, y);
    const long r = std::lround(std::fabs(horizontalPixels(radius)));
    HPEN pen = CreatePen(PS_SOLID, 1, drawingColour_);
    HGDIOBJ oldPen = SelectObject(surfaceDc_, pen);
    HGDIOBJ oldBrush = SelectObject(surfaceDc_, GetStockObject(NULL_BRUSH));
    // The bounding box's right and bottom edges are exclusive.
    Ellipse(surfaceDc_, centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
    SelectObject(surfaceDc_, oldBrush);
    SelectObject(surfaceDc_, oldPen);
    DeleteObject(pen);
    GdiFlush();
    ++circleCount_;
    InvalidateRect(hwnd_, nullptr, FALSE);
    announceDescriptionChange(hwnd_);
}

void PictureBox::setPicture(const Picture& picture) {
    picture_ = dibOf(picture) ? picture : Picture{};
    InvalidateRect(hwnd_, nullptr, FALSE);
    announceDescriptionChange(hwnd_);
}

COLORREF PictureBox::surfacePixel(int x, int y) const {
    if (!surfaceBits_ || x < 0 || y < 0 || x >= surfaceSize_.cx || y >= surfaceSize_.cy) return CLR_INVALID;
    const std::uint32_t p = surfaceBits_[static_cast<std::size_t>(y) * surfaceSize_.cx + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void PictureBox::fitSurface() {
    const SIZE size = interiorSize();
    if (size.cx == surfaceSize_.cx && size.cy == surfaceSize_.cy && surfaceDc_) return;
    if (size.cx <= 0 || size.cy <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP fitted = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!fitted || !dc) {
        if (fitted) DeleteObject(fitted);
        if (dc) DeleteDC(dc);
        return;
    }
    HGDIOBJ previous = SelectObject(dc, fitted);
    const RECT all{0, 0, size.cx, size.cy};
    HBRUSH background = CreateSolidBrush(white);
    FillRect(dc, &all, background);
    DeleteObject(background);
    if (surfaceDc_) {
        BitBlt(dc, 0, 0, surfaceSize_.cx, surfaceSize_.cy, surfaceDc_, 0, 0, SRCCOPY);
        SelectObject(surfaceDc_, previousBitmap_);
        DeleteDC(surfaceDc_);
        DeleteObject(surface_);
    }
    GdiFlush();
    surfaceDc_ = dc;
    surface_ = fitted;
    previousBitmap_ = previous;
    surfaceBits_ = static_cast<std::uint32_t*>(bits);
    surfaceSize_ = size;
}

void PictureBox::paint(HDC dc) const {
    const SIZE size = interiorSize();
    const RECT all{0, 0, size.cx, size.cy};
    const DibPicture* shown = dibOf(picture_);
    if (!shown) {
        // Nothing behind the drawing: the kept bitmap is the whole interior.
        if (surfaceDc_) BitBlt(dc, 0, 0, size.cx, size.cy, surfaceDc_, 0, 0, SRCCOPY);
        else FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    } else {
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        shown->draw(dc, 0, 0);
        // What was drawn lies over the picture; the untouched white of the bitmap lets it through.
        if (surfaceDc_) TransparentBlt(dc, 0, 0, surfaceSize_.cx, surfaceSize_.cy, surfaceDc_, 0, 0, surfaceSize_.cx,
                                       surfaceSize_.cy, white);
    }
    if (GetFocus() == hwnd_) {
        RECT focus = all;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT PictureBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // paint() covers the whole interior
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            paint(dc);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_SIZE: fitSurface(); return 0;
        case WM_LBUTTONDOWN: SetFocus(hwnd_); return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(hwnd_, nullptr, FALSE); return 0;
        default: return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK PictureBox::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!box) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete box;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return box->handle(message, wParam, lParam);
}

}  // namespace stepwise::win32
