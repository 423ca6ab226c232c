// Draws the game's pictures and icons into the folder named on the command line.

#include "app/qt/ProgramIcon.h"
#include "tools/artwork/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <array>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tonefalls-artwork OUTPUT_DIR\n");
        return 2;
    }
    // A build machine has no display; text still needs a platform to find its fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "tonefalls-artwork: cannot make %s/icons\n", argv[1]);
        return 1;
    }
    bool ok = tf::PaintPlayField().save(out.filePath(QStringLiteral("main.bmp")), "BMP");
    ok = tf::PaintJapaneseTitle().save(out.filePath(QStringLiteral("title.bmp")), "BMP") && ok;
    ok = tf::PaintEnglishTitle().save(out.filePath(QStringLiteral("title-en.bmp")), "BMP") && ok;
    ok = tf::PaintResult().save(out.filePath(QStringLiteral("result.bmp")), "BMP") && ok;
    // The sizes of the desktop's hicolor icon theme that menus and file managers ask for.
    for (const int size : std::array{256, 128, 64, 48, 32, 16}) {
        const QString name = QStringLiteral("icons/tonefalls-%1.png").arg(size);
        ok = tf::PaintIcon(size).save(out.filePath(name), "PNG") && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "tonefalls-artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
