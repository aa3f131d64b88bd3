#include "frontends/win32/truetype_box_font.h"

#include "app/control_table.h"

namespace stepwise::win32 {

namespace {

constexpr wchar_t preferredFace[] = L"Segoe UI";
constexpr wchar_t fallbackFace[] = L"Tahoma";

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

bool isInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    if (HDC screen = GetDC(nullptr)) {
        EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
    }
    return found;
}

}  // namespace

std::wstring trueTypeBoxFace() { return isInstalled(preferredFace) ? preferredFace : fallbackFace; }

HFONT createTrueTypeBoxFont(DpiScale scale) {
    LOGFONTW font{};
    font.lfHeight = -scale.fontPixels(largeBoxFontPoints);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, trueTypeBoxFace().c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace stepwise::win32
