#include "app/qt/QtLanguage.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
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
    const QString face = QStringLiteral("IPAPGothic");
    if (system.language() != QLocale::Japanese || !QFontDatabase::families().contains(face)) {
        return;
    }
    QFont font = QApplication::font();
    font.setFamilies({face});
    QApplication::setFont(font);
}

} // namespace tf
