#pragma once

#include "platform/MessageSink.h"
#include "platform/Surface.h"

#include <memory>
#include <string>
#include <string_view>

namespace tf {

class PartDialog;

/// What the shell asks of the toolkit that shows it. Every call but `requestRepaint` comes from
/// the window thread.
class ShellView {
public:
    virtual ~ShellView() = default;
    /// The open-file dialog; true with `path` set when a file was chosen.
    virtual bool chooseMidiFile(std::string& path) = 0;
    /// A modal message box with an OK button, owned by the window.
    virtual void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) = 0;
    /// Runs the part-selection dialog modally over the window until the model ends it.
    virtual void runPartDialog(PartDialog& dialog) = 0;
    /// The about box, modal.
    virtual void showAbout() = 0;
    /// Opens a local HTML page in the desktop's browser; failures are not reported.
    virtual void openHelp(const std::string& path) = 0;
    /// Closes the window, which ends the program (the shell's `destroy` runs on the way).
    virtual void closeWindow() = 0;
    /// Asks for the back buffer to be copied to the window soon. Any thread; never blocks.
    virtual void requestRepaint() = 0;
    /// A picture file at its own size; null when missing or unreadable.
    virtual std::unique_ptr<Bitmap> loadBitmap(const std::string& path) = 0;
};

} // namespace tf
