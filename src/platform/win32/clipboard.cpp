#include "platform/win32/clipboard.h"

#include <cstring>

#include "platform/win32/dib_picture.h"

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

HGLOBAL globalCopy(const std::vector<std::uint8_t>& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

bool putClipboardPicture(HWND owner, const Picture& picture) {
    const DibPicture* dib = dibOf(picture);
    if (!dib) return false;
    HGLOBAL memory = globalCopy(dib->packedDib());
    if (!memory) return false;
    if (!openClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_DIB, memory) != nullptr;
    if (!placed) GlobalFree(memory);  // the clipboard took no ownership
    CloseClipboard();
    return placed;
}

Picture clipboardPicture(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_BITMAP) || !openClipboard(owner)) return {};
    // The clipboard owns the bitmap; its pixels are copied out before it is closed.
    Picture picture = pictureOfBitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
    CloseClipboard();
    return picture;
}

}  // namespace stepwise::win32
