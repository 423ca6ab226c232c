#pragma once

#include "platform/win32/WinApi.h"

#include <string>
#include <string_view>

namespace tf {

/// The face a font is asked for by, with the character set that goes with it.
struct FontRequest {
    std::wstring face;
    BYTE charSet = DEFAULT_CHARSET;
};

/// What to ask for when the screens want `wanted`, a Japanese face: `wanted` itself with the
/// Shift-JIS character set when the system has it; else a Japanese face it has (a fixed-pitch one
/// first when `fixedPitch`); else the face of the system's message boxes with the default
/// character set, which at least draws Latin text. Asked for by a name the system lacks, the font
/// mapper may hand back a face with no glyph for any of the text, and every letter is a box.
FontRequest ChooseFontFace(HDC dc, std::wstring_view wanted, bool fixedPitch);

} // namespace tf
