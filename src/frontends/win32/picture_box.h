#pragma once
// A picture box: a white child window with a sunken edge, a user coordinate scale, a kept memory
// bitmap that the drawing commands paint on, and an assignable picture shown behind what is drawn.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/picture.h"
#include "frontends/win32/dpi_scale.h"

namespace stepwise::win32 {

struct UserScale {
    float width, height;
};

class PictureBox {
public:
    // Creates the box as a child of `parent`; the window owns the box and frees it when destroyed.
    static HWND create(HWND parent, int id, const RECT& bounds, DpiScale scale);
    // The box of a window made by create(); nullptr for any other window.
    static PictureBox* of(HWND window);

    HWND hwnd() const { return hwnd_; }

    // The interior spans `width` user units across and `height` down, origin at the top-left
    // corner. A zero extent would make every point the same, so it is refused. Until a scale is
    // set the units are twips.
    void setUserScale(float width, float height);
    UserScale userScale() const;

    // A whole circle outline in the drawing colour, centred at (x, y) in user units, with the radius
    // measured in horizontal user units, so that the circle stays round in pixels.
    void drawCircle(float x, float y, float radius);

    // The assigned picture only, never what was drawn; empty when none is assigned.
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& picture);

    int circleCount() const { return circleCount_; }
    COLORREF drawingColour() const { return drawingColour_; }
    // The kept bitmap, interior-sized: white where nothing has been drawn.
    SIZE surfaceSize() const { return surfaceSize_; }
    COLORREF surfacePixel(int x, int y) const;
    // A user point in interior pixels.
    POINT toPixels(float x, float y) const;
    double horizontalPixels(float length) const;

private:
    PictureBox(HWND hwnd, DpiScale scale);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc) const;
    // Keeps the bitmap the size of the interior, carrying over what is drawn.
    void fitSurface();
    SIZE interiorSize() const;

    HWND hwnd_;
    DpiScale scale_;
    HDC surfaceDc_ = nullptr;
    HBITMAP surface_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    std::uint32_t* surfaceBits_ = nullptr;
    SIZE surfaceSize_{0, 0};
    Picture picture_;
    std::optional<UserScale> userScale_;
    COLORREF drawingColour_ = RGB(0, 0, 0);
    int circleCount_ = 0;
};

}  // namespace stepwise::win32
