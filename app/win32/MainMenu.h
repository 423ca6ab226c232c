#pragma once

#include "app/text/Language.h"

#include <windows.h>

#include <string>

namespace tf {

/// The chooser's filter list: each description and its patterns (';' between them, where the
/// shell's texts have blanks), every text ending in a NUL and the list in a second one.
std::wstring ChooserFilters(Language language);

/// The window's menu in `language`: GamePlay (Start, Recent, Exit), View (the zooms, full
/// screen, smooth filling, the hit-error bar, Language, MIDI input last) and Help (Help, About).
/// Recent holds one greyed blank item and MIDI input "None" until they are filled in.
HMENU MakeMainMenu(Language language);

} // namespace tf
