#pragma once

#include "app/text/Language.h"

#include <QTranslator>

class QLocale;

namespace tf {

/// Qt's own texts, those of the file chooser and the standard buttons, in the game's language:
/// its Japanese translation installed while the game speaks Japanese, none while it speaks
/// English. Installed for as long as the object lives.
class QtLanguage {
public:
    QtLanguage() = default;
    QtLanguage(const QtLanguage&) = delete;
    QtLanguage& operator=(const QtLanguage&) = delete;
    ~QtLanguage();

    /// From now on; may be called again whenever the language changes.
    void use(Language language);

private:
    QTranslator japanese;
    bool installed = false;
};

/// On a Japanese system the desktop's sans-serif face is the fixed-pitch Gothic, which sets the
/// Latin texts of menus and dialogs like a typewriter: the proportional Gothic is taken instead.
void UseProportionalFaceFor(const QLocale& system);

} // namespace tf
