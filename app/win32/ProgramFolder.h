#pragma once

#include <filesystem>

namespace tf {

/// The running program's folder, for the data files beside it; empty when Windows will not say.
std::filesystem::path ProgramDirectory();

} // namespace tf
