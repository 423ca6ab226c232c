#pragma once

#include "app/text/Language.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tf {

/// Every text the shell shows, by what it is. The picture's own words (the judgements, the
/// marks, the play field's labels) are drawn by the game and are not here.
enum class TextId {
    // The window and its boxes.
    WindowTitle,
    MessageCaption,
    // Menus. "&" marks the access key; "\t" is followed by the accelerator's name.
    GamePlayMenu,
    StartItem,
    RecentMenu,
    ExitItem,
    ViewMenu,
    FullScreenItem,
    SmoothFullScreenItem,
    MidiInputMenu,
    NoMidiInputItem,
    LanguageMenu,
    JapaneseItem,
    EnglishItem,
    HelpMenu,
    HelpItem,
    AboutItem,
    // The title and result screens.
    TitlePrompt,
    ResultHeading,
    // Message boxes.
    LoadFailed,
    NoPartQuestion,
    TooManyNotes,
    HelpNotOpened,
    MissingSong,
    KeepSharedKeysQuestion,
    // The file chooser.
    OpenMidiFileTitle,
    MidiFilesFilter,
    AllFilesFilter,
    // The part dialog.
    PartDialogTitle,
    PartsGroup,
    /// printf format of a part's label, with the part number (1-16) as its one int.
    PartLabelFormat,
    PreviewTip,
    DrumsName,
    AutoPlayGroup,
    AutoPlayCheck,
    HighSpeedGroup,
    HiddenSuddenGroup,
    HiddenCheck,
    SuddenCheck,
    LevelGroup,
    LevelCheck,
    KeyGroup,
    KeyLayoutButton,
    OkButton,
    CancelButton,
    // The key dialog.
    KeyDialogTitle,
    WhiteKeyLane,
    BlackKeyLane,
    ResetKeysButton,
    SharedKeysLabel,
    /// Between two lanes of one shared key.
    SharedKeysAnd,
    /// Between the groups of different shared keys.
    SharedKeysSeparator,
    // The about box.
    AboutTitle,
    VersionLine,
    AboutCredit,
    /// Followed by the output's own description.
    SoundLabel,
    NoSound,
    // The box shown when the MIDI output did not open: the game's own first line, then what
    // failed (the port's words), that the game goes on silent and, where there is a command
    // line, the options that pick another output.
    OutputNotFound,
    OutputAllocated,
    OutputBadDeviceId,
    OutputInvalidParam,
    OutputNoMemory,
    PlaysSilently,
    OtherOutputOptions,
    // What the play field shows over a paused play.
    Pause,
    // The judgement offset: the part dialog's field, its complaint, the View menu's bar of the
    // last presses' errors.
    OffsetLabel,
    OffsetNotNumber,
    HitErrorBarItem,
    // The result screen's timing. printf formats take the one int (ms).
    LateFormat,
    EarlyFormat,
    OnTime,
    MedianLabel,
    MeanLabel,
    SpreadLabel,
    PressCountLabel,
    /// The offer of a new offset, and the line that replaces it once taken.
    OfferFormat,
    OffsetSetFormat,

    // The no-sound box's first line by what failed (the core's own text when the port does not
    // say), the line that carries the library's words, and the choice to see it no more.
    OutputNoMidiOutput,
    OutputNoAudioDriver,
    OutputNoSoundFont,
    OutputDetailLabel,
    DoNotShowAgain,
    /// The same choice where the box can only ask Yes or No.
    ShowAgainQuestion,
    // Why a song did not load, under LoadFailed and the file's name.
    LoadFileLabel,
    LoadCannotOpen,
    LoadEmpty,
    LoadTooShort,
    LoadNotMidi,
    LoadBadHeader,
    // The part dialog for a song or a part without notes.
    NoNotesInSong,
    EmptyPartTip,
    // The View menu's switch for the lanes' key names.
    KeyLabelsItem,
    // The result screen's keys, shown in one line; the offset key only when offered.
    ResultEnterKey,
    ResultAgainKey,
    ResultOffsetKey,
    ResultTitleKey,
    Count
};

inline constexpr std::size_t TextCount = static_cast<std::size_t>(TextId::Count);

/// The text `id` in `language`, UTF-8; empty only for an id outside the table.
std::string_view Text(TextId id, Language language);
/// The text `id` (a printf format taking one int, as the table says of it) with `value` put in.
std::string FormatText(TextId id, Language language, int value);

/// The file chooser's patterns for its two filters, separated by blanks; the same in every
/// language.
inline constexpr std::string_view MidiFilesPatterns = "*.mid *.midi *.smf *.rmi";
inline constexpr std::string_view AllFilesPatterns = "*";

} // namespace tf
