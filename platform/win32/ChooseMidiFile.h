#pragma once

#include "platform/win32/WinApi.h"

#include <filesystem>
#include <string>

namespace tf {

/// The open-file dialog for MIDI files, owned by `owner` and centred over it, opening in
/// `folder` (empty: Windows' own choice): `filters` is the list of description and pattern
/// pairs (each text ends in a NUL, the list in a second one; patterns are separated by ';'), the
/// file must exist, a name typed without extension gets ".mid". True when a file was chosen,
/// whose full path (at most 259 UTF-16 units, taken as Windows gives it) is then in `path`;
/// false when cancelled. `title` is the dialog's caption.
bool ChooseMidiFile(HWND owner, std::filesystem::path& path, const std::wstring& filters,
                    const std::filesystem::path& folder = {}, const std::wstring& title = {});

} // namespace tf
