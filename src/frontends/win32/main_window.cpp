#include "frontends/win32/main_window.h"

#include <commctrl.h>

#include "frontends/win32/accessible_name.h"
#include "frontends/win32/picture_box.h"
#include "frontends/win32/truetype_box_font.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/window_class.h"

namespace stepwise::win32 {

namespace {

constexpr wchar_t className[] = L"StepwiseMainWindow";
constexpr UINT_PTR pendTimerId = 1;
constexpr int firstControlId = 100;
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = WS_EX_CONTROLPARENT;

// "System" at 9.75 point, bold, in the ANSI character set; Windows substitutes a face if it is missing.
HFONT createLargeBoxFont(DpiScale scale) {
    LOGFONTW font{};
    font.lfHeight = -scale.fontPixels(largeBoxFontPoints);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    for (std::size_t i = 0; i < largeBoxFontFamily.size() && i + 1 < LF_FACESIZE; ++i)
        font.lfFaceName[i] = static_cast<wchar_t>(largeBoxFontFamily[i]);
    return CreateFontIndirectW(&font);
}

// The font Windows uses for messages and dialogs (Segoe UI 9 point on current systems).
HFONT createDefaultFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

bool isPushButton(HWND window) {
    wchar_t name[16];
    return GetClassNameW(window, name, 16) && lstrcmpiW(name, WC_BUTTONW) == 0;
}

}  // namespace

int windowIdOf(ControlId id) { return firstControlId + static_cast<int>(id); }

MainWindow::MainWindow(DpiScale scale) : scale_(scale) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerWindowClass(instance, className, windowProc,
                        {LoadIconW(nullptr, IDI_APPLICATION), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
    RECT frame{0, 0, scale_.pixels(clientWidthTwips), scale_.pixels(clientHeightTwips)};
    AdjustWindowRectEx(&frame, windowStyle, FALSE, windowExStyle);
    const std::wstring caption = toWide(windowCaption);
    CreateWindowExW(windowExStyle, className, caption.c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!hwnd_) return;
    largeBoxFont_ = createLargeBoxFont(scale_);
    defaultFont_ = createDefaultFont();
    createControls();
}

MainWindow::~MainWindow() {
    destroy();
    if (largeBoxFont_) DeleteObject(largeBoxFont_);
    if (defaultFont_) DeleteObject(defaultFont_);
    if (trueTypeBoxFont_) DeleteObject(trueTypeBoxFont_);
}

void MainWindow::createControls() {
    for (const ControlSpec& row : controlTable()) {
        HWND child = createControl(row);
        controls_[static_cast<int>(row.id)] = child;
        if (!child) continue;
        const bool large = row.kind == ControlKind::DisplayBox || row.kind == ControlKind::ResponseBox;
        HFONT font = large ? largeBoxFont_ : defaultFont_;
        if (font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        setAccessibleName(child, toWide(row.accessibleName));
    }
}

HWND MainWindow::createChild(const ControlSpec& row, const wchar_t* cls, DWORD style, DWORD exStyle) {
    const std::wstring caption = toWide(row.caption);
    return CreateWindowExW(exStyle, cls, caption.c_str(), style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                           scale_.pixels(row.left), scale_.pixels(row.top), scale_.pixels(row.width),
                           scale_.pixels(row.height), hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(windowIdOf(row.id))),
                           GetModuleHandleW(nullptr), nullptr);
}

HWND MainWindow::createControl(const ControlSpec& row) {
    switch (row.kind) {
        case ControlKind::DisplayBox:
        case ControlKind::ResponseBox: {
            HWND box = createChild(row, WC_EDITW,
                                   WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_LEFT,
                                   WS_EX_CLIENTEDGE);
            if (box) SendMessageW(box, EM_SETLIMITTEXT, 0, 0);  // as much text as the box can hold
            return box;
        }
        case ControlKind::Button: return createChild(row, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0);
        case ControlKind::TextLine:
            return createChild(row, WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE);
        case ControlKind::Label: return createChild(row, WC_STATICW, SS_LEFT | SS_NOPREFIX, 0);
        case ControlKind::ListBox:
            return createChild(row, WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                               WS_EX_CLIENTEDGE);
        case ControlKind::PictureBox: {
            const RECT bounds{scale_.pixels(row.left), scale_.pixels(row.top),
                              scale_.pixels(row.left) + scale_.pixels(row.width),
                              scale_.pixels(row.top) + scale_.pixels(row.height)};
            return PictureBox::create(hwnd_, windowIdOf(row.id), bounds, scale_);
        }
        case ControlKind::Timer: return nullptr;
    }
    return nullptr;
}

PictureBox* MainWindow::pictureBox(ControlId id) const { return PictureBox::of(control(id)); }

bool MainWindow::findControl(HWND window, ControlId& id) const {
    for (int i = 0; i < controlCount; ++i) {
        if (controls_[i] && controls_[i] == window) {
            id = static_cast<ControlId>(i);
            return true;
        }
    }
    return false;
}

void MainWindow::useTrueTypeDisplayFont(bool trueType) {
    HWND box = control(ControlId::txt_question);
    if (!box) return;
    if (trueType && !trueTypeBoxFont_) trueTypeBoxFont_ = createTrueTypeBoxFont(scale_);
    HFONT wanted = trueType && trueTypeBoxFont_ ? trueTypeBoxFont_ : largeBoxFont_;
    if (wanted && reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)) != wanted)
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
}

