#pragma once

#include "tools/cli/CommandLine.h"

namespace tf::cli {

/// Exit codes of the companion.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

/// The text printed on stderr when the MIDI file cannot be loaded.
inline constexpr std::string_view LoadFailureText = "MIDIファイルの読み込みに失敗しました";

/// The text printed on stderr when the chosen parts have more notes than a chart holds.
inline constexpr std::string_view TooManyNotesText = "ノートの数が多すぎて実行できません";

/// Each command runs to its end and answers the process's exit code.
int RunInfo(const CliArguments& arguments);
int RunChart(const CliArguments& arguments);
int RunEvents(const CliArguments& arguments);

} // namespace tf::cli
