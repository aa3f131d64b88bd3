#include "frontends/win32/clipboard.h"

#include <cstring>

#include "frontends/win32/dib_picture.h"

namespace stepwise::win32 {

namespace {

// Another program may hold the clipboard open for a moment.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

HGLOBAL globalCopy(const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// Replaces the clipboard's content with the memory in the format; the clipboard owns it after.
bool putOnClipboard(HWND owner, UINT format, HGLOBAL memory) {
    if (!memory) return false;
    if (!openClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(format, memory) != nullptr;
    if (!placed) GlobalFree(memory);  // the clipboard took no ownership
    CloseClipboard();
    return placed;
}

}  // namespace

bool putClipboardPicture(HWND owner, const Picture& picture) {
    const DibPicture* dib = dibOf(picture);
    if (!dib) return false;
    const std::vector<std::uint8_t> bytes = dib->packedDib();
    return putOnClipboard(owner, CF_DIB, globalCopy(bytes.data(), bytes.size()));
}

bool putClipboardText(HWND owner, std::wstring_view text) {
    const std::wstring terminated(text);
    return putOnClipboard(owner, CF_UNICODETEXT,
                          globalCopy(terminated.c_str(), (terminated.size() + 1) * sizeof(wchar_t)));
}

Picture clipboardPicture(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_BITMAP) || !openClipboard(owner)) return {};
    // The clipboard owns the bitmap; its pixels are copied out before it is closed.
    Picture picture = pictureOfBitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
    CloseClipboard();
    return picture;
}

}  // namespace stepwise::win32
