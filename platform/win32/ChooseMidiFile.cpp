#include "platform/win32/ChooseMidiFile.h"

#include "platform/win32/CentreOver.h"

#include <array>
#include <cstddef>

namespace tf {

bool ChooseMidiFile(HWND owner, std::filesystem::path& path, const std::wstring& filters,
                    const std::filesystem::path& folder, const std::wstring& title) {
    std::array<wchar_t, MAX_PATH> buffer{};
    OPENFILENAMEW dialog{};
    // The size of the form without the later extension fields: the dialog then has no places bar.
    dialog.lStructSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof dialog.lpTemplateName;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = L"mid";
    const CentreNextWindowOver centred(owner);
    if (GetOpenFileNameW(&dialog) == 0) {
        return false;
    }
    path = std::filesystem::path(buffer.data());
    return true;
}

} // namespace tf
