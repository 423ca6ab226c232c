#pragma once

#include "app/settings/ViewMode.h"
#include "app/text/Language.h"
#include "platform/MessageSink.h"
#include "platform/Surface.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

class PartDialog;

/// What the shell asks of the toolkit that shows it. Every call but `requestRepaint` comes from
/// the window thread. Every dialog and message box opens over the window, centred on it.
class ShellView {
public:
    virtual ~ShellView() = default;
    /// The open-file dialog, opening in `folder` (empty: the dialog's own choice); true with
    /// `path` set when a file was chosen. Paths go whole both ways, whatever script names them.
    virtual bool chooseMidiFile(const std::filesystem::path& folder, std::filesystem::path& path) = 0;
    /// A modal message box with an OK button, owned by the window.
    virtual void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) = 0;
    /// A warning box that the player may ask not to see again: OK and a "Do not show again"
    /// choice (`DoNotShowAgain` in `language`), or, where a box cannot hold a choice, the
    /// question `ShowAgainQuestion` under the text with Yes and No. True when the player chose
    /// not to see it again.
    virtual bool showNotice(std::string_view caption, std::string_view text, Language language) = 0;
    /// Runs the part-selection dialog modally over the window until the model ends it.
    virtual void runPartDialog(PartDialog& dialog) = 0;
    /// The about box in `language`, modal, with `soundLine` naming the output in use.
    virtual void showAbout(std::string_view soundLine, Language language) = 0;
    /// Asks the desktop to open a local HTML page in its browser; false when it could not.
    virtual bool openHelp(const std::filesystem::path& page) = 0;
    /// Closes the window, which ends the program (the shell's `destroy` runs on the way).
    virtual void closeWindow() = 0;
    /// Asks for the back buffer to be copied to the window soon. Any thread; never blocks.
    virtual void requestRepaint() = 0;
    /// A picture file at its own size; null when missing or unreadable.
    virtual std::unique_ptr<Bitmap> loadBitmap(const std::filesystem::path& file) = 0;

    /// The screen the window is on (before it is shown: the screen it will be shown on).
    virtual ScreenRoom screenRoom() = 0;
    /// Shows the picture as `mode` says: the window resized to the zoom, or the whole screen;
    /// the View menu's marks follow.
    virtual void showViewMode(const ViewMode& mode) = 0;
    /// Checks the View menu's hit-error bar item when `on`, clears it otherwise.
    virtual void showHitErrorBar(bool on) = 0;
    /// Checks the View menu's key-labels item when `on`, clears it otherwise.
    virtual void showKeyLabels(bool on) = 0;
    /// The entries of GamePlay > Recent, newest first; entry i stands for the command
    /// RecentSongCommandBase + i. Empty: the submenu is greyed.
    virtual void showRecentSongs(const std::vector<std::string>& labels) = 0;
    /// Shows the window's caption and menus in `language` and checks it in View > Language; the
    /// file chooser opened later speaks it too.
    virtual void showLanguage(Language language) = 0;
};

} // namespace tf
