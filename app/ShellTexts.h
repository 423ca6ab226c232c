#pragma once

#include <string_view>

namespace tf {

/// The texts the shell and its dialogs show, UTF-8.
inline constexpr std::string_view WindowTitle = "Tonefalls QUILL-MIX";
inline constexpr std::string_view MessageCaption = "Tonefalls";
inline constexpr std::string_view LoadFailedText = "MIDIファイルの読み込みに失敗しました";
inline constexpr std::string_view NoPartQuestion = "演奏パートが選択されていません。続行しますか？";
inline constexpr std::string_view TooManyNotesText = "ノートの数が多すぎて実行できません";
inline constexpr std::string_view VersionLine = "Tonefalls Version 0.21 - QUILL MIX";

} // namespace tf