void MainWindow::show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    SetForegroundWindow(hwnd_);
    if (HWND first = control(controlTable().front().id)) SetFocus(first);
}

void MainWindow::destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void MainWindow::startTimer(int intervalMs) {
    if (!hwnd_ || timerRunning() || intervalMs <= 0) return;
    if (SetTimer(hwnd_, pendTimerId, static_cast<UINT>(intervalMs), nullptr)) timerInterval_ = intervalMs;
}

void MainWindow::stopTimer() {
    if (hwnd_ && timerRunning()) KillTimer(hwnd_, pendTimerId);
    timerInterval_ = 0;
}

int MainWindow::runMessageLoop() {
    if (!hwnd_) return 0;
    loopRunning_ = true;
    MSG message;
    int status = 0;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            status = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1) break;
        if (handleDialogKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    loopRunning_ = false;
    return status;
}

bool MainWindow::handleDialogKey(MSG& message) {
    if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
    // Escape means nothing in this window, and a multi-line edit box would take it as closing it.
    if ((message.message == WM_KEYDOWN || message.message == WM_CHAR) && message.wParam == VK_ESCAPE) return true;
    return IsDialogMessageW(hwnd_, &message) != FALSE;
}

void MainWindow::moveFocus(WPARAM wParam, LPARAM lParam) {
    HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
    if (target) SetFocus(target);
}

void MainWindow::handleCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    // Enter outside the large boxes reaches the window as IDOK: it presses the focused button.
    if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
        from = GetFocus();
        if (!from || !isPushButton(from)) return;
    } else if (HIWORD(wParam) != BN_CLICKED || !from) {
        return;
    }
    ControlId id;
    if (findControl(from, id) && controlSpec(id).kind == ControlKind::Button && onClick) onClick(id);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: handleCommand(wParam, lParam); return 0;
        case WM_TIMER:
            if (wParam == pendTimerId && onTick) onTick(ControlId::tmr_pend_exp);
            return 0;
        case WM_NEXTDLGCTL: moveFocus(wParam, lParam); return 0;
        case WM_ACTIVATE:
            // Like a dialog, the window gives the focus back to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                focusBeforeDeactivation_ = GetFocus();
            } else if (focusBeforeDeactivation_ && IsChild(hwnd_, focusBeforeDeactivation_)) {
                SetFocus(focusBeforeDeactivation_);
                return 0;
            }
            break;
        case WM_CLOSE:
            stopTimer();
            if (onClosedByUser) onClosedByUser();
            destroy();
            return 0;
        case WM_DESTROY:
            stopTimer();
            if (loopRunning_) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            HWND gone = hwnd_;
            hwnd_ = nullptr;
            controls_.fill(nullptr);
            return DefWindowProcW(gone, message, wParam, lParam);
        }
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return window->handle(message, wParam, lParam);
}

}  // namespace stepwise::win32
