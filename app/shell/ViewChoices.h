#pragma once

#include "app/settings/ViewMode.h"
#include "app/text/Language.h"

#include <optional>

namespace tf {

class KeyBindings;
class PlayFieldView;
class ShellStorage;
class ShellView;

/// How the player has the window look: the zoom, full screen, the hit-error bar, the key labels
/// and the language. Each choice is shown at once (the view, the play field) and remembered in the
/// settings. Window thread only.
class ViewChoices {
public:
    ViewChoices(ShellStorage& storage, ShellView& view, PlayFieldView& playField)
        : storage(storage), view(view), playField(playField) {}

    /// At window creation, from the settings: the language (`runLanguage`, the command line's,
    /// outranks the one picked before for this run; `systemLanguage` stands in until one is),
    /// then the zoom (until the player picks one, the largest that suits the screen), full
    /// screen, the hit-error bar and the key labels.
    void apply(Language systemLanguage, std::optional<Language> runLanguage);
    /// The View menu's zoom, full-screen, smooth-fill, hit-error bar and key-label commands; false
    /// for any other.
    bool command(int id);
    /// Leaves full screen (when the window is in it) at the zoom it had.
    void leaveFullScreen();
    /// The names under the keyboard during play: each lane's key in `keys`. No play thread runs.
    void nameKeys(const KeyBindings& keys);
    /// The player's pick outranks the command line's from now on, and is remembered.
    void pickLanguage(Language language);

    const ViewMode& mode() const { return mode_; }
    /// The language the player would have: the one chosen, else the system's.
    Language preferredLanguage() const;
    /// The language the texts are shown in: the command line's for this run, else the preferred.
    Language textLanguage() const { return runLanguage.value_or(preferredLanguage()); }

private:
    void show(const ViewMode& mode);
    void showHitErrorBar(bool on);
    void showKeyLabels(bool on);

    ShellStorage& storage;
    ShellView& view;
    PlayFieldView& playField;
    ViewMode mode_;
    Language systemLanguage = Language::Japanese;
    std::optional<Language> runLanguage;
};

} // namespace tf
