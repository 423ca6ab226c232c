#include "app/text/Texts.h"

#include <array>
#include <cstdio>

namespace tf {

namespace {

struct TextRow {
    TextId id;
    std::string_view japanese;
    std::string_view english;
};

// One row per id, in the enum's order (checked below). The Japanese texts are the game's own
// from its first days, some of them English (the menus, the about box's lines); names read the
// same in both languages.
constexpr std::array<TextRow, TextCount> Rows = {{
    {TextId::WindowTitle, "Tonefalls QUILL-MIX", "Tonefalls QUILL-MIX"},
    {TextId::MessageCaption, "Tonefalls", "Tonefalls"},

    {TextId::GamePlayMenu, "&GamePlay", "&GamePlay"},
    {TextId::StartItem, "&Start...\tF2", "&Start...\tF2"},
    {TextId::RecentMenu, "&Recent", "&Recent"},
    {TextId::ExitItem, "E&xit", "E&xit"},
    {TextId::ViewMenu, "&View", "&View"},
    {TextId::FullScreenItem, "&Full screen\tF11", "&Full screen\tF11"},
    {TextId::SmoothFullScreenItem, "&Smooth full screen", "&Smooth full screen"},
    {TextId::MidiInputMenu, "&MIDI input", "&MIDI input"},
    {TextId::NoMidiInputItem, "None", "None"},
    {TextId::LanguageMenu, "&Language", "&Language"},
    {TextId::JapaneseItem, "日本語(&J)", "日本語(&J)"},
    {TextId::EnglishItem, "&English", "&English"},
    {TextId::HelpMenu, "&Help", "&Help"},
    {TextId::HelpItem, "&Help...\tF1", "&Help...\tF1"},
    {TextId::AboutItem, "&About...", "&About..."},

    {TextId::TitlePrompt, "[Enter] キー、または [F2] キーを押してください",
     "Press [Enter] or [F2] to choose a song"},
    {TextId::ResultHeading, "[RESULT]", "[RESULT]"},

    {TextId::LoadFailed, "MIDIファイルの読み込みに失敗しました", "The MIDI file could not be read."},
    {TextId::NoPartQuestion, "演奏パートが選択されていません。続行しますか？",
     "No part is chosen to play. Go on anyway?"},
    {TextId::TooManyNotes, "ノートの数が多すぎて実行できません", "The song has too many notes to play."},
    {TextId::HelpNotOpened, "ヘルプのページを開けませんでした。ブラウザーで次のファイルを開いてください。",
     "The help page could not be opened. Please open this file in a web browser:"},
    {TextId::MissingSong, "曲のファイルが見つからないため、最近の曲から外しました。",
     "The song's file is gone; it has been taken off the recent songs."},
    {TextId::KeepSharedKeysQuestion, "このままでよろしいですか？", "Keep the keys as they are?"},

    {TextId::OpenMidiFileTitle, "MIDIファイルを開く", "Open a MIDI file"},
    {TextId::MidiFilesFilter, "MIDI files (*.mid *.midi *.smf *.rmi)",
     "MIDI files (*.mid *.midi *.smf *.rmi)"},
    {TextId::AllFilesFilter, "All files (*)", "All files (*)"},

    {TextId::PartDialogTitle, "演奏パートを選べ！", "Choose the parts to play"},
    {TextId::PartsGroup, "演奏するパートの選択", "Parts to play"},
    {TextId::PartLabelFormat, "パート%2d", "Part %d"},
    {TextId::PreviewTip, "この曲のパートだけを聴く", "Listen to this part alone"},
    {TextId::DrumsName, "ドラム", "Drums"},
    {TextId::AutoPlayGroup, "AUTO PLAY", "AUTO PLAY"},
    {TextId::AutoPlayCheck, "自動演奏", "Auto play"},
    {TextId::HighSpeedGroup, "HIGH SPEED", "HIGH SPEED"},
    {TextId::HiddenSuddenGroup, "HIDDEN SUDDEN", "HIDDEN SUDDEN"},
    {TextId::HiddenCheck, "HIDDEN", "HIDDEN"},
    {TextId::SuddenCheck, "SUDDEN", "SUDDEN"},
    {TextId::LevelGroup, "LEVEL", "LEVEL"},
    {TextId::LevelCheck, "同時押し無し", "No chords"},
    {TextId::KeyGroup, "KEY", "KEY"},
    {TextId::KeyLayoutButton, "キー配置...", "Keys..."},
    {TextId::OkButton, "OK", "OK"},
    {TextId::CancelButton, "ｷｬﾝｾﾙ", "Cancel"},

    {TextId::KeyDialogTitle, "キー配置", "Lane keys"},
    {TextId::WhiteKeyLane, "白鍵盤", "White"},
    {TextId::BlackKeyLane, "黒鍵盤", "Black"},
    {TextId::ResetKeysButton, "既定に戻す", "Defaults"},
    {TextId::SharedKeysLabel, "同じキーのレーン: ", "Lanes sharing a key: "},
    {TextId::SharedKeysAnd, " と ", " and "},
    {TextId::SharedKeysSeparator, "、", "; "},

    {TextId::AboutTitle, "バージョン情報", "About Tonefalls"},
    {TextId::VersionLine, "Tonefalls Version 0.21 - QUILL MIX", "Tonefalls Version 0.21 - QUILL MIX"},
    {TextId::AboutCredit, "画像とヘルプはこのゲームのために作りました。曲は付属しません。",
     "Pictures and help made for this game. No songs come with it: play your own MIDI files."},
    {TextId::SoundLabel, "Sound: ", "Sound: "},
    {TextId::NoSound, "none", "none"},
    {TextId::OutputNotFound, "MIDIポートが見つかりません。", "No MIDI output was found."},
    {TextId::OutputAllocated, "指定されたリソースは既に割り当てられています。",
     "The MIDI output is already in use."},
    {TextId::OutputBadDeviceId, "指定されたデバイス識別子は範囲外です。",
     "The MIDI output named does not exist."},
    {TextId::OutputInvalidParam, "指定されたポインタまたは構造体は無効です。",
     "The MIDI output was asked to open with a wrong parameter."},
    {TextId::OutputNoMemory, "システムはメモリを割り当てられてないか、またはロックできません。",
     "There was not enough memory to open the MIDI output."},
    {TextId::PlaysSilently, "音を出さずにゲームを続けます。", "The game plays without sound."},
    {TextId::OtherOutputOptions,
     "ほかの出力を選ぶオプション:\n  --midi-out fluidsynth|alsa:NAME|none\n  --audio-driver NAME\n  "
     "--soundfont FILE",
     "Options that choose another output:\n  --midi-out fluidsynth|alsa:NAME|none\n  --audio-driver NAME\n"
     "  --soundfont FILE"},

    {TextId::Pause, "一時停止", "PAUSE"},

    {TextId::OffsetLabel, "オフセット (ms)", "Offset (ms)"},
    {TextId::OffsetNotNumber, "オフセットは -300 から 300 までの整数 (ms) で入力してください。",
     "Enter the offset as a whole number of ms from -300 to 300."},
    {TextId::HitErrorBarItem, "&Hit-error bar", "&Hit-error bar"},
    {TextId::LateFormat, "%d ms 遅い", "%d ms late"},
    {TextId::EarlyFormat, "%d ms 早い", "%d ms early"},
    {TextId::OnTime, "ぴったり", "on time"},
    {TextId::MedianLabel, "中央値", "Median"},
    {TextId::MeanLabel, "平均", "Mean"},
    {TextId::SpreadLabel, "ばらつき (IQR)", "Spread (IQR)"},
    {TextId::PressCountLabel, "打鍵数", "Presses"},
    {TextId::OfferFormat, "F4: オフセットを %d ms にする", "F4: set offset to %d ms"},
    {TextId::OffsetSetFormat, "オフセットを %d ms にしました", "Offset set to %d ms"},

    // What a new player was told too little of: why the game is silent, why a song did not
    // load, a song or part with nothing to play, the lanes' keys and the result screen's keys.
    {TextId::OutputNoMidiOutput, "MIDI出力が見つからないか、開けませんでした。",
     "No MIDI output was found, or it would not open."},
    {TextId::OutputNoAudioDriver, "オーディオドライバーを開けなかったため、音が出せません。",
     "No audio driver could be opened, so there is no sound."},
    {TextId::OutputNoSoundFont, "音色ファイル (SoundFont) が見つからないか、読み込めませんでした。",
     "The SoundFont (the instruments' sounds) is missing or did not load."},
    {TextId::OutputDetailLabel, "詳細: ", "Details: "},
    {TextId::DoNotShowAgain, "次回からこのメッセージを表示しない", "Do not show this again"},
    {TextId::ShowAgainQuestion, "次回の起動時もこのメッセージを表示しますか？",
     "Show this message again at the next start?"},
    {TextId::LoadFileLabel, "ファイル: ", "File: "},
    {TextId::LoadCannotOpen, "ファイルを開けません。", "The file cannot be opened."},
    {TextId::LoadEmpty, "ファイルが空です (0 バイト)。", "The file is empty (0 bytes)."},
    {TextId::LoadTooShort, "ファイルが短すぎて、MIDIファイルのヘッダーが入っていません。",
     "The file is too short to hold a MIDI header."},
    {TextId::LoadNotMidi, "MIDIファイルではありません。", "It is not a MIDI file."},
    {TextId::LoadBadHeader, "MIDIファイルのヘッダーが壊れています (分解能が 0)。",
     "Its MIDI header is broken (a time division of 0)."},
    {TextId::NoNotesInSong, "この曲には音符がありません", "this song has no notes"},
    {TextId::EmptyPartTip, "このパートには音符がないので、聴くものがありません",
     "This part has no notes: nothing to play"},
    {TextId::KeyLabelsItem, "&Key labels", "&Key labels"},
    {TextId::ResultEnterKey, "Enter: 曲を選ぶ", "Enter: next song"},
    {TextId::ResultAgainKey, "F3: もう一度", "F3: play again"},
    {TextId::ResultOffsetKey, "F4: オフセット", "F4: offset"},
    {TextId::ResultTitleKey, "Esc: タイトル", "Esc: title"},
}};

constexpr bool RowsInOrder() {
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        if (static_cast<std::size_t>(Rows[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInOrder(), "every row of the text table stands at its id");

} // namespace

std::string FormatText(TextId id, Language language, int value) {
    // The table's texts are literals, so each view's data ends in a NUL; none is read from outside.
    std::array<char, 160> buffer{};
    std::snprintf(buffer.data(), buffer.size(), Text(id, language).data(), value);
    return buffer.data();
}

std::string_view Text(TextId id, Language language) {
    const auto index = static_cast<std::size_t>(id);
    if (index >= Rows.size()) {
        return {};
    }
    return language == Language::English ? Rows[index].english : Rows[index].japanese;
}

} // namespace tf
