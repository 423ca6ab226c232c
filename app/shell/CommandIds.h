#pragma once

// The keys the main window acts on (Enter, Esc, Space, F1-F4, F11) are named with all the others.
#include "platform/KeyCodes.h"

namespace tf {

/// The menu and accelerator commands of the main window.
inline constexpr int AboutCommand = 104;
inline constexpr int ExitCommand = 105;
inline constexpr int StartCommand = 129;
inline constexpr int HelpCommand = 130;
/// View > MIDI input: item i of the menu the shell last made (`Shell::midiInputMenu`) is command
/// MidiInputFirstCommand + i.
inline constexpr int MidiInputFirstCommand = 200;
inline constexpr int MidiInputCommandCount = 64;

/// The View menu's zoom and full-screen items (F11 and Alt+Enter are accelerators of the last).
inline constexpr int ZoomX1Command = 141;
inline constexpr int ZoomX15Command = 142;
inline constexpr int ZoomX2Command = 143;
inline constexpr int ZoomX3Command = 144;
inline constexpr int FullScreenCommand = 145;
/// The View menu's check item that shows the bar of the last presses' errors during play.
inline constexpr int HitErrorBarCommand = 146;
/// The View menu's check item that fills the full screen smoothly instead of at a whole factor.
inline constexpr int SmoothFullScreenCommand = 147;
/// The View menu's check item that shows each lane's key under the keyboard during play.
inline constexpr int KeyLabelsCommand = 149;
/// View > Language: the texts in Japanese or in English from now on.
inline constexpr int JapaneseCommand = 151;
inline constexpr int EnglishCommand = 152;

/// GamePlay > Recent: entry i (0 the newest) is RecentSongCommandBase + i.
inline constexpr int RecentSongCommandBase = 161;
inline constexpr int RecentSongLimit = 8;

/// The standard button ids every dialog uses.
inline constexpr int OkButton = 1;
inline constexpr int CancelButton = 2;

} // namespace tf
