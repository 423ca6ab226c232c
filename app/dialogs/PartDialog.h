#pragma once

#include "app/dialogs/SongFacts.h"
#include "app/text/Language.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

namespace tf {

class GamePlay;
class KeyDialog;
class WorkerThread;

/// What the part-selection dialog needs from the toolkit that shows it.
class PartDialogHost {
public:
    virtual ~PartDialogHost() = default;
    /// A Yes/No question with the warning icon, owned by the dialog; true for Yes.
    virtual bool askYesNo(std::string_view caption, std::string_view text) = 0;
    /// A message with the warning icon and an OK button, owned by the dialog.
    virtual void showWarning(std::string_view caption, std::string_view text) = 0;
    /// Runs the key dialog modally over this one.
    virtual void runKeyDialog(KeyDialog& dialog) = 0;
    /// Closes the dialog with `result` (OkButton or CancelButton).
    virtual void endDialog(int result) = 0;
};

/// The offset typed in the part dialog's field, in ms, held to -300..300: a whole number with an
/// optional sign, blanks around it and an optional "ms" after it; an empty field is 0. Nothing
/// for any other text.
std::optional<std::int32_t> ReadOffsetText(std::string_view text);

/// The body of the preview thread: pumps in preview mode, back to back, until `stop` is
/// requested or the pump says stop (the end of the song).
void PreviewThread(GamePlay& game, const std::stop_token& stop);

/// The part-selection dialog's behaviour: the state of every check box and radio button, the
/// note counts and instruments, the preview of one part, and what OK and Cancel do. The view
/// shows `caption`, `checked` and `text`, reports the player's ticks through `setChecked`, and
/// every button through `command`. The part boxes start with the parts the caller hands to
/// `init` (the parts this song was last played with, or none); the options come from
/// `PlayOptions`.
class PartDialog {
public:
    PartDialog(GamePlay& game, WorkerThread& worker, Language language = Language::Japanese);
    ~PartDialog();
    PartDialog(const PartDialog&) = delete;
    PartDialog& operator=(const PartDialog&) = delete;

    /// Ticks the options as last stored and the parts of `tickedParts` (bit n: channel n), fills
    /// in the note counts and instruments and the song's name (its track name, or the file name
    /// of `songPath`); no preview.
    void init(std::uint32_t tickedParts = 0, const std::filesystem::path& songPath = {});
    /// A button with control id `id` was pressed (OkButton and CancelButton included; the
    /// caption's close button and Esc count as CancelButton). True when the id was handled as
    /// the dialog's own; the preview and key buttons answer false, as the dialog leaves them to
    /// the default handling.
    bool command(int id, PartDialogHost& host);

    bool checked(int id) const;
    /// Ticks or clears a check box; ticking a radio button clears the others of its group.
    void setChecked(int id, bool on);
    /// The text of a note-count label (PartCountBase + channel), an instrument label
    /// (PartInstrumentBase + channel) or the offset field (OffsetField); empty for any other id.
    std::string text(int id) const;
    /// The player typed in the offset field (OffsetField); other ids are ignored. OK reads the
    /// text with `ReadOffsetText` and refuses, with a message, what it cannot read.
    void setText(int id, std::string_view text);
    /// The dialog's title line: its caption, the song's name and, for a song without a single
    /// note, that it has none.
    std::string caption() const;
    /// True for a part without notes: its box cannot be ticked and its preview plays nothing, so
    /// the view shows both greyed, with `previewTip` saying why.
    bool partEmpty(int channel) const;
    /// The tip of a part's preview button.
    std::string_view previewTip(int channel) const;
    /// The song's name as the title line gives it.
    const std::string& songName() const { return songTitle; }
    /// The parts ticked now (bit n: channel n).
    std::uint32_t partMask() const;
    Language language() const { return language_; }
    /// The channel whose preview was started last and not stopped since; -1 for none.
    int previewPart() const { return previewPart_; }
    /// True once OK has built a chart; false after Cancel.
    bool accepted() const { return accepted_; }

private:
    void preview(int channel);
    bool ok(PartDialogHost& host);
    void stopPreview();
    void storeOptions();

    GamePlay& game;
    WorkerThread& worker;
    Language language_;
    std::map<int, bool> ticks;
    std::array<std::string, 16> counts;
    std::array<std::int32_t, 16> notes{};
    std::array<std::string, 16> instruments;
    std::string songTitle;
    std::string offsetText = "0";
    int previewPart_ = -1;
    bool accepted_ = false;
};

} // namespace tf
