#include "app/qt/QtLanguage.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>

namespace tf {

QtLanguage::~QtLanguage() {
    if (installed) {
        QCoreApplication::removeTranslator(&japanese);
    }
}

void QtLanguage::use(Language language) {
    if (language == Language::Japanese && !installed) {
        // Loaded once; without the translations installed Qt's texts simply stay English.
        if (japanese.isEmpty()) {
            static_cast<void>(japanese.load(QStringLiteral("qtbase_ja"),
                                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        }
        installed = !japanese.isEmpty() && QCoreApplication::installTranslator(&japanese);
    } else if (language != Language::Japanese && installed) {
        QCoreApplication::removeTranslator(&japanese);
        installed = false;
    }
}

void UseProportionalFaceFor(const QLocale& system) {
    if (system.language() != QLocale::Japanese) {
        return;
    }
    // Asked for by name: under a Japanese locale the font database lists the face by its
    // Japanese name. Where it is missing, the desktop's own face stands in as before.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic")});
    QApplication::setFont(font);
}

} // namespace tf
