#pragma once

#include "app/settings/KeyFileLocation.h"
#include "app/settings/Settings.h"
#include "app/text/Language.h"
#include "platform/Surface.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tf {

class KeyBindings;

/// Where the shell's files are looked for on this machine.
struct StoragePlaces {
    /// The running program's folder, the first place searched for the data files (see
    /// `DataCandidates`); empty when unknown.
    std::filesystem::path programDirectory;
    /// The settings file; empty: nothing is read or remembered.
    std::filesystem::path settingsFile;
    KeyFileRule keyFileRule = KeyFileRule::StartFolder;
    /// The configuration folder for `KeyFileRule::ConfigFolder` (see `ConfigFolder`).
    std::filesystem::path configFolder;
};

/// Reads a picture file at its own size; null when missing or unreadable.
using PictureLoader = std::function<std::unique_ptr<Bitmap>(const std::filesystem::path&)>;

/// What the shell keeps on disk and reads once: the data folders, the pictures, the key
/// file and the settings. Every change to the settings goes through `change`, which writes the
/// file at once, so nothing the player picks waits for the window to close to be remembered.
/// Window thread only.
class ShellStorage {
public:
    /// The start directory (the working directory now), the data folders and, from the first
    /// of them that holds all three, the pictures (when none does, stderr says once where the
    /// game looked), the key file into `keys` and the settings.
    void open(const StoragePlaces& places, const PictureLoader& load, KeyBindings& keys);
    /// Saves the key file and the settings (a file that cannot be written is left as it was) and
    /// frees the pictures.
    void close(const KeyBindings& keys);

    const Settings& settings() const { return settings_; }
    /// Applies `edit` to the settings and saves them.
    template <typename Edit> void change(Edit&& edit) {
        std::forward<Edit>(edit)(settings_);
        save();
    }

    const std::filesystem::path& startDirectory() const { return startDirectory_; }
    /// The folders the key file is read from and saved to.
    const KeyFileFolders& keyFileFolders() const { return keyFolders; }
    /// The help page in `language` (see `FindHelpPage`).
    std::filesystem::path helpPage(Language language) const;
    /// The pictures; null where none was loaded.
    const Bitmap* mainPicture() const { return mainBitmap.get(); }
    const Bitmap* titlePicture() const { return titleBitmap.get(); }
    /// The title with its tagline in English (null: the other one stands in).
    const Bitmap* englishTitlePicture() const { return englishTitleBitmap.get(); }
    const Bitmap* resultPicture() const { return resultBitmap.get(); }

private:
    void loadPictures(const PictureLoader& load);
    void save() const;

    std::filesystem::path startDirectory_;
    std::vector<std::filesystem::path> dataCandidates;
    KeyFileFolders keyFolders;
    std::filesystem::path settingsFile;
    Settings settings_;
    std::unique_ptr<Bitmap> mainBitmap;
    std::unique_ptr<Bitmap> titleBitmap;
    std::unique_ptr<Bitmap> englishTitleBitmap;
    std::unique_ptr<Bitmap> resultBitmap;
};

} // namespace tf
