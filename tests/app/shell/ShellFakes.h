#pragma once

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/KeyDialog.h"
#include "app/dialogs/PartDialog.h"
#include "app/shell/CommandIds.h"
#include "app/shell/ShellView.h"
#include "tests/support/SmfBuilder.h"

#include <atomic>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tf::test {

/// A song of quarter notes of key 60 on channel 0 (half a second each at 120 bpm), with a
/// program change on channel 1 as accompaniment; four of them make two seconds.
inline Bytes SteadySong(int quarters) {
    SmfBuilder song(480, 1);
    song.track().tempo(0, 500000).end(0);
    TrackBuilder& notes = song.track();
    notes.program(0, 1, 5);
    for (int i = 0; i < quarters; ++i) {
        notes.noteOn(i == 0 ? 0 : 240, 0, 60, 100).noteOff(240, 0, 60);
    }
    notes.end(0);
    return song.bytes();
}
inline Bytes TwoSecondSong() {
    return SteadySong(4);
}

/// Four notes, half a second apart, on each of channels 0, 2, 3 and 4, one track each.
inline Bytes FourPartSong() {
    SmfBuilder song(480, 1);
    song.track().tempo(0, 500000).end(0);
    for (int channel : {0, 2, 3, 4}) {
        TrackBuilder& notes = song.track();
        for (int i = 0; i < 4; ++i) {
            notes.noteOn(i == 0 ? 0 : 240, channel, 60 + channel, 100).noteOff(240, channel, 60 + channel);
        }
        notes.end(0);
    }
    return song.bytes();
}

/// A song with `count` notes of one key on channel 0: more than the chart holds for 1000.
inline Bytes ManyNotesSong(int count) {
    SmfBuilder song(480, 0);
    TrackBuilder& notes = song.track();
    notes.tempo(0, 500000);
    for (int i = 0; i < count; ++i) {
        notes.noteOn(i == 0 ? 0 : 10, 0, 60, 100).noteOff(10, 0, 60);
    }
    notes.end(0);
    return song.bytes();
}

/// A part-dialog host that answers from a script and records what it was asked.
class FakePartHost final : public PartDialogHost {
public:
    bool askYesNo(std::string_view caption, std::string_view text) override {
        questions.push_back(std::string(caption) + "|" + std::string(text));
        const bool yes = answers.empty() ? false : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return yes;
    }
    void showWarning(std::string_view caption, std::string_view text) override {
        warnings.push_back(std::string(caption) + "|" + std::string(text));
    }
    void runKeyDialog(KeyDialog& dialog) override {
        ++keyDialogs;
        if (keyDialog) {
            keyDialog(dialog);
        }
    }
    void endDialog(int result) override { ended = result; }

    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> warnings;
    std::function<void(KeyDialog&)> keyDialog;
    int keyDialogs = 0;
    int ended = 0;
};

/// A key-dialog host that answers questions from a script and records how the dialog closed.
class FakeKeyHost final : public KeyDialogHost {
public:
    bool askYesNo(std::string_view, std::string_view text) override {
        questions.emplace_back(text);
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return yes;
    }
    void endDialog(int result) override { ended = result; }
    std::deque<bool> answers;
    std::vector<std::string> questions;
    int ended = 0;
};

/// The toolkit side of the shell, scripted by the test.
class FakeView final : public ShellView {
public:
    struct Message {
        MessageIcon icon;
        std::string caption;
        std::string text;
    };

    bool chooseMidiFile(const std::filesystem::path& folder, std::filesystem::path& path) override {
        ++choosers;
        chooserFolders.push_back(folder);
        return chooser ? chooser(path) : false;
    }
    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override {
        messages.push_back({icon, std::string(caption), std::string(text)});
    }
    bool showNotice(std::string_view caption, std::string_view text, Language) override {
        messages.push_back({MessageIcon::Warning, std::string(caption), std::string(text)});
        return dismissNotice;
    }
    void runPartDialog(PartDialog& dialog) override {
        ++partDialogs;
        if (partDialog) {
            partDialog(dialog);
        }
    }
    void showAbout(std::string_view soundLine, Language) override { aboutLines.emplace_back(soundLine); }
    bool openHelp(const std::filesystem::path& page) override {
        helpPages.push_back(page);
        return browserOpens;
    }
    void closeWindow() override { ++closes; }
    void requestRepaint() override { repaints.fetch_add(1, std::memory_order_relaxed); }
    std::unique_ptr<Bitmap> loadBitmap(const std::filesystem::path& file) override {
        bitmapPaths.push_back(file);
        return nullptr;
    }
    ScreenRoom screenRoom() override { return room; }
    void showViewMode(const ViewMode& mode) override { modes.push_back(mode); }
    void showHitErrorBar(bool on) override { hitErrorBarShown = on; }
    void showKeyLabels(bool on) override { keyLabelsShown = on; }
    void showRecentSongs(const std::vector<std::string>& labels) override { recentLabels = labels; }
    void showLanguage(Language language) override { languages.push_back(language); }

    std::function<bool(std::filesystem::path&)> chooser;
    std::function<void(PartDialog&)> partDialog;
    std::vector<Message> messages;
    /// What the player answers to `showNotice`: true for "do not show again".
    bool dismissNotice = false;
    std::vector<std::filesystem::path> helpPages;
    std::vector<std::filesystem::path> bitmapPaths;
    std::vector<std::filesystem::path> chooserFolders;
    /// Every language the window was told to show, in order.
    std::vector<Language> languages;
    /// A 1080-line screen with a 50-line window frame.
    ScreenRoom room{1080, 50};
    std::vector<ViewMode> modes;
    std::optional<bool> hitErrorBarShown;
    std::optional<bool> keyLabelsShown;
    std::vector<std::string> recentLabels;
    std::vector<std::string> aboutLines;
    std::atomic<int> repaints{0};
    int choosers = 0;
    int partDialogs = 0;
    int closes = 0;
    /// What `openHelp` answers: whether the desktop opened the page.
    bool browserOpens = true;
};

/// A part dialog answered with OK after ticking the channels of `mask` (and AUTO PLAY when
/// asked); an empty mask is confirmed with Yes.
inline std::function<void(PartDialog&)> AcceptParts(std::uint32_t mask, bool autoPlay) {
    return [mask, autoPlay](PartDialog& dialog) {
        for (int channel = 0; channel < 16; ++channel) {
            dialog.setChecked(PartCheckBase + channel, (mask >> channel & 1u) != 0);
        }
        dialog.setChecked(AutoPlayCheck, autoPlay);
        FakePartHost host;
        host.answers = {true};
        dialog.command(OkButton, host);
    };
}

/// Makes `directory` the working directory for the life of the object.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& directory)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(directory);
    }
    ~WorkingDirectory() { std::filesystem::current_path(previous); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous;
};

} // namespace tf::test
