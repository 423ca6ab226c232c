#include "app/settings/ShellStorage.h"

#include "app/settings/DataFiles.h"
#include "game/KeyBindings.h"
#include "game/KeyFile.h"

#include <cstdio>
#include <system_error>

namespace tf {

void ShellStorage::open(const StoragePlaces& places, const PictureLoader& load, KeyBindings& keys) {
    std::error_code error;
    startDirectory_ = std::filesystem::current_path(error);
    dataCandidates = DataCandidates(places.programDirectory, startDirectory_);
    loadPictures(load);
    keyFolders = ChooseKeyFileFolders(places.keyFileRule, startDirectory_, places.configFolder);
    if (keyFolders.makeSaveFolder && keyFolders.read == keyFolders.save) {
        // A first start writes the default keys there at once.
        std::filesystem::create_directories(keyFolders.save, error);
    }
    LoadKeyFile(keys, keyFolders.read);
    settingsFile = places.settingsFile;
    settings_ = LoadSettings(settingsFile);
}

void ShellStorage::loadPictures(const PictureLoader& load) {
    const std::filesystem::path data = FindDataDirectory(dataCandidates);
    if (data.empty()) {
        std::fputs(MissingPicturesText(dataCandidates).c_str(), stderr);
        return;
    }
    mainBitmap = load(data / MainBitmapFile);
    titleBitmap = load(data / TitleBitmapFile);
    resultBitmap = load(data / ResultBitmapFile);
    englishTitleBitmap = load(data / EnglishTitleBitmapFile);
}

void ShellStorage::close(const KeyBindings& keys) {
    if (keyFolders.makeSaveFolder) {
        std::error_code error;
        std::filesystem::create_directories(keyFolders.save, error);
    }
    // A key file that cannot be written is left as it was; there is nothing more to do at exit.
    static_cast<void>(SaveKeyFile(keys, keyFolders.save));
    // Every change was saved when made; this writes a first file for a player who changed nothing.
    save();
    mainBitmap.reset();
    titleBitmap.reset();
    resultBitmap.reset();
    englishTitleBitmap.reset();
}

std::filesystem::path ShellStorage::helpPage(Language language) const {
    return FindHelpPage(dataCandidates, language);
}

void ShellStorage::save() const {
    static_cast<void>(SaveSettings(settings_, settingsFile));
}

} // namespace tf
