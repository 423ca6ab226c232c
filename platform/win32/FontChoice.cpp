#include "platform/win32/FontChoice.h"

namespace tf {
namespace {

struct Search {
    std::wstring_view wanted;
    bool fixedPitch = false;
    bool wantedFound = false;
    std::wstring anyJapanese;
    std::wstring samePitch;
};

int CALLBACK OnFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    const std::wstring_view face(font->lfFaceName);
    // Faces named with '@' are the same fonts turned for vertical writing.
    if (face.empty() || face.front() == L'@') {
        return 1;
    }
    if (face == search.wanted) {
        search.wantedFound = true;
        return 0;
    }
    if (search.anyJapanese.empty()) {
        search.anyJapanese = face;
    }
    const bool fixed = (font->lfPitchAndFamily & 0x03) == FIXED_PITCH;
    if (search.samePitch.empty() && fixed == search.fixedPitch) {
        search.samePitch = face;
    }
    return 1;
}

std::wstring MessageBoxFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
        metrics.lfMessageFont.lfFaceName[0] != L'\0') {
        return metrics.lfMessageFont.lfFaceName;
    }
    // The logical name every Windows maps to its dialog face.
    return L"MS Shell Dlg";
}

} // namespace

FontRequest ChooseFontFace(HDC dc, std::wstring_view wanted, bool fixedPitch) {
    Search search;
    search.wanted = wanted;
    search.fixedPitch = fixedPitch;
    // Every face that has the Japanese character set, the wanted one among them when it is there.
    LOGFONTW japanese{};
    japanese.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExW(dc, &japanese, OnFace, reinterpret_cast<LPARAM>(&search), 0);
    if (search.wantedFound) {
        return {std::wstring(wanted), SHIFTJIS_CHARSET};
    }
    if (!search.samePitch.empty()) {
        return {search.samePitch, SHIFTJIS_CHARSET};
    }
    if (!search.anyJapanese.empty()) {
        return {search.anyJapanese, SHIFTJIS_CHARSET};
    }
    return {MessageBoxFace(), DEFAULT_CHARSET};
}

} // namespace tf
