#pragma once

#include "app/text/Language.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tf {

/// The pictures the window loads once, in this order.
inline constexpr const char* MainBitmapFile = "main.bmp";
inline constexpr const char* TitleBitmapFile = "title.bmp";
/// The title picture with its tagline in English; the English game falls back to the other one
/// when it is missing.
inline constexpr const char* EnglishTitleBitmapFile = "title-en.bmp";
inline constexpr const char* ResultBitmapFile = "result.bmp";

/// The folders that may hold the data files (the three pictures and the help pages), in the
/// order they are searched:
/// 1. `programDirectory`, the running program's own folder (the Windows zip, a copied build);
/// 2. its "../data" (the build tree: build/app/tonefalls finds build/data);
/// 3. its "../share/tonefalls" (an installed game: PREFIX/bin finds PREFIX/share/tonefalls);
/// 4. `workingDirectory`.
/// An empty `programDirectory` leaves the first three out; each folder comes once.
std::vector<std::filesystem::path> DataCandidates(const std::filesystem::path& programDirectory,
                                                  const std::filesystem::path& workingDirectory);

/// The first candidate that holds all three pictures; empty when none does.
std::filesystem::path FindDataDirectory(std::span<const std::filesystem::path> candidates);

/// The help page in `language`, "help/help.html" (Japanese) or "help/help-en.html" (English), of
/// the first candidate that has it; when none has the English page, the Japanese one; when none
/// has that either, where the first candidate would hold the page asked for (empty without
/// candidates).
std::filesystem::path FindHelpPage(std::span<const std::filesystem::path> candidates,
                                   Language language = Language::Japanese);

/// The line said once on stderr when no candidate holds the pictures: where the game looked.
std::string MissingPicturesText(std::span<const std::filesystem::path> candidates);

} // namespace tf
