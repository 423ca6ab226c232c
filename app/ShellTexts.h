#pragma once

#include "app/Language.h"

#include <string_view>

namespace tf {

/// The texts the shell and its dialogs show, UTF-8.
inline constexpr std::string_view WindowTitle = "Tonefalls QUILL-MIX";
inline constexpr std::string_view MessageCaption = "Tonefalls";
inline constexpr std::string_view LoadFailedText = "MIDIファイルの読み込みに失敗しました";
inline constexpr std::string_view NoPartQuestion = "演奏パートが選択されていません。続行しますか？";
inline constexpr std::string_view TooManyNotesText = "ノートの数が多すぎて実行できません";
inline constexpr std::string_view VersionLine = "Tonefalls Version 0.21 - QUILL MIX";
/// Said when the help page is missing or the desktop would not open it; the page's full path
/// follows on a line of its own, so the player can open it by hand.
inline constexpr std::string_view HelpNotOpenedText =
    "ヘルプのページを開けませんでした。ブラウザーで次のファイルを開いてください。";
/// The key dialog: the start of the line that names lanes sharing a key, the question OK asks
/// then (Yes keeps them so, No goes back to the dialog), and the button that selects the
/// default keys.
inline constexpr std::string_view SharedKeysLabel = "同じキーのレーン: ";
inline constexpr std::string_view KeepSharedKeysQuestion = "このままでよろしいですか？";
inline constexpr std::string_view ResetKeysText = "既定に戻す";
/// The file chooser's filters: label and the patterns, separated by blanks.
inline constexpr std::string_view MidiFilesFilterLabel = "MIDI files (*.mid *.midi *.smf *.rmi)";
inline constexpr std::string_view MidiFilesPatterns = "*.mid *.midi *.smf *.rmi";
inline constexpr std::string_view AllFilesFilterLabel = "All files (*)";
inline constexpr std::string_view AllFilesPatterns = "*";

/// What the play field shows over the frozen picture while play is paused.
constexpr std::string_view PauseText(Language language) {
    return language == Language::English ? "PAUSE" : "一時停止";
}

/// A recent song whose file is gone: it leaves the list with this word.
constexpr std::string_view MissingSongText(Language language) {
    return language == Language::English ? "The song's file is gone; it has been taken off the recent songs."
                                         : "曲のファイルが見つからないため、最近の曲から外しました。";
}

/// The tooltip of each part's preview button.
constexpr std::string_view PreviewTip(Language language) {
    return language == Language::English ? "Listen to this part alone" : "この曲のパートだけを聴く";
}

/// The instrument of the drum channel (MIDI channel 10).
constexpr std::string_view DrumsName(Language language) {
    return language == Language::English ? "Drums" : "ドラム";
}

/// The part dialog's field for the judgement offset.
constexpr std::string_view OffsetLabel(Language language) {
    return language == Language::English ? "Offset (ms)" : "オフセット (ms)";
}

/// Said when OK finds the offset field holding something other than a whole number.
constexpr std::string_view OffsetNotNumberText(Language language) {
    return language == Language::English ? "Enter the offset as a whole number of ms from -300 to 300."
                                         : "オフセットは -300 から 300 までの整数 (ms) で入力してください。";
}

/// The View menu's switch for the bar of the last presses' errors under the judgement line.
constexpr std::string_view HitErrorBarItem(Language language) {
    return language == Language::English ? "&Hit-error bar" : "ヒットエラーバー(&H)";
}

/// The result screen's timing: an error of %d ms after or before the note, and none.
constexpr std::string_view LateFormat(Language language) {
    return language == Language::English ? "%d ms late" : "%d ms 遅い";
}
constexpr std::string_view EarlyFormat(Language language) {
    return language == Language::English ? "%d ms early" : "%d ms 早い";
}
constexpr std::string_view OnTimeText(Language language) {
    return language == Language::English ? "on time" : "ぴったり";
}
/// The labels before the median error, the mean error, the interquartile range and the number of
/// judged presses.
constexpr std::string_view MedianLabel(Language language) {
    return language == Language::English ? "Median" : "中央値";
}
constexpr std::string_view MeanLabel(Language language) {
    return language == Language::English ? "Mean" : "平均";
}
constexpr std::string_view SpreadLabel(Language language) {
    return language == Language::English ? "Spread (IQR)" : "ばらつき (IQR)";
}
constexpr std::string_view PressCountLabel(Language language) {
    return language == Language::English ? "Presses" : "打鍵数";
}
/// The result screen's offer of a new offset (%d ms), and the line that replaces it once taken.
constexpr std::string_view OfferFormat(Language language) {
    return language == Language::English ? "F4: set offset to %d ms" : "F4: オフセットを %d ms にする";
}
constexpr std::string_view OffsetSetFormat(Language language) {
    return language == Language::English ? "Offset set to %d ms" : "オフセットを %d ms にしました";
}

} // namespace tf
