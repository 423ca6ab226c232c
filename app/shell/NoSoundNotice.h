#pragma once

#include "app/text/Language.h"

#include <string_view>

namespace tf {

class ShellStorage;
class ShellView;
class MidiPort;

/// The box that says the output did not open (`text`, made by `OutputFailureText`), over the
/// window, unless the player asked not to see it again for this same output and failure
/// (`OutputFailureKey` of `port`'s description; null: a port that does not say). Asking so is remembered in
/// the settings; another output, or the same one failing otherwise, is news again. Window thread.
void ShowNoSoundNotice(ShellView& view, ShellStorage& storage, const MidiPort* port, std::string_view caption,
                       std::string_view text, Language language);

} // namespace tf
