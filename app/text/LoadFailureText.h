#pragma once

#include "app/text/Language.h"
#include "song/Song.h"

#include <filesystem>
#include <string>

namespace tf {

/// The box for a song that did not load, in `language`: the game's own first line, the file's
/// name, and why (`reason`; the line is left out for LoadFailure::None).
std::string LoadFailureText(LoadFailure reason, const std::filesystem::path& file, Language language);

} // namespace tf
