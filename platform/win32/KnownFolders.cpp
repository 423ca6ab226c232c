#include "platform/win32/KnownFolders.h"

#include "platform/win32/WinApi.h"

#include <shlobj.h>

namespace tf {

std::filesystem::path AppDataDirectory() {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
        return {};
    }
    return std::filesystem::path(folder);
}

} // namespace tf
