#include "app/shell/NoSoundNotice.h"

#include "app/settings/ShellStorage.h"
#include "app/shell/ShellView.h"
#include "app/text/NoSoundText.h"
#include "platform/MidiPort.h"

#include <string>

namespace tf {

void ShowNoSoundNotice(ShellView& view, ShellStorage& storage, const MidiPort* port, std::string_view caption,
                       std::string_view text, Language language) {
    const std::string failure = port != nullptr ? OutputFailureKey(port->describe()) : std::string();
    if (!failure.empty() && failure == storage.settings().silencedOutputFailure) {
        return;
    }
    // A port that does not say what failed cannot be told apart from the next failure: its box
    // always shows.
    if (view.showNotice(caption, text, language) && !failure.empty()) {
        storage.change([&failure](Settings& settings) { settings.silencedOutputFailure = failure; });
    }
}

} // namespace tf
