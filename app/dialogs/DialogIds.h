#pragma once

namespace tf {

/// Control ids of the part-selection dialog. Channel ch (part ch + 1) owns PartCheckBase + ch,
/// PartCountBase + ch, PartInstrumentBase + ch and PreviewButtonBase + ch.
inline constexpr int PartCheckBase = 1001;
inline constexpr int LevelCheck = 1018;
inline constexpr int Speed10Radio = 1021;
inline constexpr int Speed15Radio = 1022;
inline constexpr int Speed20Radio = 1023;
inline constexpr int Speed30Radio = 1024;
inline constexpr int HiddenCheck = 1025;
inline constexpr int SuddenCheck = 1026;
inline constexpr int PartCountBase = 1029;
inline constexpr int Keys5Radio = 1045;
inline constexpr int Keys7Radio = 1046;
inline constexpr int Keys15Radio = 1047;
inline constexpr int AutoPlayCheck = 1048;
inline constexpr int KeyLayoutButton = 1049;
inline constexpr int PreviewButtonBase = 1050;
/// The instrument of channel ch, beside its note count.
inline constexpr int PartInstrumentBase = 1081;
/// The judgement offset in ms, typed in.
inline constexpr int OffsetField = 1073;

/// The key dialog's drop-down list of lane l is KeyComboBase + l.
inline constexpr int KeyComboBase = 1051;
/// The key dialog's button that selects the default keys, and its line naming lanes that
/// share a key.
inline constexpr int KeyResetButton = 1067;
inline constexpr int SharedKeysText = 1068;

/// The about box's picture of the program icon, and its line naming the output in use.
inline constexpr int AboutIcon = 1070;
inline constexpr int AboutSoundText = 1071;

} // namespace tf
