#pragma once

#include <filesystem>

namespace tf {

/// The user's roaming application data folder (%APPDATA%); empty when Windows will not say.
std::filesystem::path AppDataDirectory();

} // namespace tf
