#include "app/shell/ViewChoices.h"

#include "app/dialogs/KeyDialog.h"
#include "app/settings/ShellStorage.h"
#include "app/shell/CommandIds.h"
#include "app/shell/ShellView.h"
#include "game/PlayFieldView.h"

namespace tf {

void ViewChoices::apply(Language system, std::optional<Language> run) {
    systemLanguage = system;
    runLanguage = run;
    const Settings& settings = storage.settings();
    // Before the zoom is chosen: the menu bar's height depends on its texts.
    view.showLanguage(textLanguage());
    // Until the player picks a zoom, the window takes the largest that suits the screen.
    // A zoom remembered from a larger screen gives way to the largest that fits this one.
    const ScreenRoom room = view.screenRoom();
    ViewMode mode;
    mode.zoom = settings.zoom ? FittingZoom(*settings.zoom, room)
                              : StartZoom(room.availableHeight, room.decorationHeight);
    mode.fullScreen = settings.fullScreen;
    mode.smoothFill = settings.smoothFullScreen;
    show(mode);
    showHitErrorBar(settings.hitErrorBar);
    showKeyLabels(settings.keyLabels);
}

bool ViewChoices::command(int id) {
    if (const auto zoom = ZoomOfCommand(id)) {
        // The menu offers only the zooms that fit; a window larger than the screen is no choice.
        if (ZoomFits(*zoom, view.screenRoom())) {
            // Picking a zoom also leaves full screen: the window shows that zoom at once.
            storage.change([&zoom](Settings& settings) { settings.zoom = *zoom; });
            show({*zoom, false, mode_.smoothFill});
        }
        return true;
    }
    if (id == FullScreenCommand) {
        show({mode_.zoom, !mode_.fullScreen, mode_.smoothFill});
        return true;
    }
    if (id == SmoothFullScreenCommand) {
        show({mode_.zoom, mode_.fullScreen, !mode_.smoothFill});
        return true;
    }
    if (id == HitErrorBarCommand) {
        storage.change([](Settings& settings) { settings.hitErrorBar = !settings.hitErrorBar; });
        showHitErrorBar(storage.settings().hitErrorBar);
        return true;
    }
    if (id == KeyLabelsCommand) {
        storage.change([](Settings& settings) { settings.keyLabels = !settings.keyLabels; });
        showKeyLabels(storage.settings().keyLabels);
        return true;
    }
    return false;
}

void ViewChoices::leaveFullScreen() {
    if (mode_.fullScreen) {
        show({mode_.zoom, false, mode_.smoothFill});
    }
}

void ViewChoices::pickLanguage(Language language) {
    runLanguage.reset();
    storage.change([language](Settings& settings) { settings.language = language; });
    view.showLanguage(language);
}

Language ViewChoices::preferredLanguage() const {
    return storage.settings().language.value_or(systemLanguage);
}

void ViewChoices::show(const ViewMode& mode) {
    mode_ = mode;
    const Settings& settings = storage.settings();
    if (settings.fullScreen != mode.fullScreen || settings.smoothFullScreen != mode.smoothFill) {
        storage.change([&mode](Settings& changed) {
            changed.fullScreen = mode.fullScreen;
            changed.smoothFullScreen = mode.smoothFill;
        });
    }
    // At x1 the clock's plate has no room to spare; larger, the song's length is readable beside it.
    playField.setShowSongLength(mode.fullScreen || mode.zoom != Zoom::X1);
    view.showViewMode(mode);
}

void ViewChoices::showHitErrorBar(bool on) {
    // An atomic switch: a play running now shows or hides the bar from its next frame.
    playField.setShowHitErrorBar(on);
    view.showHitErrorBar(on);
}

void ViewChoices::nameKeys(const KeyBindings& keys) {
    playField.setKeyLabels(LaneKeyLabels(keys));
}

void ViewChoices::showKeyLabels(bool on) {
    // Atomic too: a running play shows or hides the names from its next frame.
    playField.setShowKeyLabels(on);
    view.showKeyLabels(on);
}

} // namespace tf
