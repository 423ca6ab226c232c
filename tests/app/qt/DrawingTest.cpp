#include "app/qt/Drawing.h"
#include "app/qt/QtPath.h"
#include "app/qt/ThreeHalves.h"

#include "tests/app/qt/PixelTesting.h"
#include "tests/support/SmfBuilder.h"

#include <QDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTimer>

#include <climits>
#include <fstream>
#include <functional>

namespace tf {
namespace {

using test::Pixel;

constexpr Colour Black = 0x000000;
constexpr Colour Red = 0x0000FF;
constexpr Colour Green = 0x00FF00;

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        canvas = QImage(40, 30, QImage::Format_RGB32);
        canvas.fill(Qt::black);
    }
    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "picture saved to " << test::SaveFailedPicture(canvas) << "\n";
        }
    }
    Colour at(int x, int y) const {
        const QRgb p = canvas.pixel(x, y);
        return Rgb(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                   static_cast<std::uint8_t>(qBlue(p)));
    }
    /// Pixels of `colour` in the whole canvas.
    int count(Colour colour) const {
        int n = 0;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                n += at(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    QImage canvas;
};

TEST_F(DrawingTest, ColoursAreBlueGreenRedFromTheHighByteDown) {
    EXPECT_EQ(ToQColor(0x00FF3333), QColor(51, 51, 255));
    EXPECT_EQ(ToQColor(0x003333FF), QColor(255, 51, 51));
}

/// Ascent plus descent, the height a font's text line takes.
double Cell(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.ascent() + metrics.descent();
}

TEST_F(DrawingTest, FontsMapTheTwoGothicFacesAtCellHeights) {
    const QFont gothic = MakeFont(FontFace::Gothic, 30);
    EXPECT_EQ(gothic.family(), "IPAGothic");
    EXPECT_NEAR(Cell(gothic), 30, 1);
    EXPECT_EQ(gothic.weight(), QFont::Normal);
    const QFont proportional = MakeFont(FontFace::PGothic, 64);
    EXPECT_EQ(proportional.family(), "IPAPGothic");
    EXPECT_NEAR(Cell(proportional), 64, 1);
    EXPECT_EQ(proportional.weight(), QFont::Normal);
    const QFont label = MakeFont(FontFace::Default, 0);
    EXPECT_EQ(label.family(), "IPAGothic");
    EXPECT_NEAR(Cell(label), DefaultFontHeight, 1);
    EXPECT_EQ(label.weight(), QFont::Bold);
    EXPECT_GT(MakeFont(FontFace::Gothic, 0).pixelSize(), 0);
}

TEST_F(DrawingTest, TheGothicFacesAreInstalledAndChosen) {
    if (!QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
    }
    EXPECT_EQ(QFontInfo(MakeFont(FontFace::Gothic, 20)).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(MakeFont(FontFace::PGothic, 20)).family(), "IPAPGothic");
}

TEST_F(DrawingTest, BoxWithEqualColoursCoversLeftTopUpToNotIncludingRightBottom) {
    DrawBox(canvas, 5, 4, 20, 6, 0, Green, Green);
    EXPECT_EQ(count(Green), 15 * 2);
    EXPECT_EQ(at(5, 4), Green);
    EXPECT_EQ(at(19, 5), Green);
    EXPECT_EQ(at(20, 5), Black);
    EXPECT_EQ(at(19, 6), Black);
    EXPECT_EQ(at(4, 4), Black);
    EXPECT_EQ(at(5, 3), Black);
}

TEST_F(DrawingTest, BoxPenOfZeroOrOneDrawsAOnePixelOutlineInsideTheArea) {
    for (const int pen : {0, 1}) {
        canvas.fill(Qt::black);
        DrawBox(canvas, 2, 2, 8, 7, pen, Red, Green);
        EXPECT_EQ(at(2, 2), Red);
        EXPECT_EQ(at(7, 6), Red);
        EXPECT_EQ(at(7, 4), Red);
        EXPECT_EQ(at(3, 3), Green);
        EXPECT_EQ(at(6, 5), Green);
        EXPECT_EQ(count(Green), 4 * 3);
        EXPECT_EQ(count(Red), 6 * 5 - 4 * 3);
    }
}

TEST_F(DrawingTest, WiderPensStraddleTheOutline) {
    DrawBox(canvas, 10, 10, 20, 20, 3, Red, Green);
    // One pixel outside and one inside the one-pixel outline.
    EXPECT_EQ(at(9, 9), Red);
    EXPECT_EQ(at(20, 20), Red);
    EXPECT_EQ(at(8, 10), Black);
    EXPECT_EQ(at(21, 15), Black);
    EXPECT_EQ(at(11, 11), Red);
    EXPECT_EQ(at(12, 12), Green);
    EXPECT_EQ(at(17, 17), Green);
    EXPECT_EQ(at(18, 18), Red);
    EXPECT_EQ(count(Green), 6 * 6);
}

TEST_F(DrawingTest, BoxCornersMayComeInAnyOrderAndEmptyBoxesDrawNothing) {
    DrawBox(canvas, 8, 7, 2, 2, 0, Green, Green);
    EXPECT_EQ(count(Green), 6 * 5);
    canvas.fill(Qt::black);
    DrawBox(canvas, 5, 5, 5, 9, 0, Green, Green);
    DrawBox(canvas, 5, 5, 9, 5, 0, Green, Green);
    EXPECT_EQ(count(Green), 0);
}

TEST_F(DrawingTest, BoxesAreClippedAtTheEdgesWhateverTheCoordinates) {
    DrawBox(canvas, -5, -5, 3, 2, 0, Green, Green);
    EXPECT_EQ(count(Green), 3 * 2);
    canvas.fill(Qt::black);
    DrawBox(canvas, 38, 28, 45, 35, 0, Green, Green);
    EXPECT_EQ(count(Green), 2 * 2);
    canvas.fill(Qt::black);
    // The canvas lies wholly inside this box's inside.
    DrawBox(canvas, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, Red, Green);
    EXPECT_EQ(count(Green), 40 * 30);
    canvas.fill(Qt::black);
    DrawBox(canvas, -100, -100, 100, 100, INT_MAX, Red, Green);
    EXPECT_EQ(count(Red), 40 * 30);
    const QImage before = canvas;
    DrawBox(canvas, 100, 100, 200, 200, 0, Green, Green);
    DrawBox(canvas, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 5, Green, Green);
    FillRect(canvas, INT_MIN, INT_MIN, -1, -1, Green);
    EXPECT_EQ(canvas, before);
}

QImage Numbered(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, qRgb(x + 1, y + 1, 200));
        }
    }
    return picture;
}

TEST_F(DrawingTest, BlitCopiesTheSourceRegionToThePlace) {
    const QtBitmap bitmap(Numbered(10, 10));
    BlitBitmap(canvas, &bitmap, 4, 3, 5, 6, 2, 1);
    EXPECT_EQ(canvas.pixel(4, 3), qRgb(3, 2, 200));
    EXPECT_EQ(canvas.pixel(8, 8), qRgb(7, 7, 200));
    EXPECT_EQ(canvas.pixel(9, 8), Pixel(Black));
    EXPECT_EQ(canvas.pixel(8, 9), Pixel(Black));
    EXPECT_EQ(canvas.pixel(3, 3), Pixel(Black));
    EXPECT_EQ(canvas.pixel(4, 2), Pixel(Black));
}

TEST_F(DrawingTest, BlitAtNegativePositionsShowsTheSourcesLowerRightPart) {
    const QtBitmap bitmap(Numbered(10, 10));
    BlitBitmap(canvas, &bitmap, -3, -4, 10, 10, 0, 0);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(4, 5, 200));
    EXPECT_EQ(canvas.pixel(6, 5), qRgb(10, 10, 200));
    EXPECT_EQ(canvas.pixel(7, 5), Pixel(Black));
    EXPECT_EQ(canvas.pixel(6, 6), Pixel(Black));
}

TEST_F(DrawingTest, BlitStopsAtTheEdgesOfBothPictures) {
    const QtBitmap bitmap(Numbered(10, 10));
    // Asks for more than the source holds, partly past the canvas's right edge.
    BlitBitmap(canvas, &bitmap, 35, 25, 50, 50, 5, 5);
    EXPECT_EQ(canvas.pixel(35, 25), qRgb(6, 6, 200));
    EXPECT_EQ(canvas.pixel(39, 29), qRgb(10, 10, 200));
    canvas.fill(Qt::black);
    BlitBitmap(canvas, &bitmap, 0, 0, 20, 20, 7, 8);
    EXPECT_EQ(canvas.pixel(2, 1), qRgb(10, 10, 200));
    EXPECT_EQ(canvas.pixel(3, 1), Pixel(Black));
    EXPECT_EQ(canvas.pixel(2, 2), Pixel(Black));
    canvas.fill(Qt::black);
    // A negative source start draws only where the source exists.
    BlitBitmap(canvas, &bitmap, 0, 0, 10, 10, -2, -3);
    EXPECT_EQ(canvas.pixel(1, 2), Pixel(Black));
    EXPECT_EQ(canvas.pixel(2, 3), qRgb(1, 1, 200));
    EXPECT_EQ(canvas.pixel(9, 9), qRgb(8, 7, 200));
}

TEST_F(DrawingTest, BlitOfNothingOrOfForeignBitmapsDrawsNothing) {
    const QImage before = canvas;
    BlitBitmap(canvas, nullptr, 0, 0, 40, 30, 0, 0);
    class Foreign final : public Bitmap {
    public:
        int width() const override { return 10; }
        int height() const override { return 10; }
    } foreign;
    BlitBitmap(canvas, &foreign, 0, 0, 40, 30, 0, 0);
    const QtBitmap bitmap(Numbered(10, 10));
    BlitBitmap(canvas, &bitmap, 0, 0, -5, 5, 0, 0);
    BlitBitmap(canvas, &bitmap, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MAX);
    BlitBitmap(canvas, &bitmap, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0);
    EXPECT_EQ(canvas, before);
}

TEST_F(DrawingTest, ThreeHalvesMakesThreePixelsOfTwoWithTheMeanBetween) {
    // The picture's top left 2 x 2; the extra column and row are not scaled.
    QImage picture(3, 3, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 255));
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(200, 100, 51));
    picture.setPixel(0, 1, qRgb(100, 0, 0));
    picture.setPixel(1, 1, qRgb(0, 0, 100));
    QImage scaled;
    ASSERT_TRUE(ScaleThreeHalves(picture, 2, 2, scaled));
    ASSERT_EQ(scaled.size(), QSize(3, 3));
    EXPECT_EQ(scaled.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(scaled.pixel(1, 0), qRgb(100, 50, 25));
    EXPECT_EQ(scaled.pixel(2, 0), qRgb(200, 100, 51));
    EXPECT_EQ(scaled.pixel(0, 2), qRgb(100, 0, 0));
    EXPECT_EQ(scaled.pixel(0, 1), qRgb(50, 0, 0));
    EXPECT_EQ(scaled.pixel(2, 1), qRgb(100, 50, 75));
    // Odd sizes, or more than the picture holds: not this scaling's.
    EXPECT_FALSE(ScaleThreeHalves(picture, 3, 2, scaled));
    EXPECT_FALSE(ScaleThreeHalves(picture, 4, 4, scaled));
    EXPECT_EQ(scaled.size(), QSize(3, 3));
}

TEST_F(DrawingTest, BitmapFilesLoadAtTheirOwnSizeOrNotAtAll) {
    const test::TempDir dir;
    const std::string bmp = (dir.path() / "picture.bmp").string();
    ASSERT_TRUE(Numbered(7, 5).save(QString::fromStdString(bmp), "BMP"));
    const auto loaded = LoadBitmapFile(QString::fromStdString(bmp));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->width(), 7);
    EXPECT_EQ(loaded->height(), 5);
    BlitBitmap(canvas, loaded.get(), 0, 0, 7, 5, 0, 0);
    EXPECT_EQ(canvas.pixel(6, 4), qRgb(7, 5, 200));

    EXPECT_EQ(LoadBitmapFile(QString::fromStdString((dir.path() / "missing.bmp").string())), nullptr);
    EXPECT_EQ(LoadBitmapFile(QString()), nullptr);
    const std::string junk = (dir.path() / "junk.bmp").string();
    std::ofstream(junk) << "BM this is not a picture";
    EXPECT_EQ(LoadBitmapFile(QString::fromStdString(junk)), nullptr);
}

/// Runs `handle` on the file dialog once it is up. A dialog that never turns up is reported by
/// `seen` staying false, and any modal window left is closed, so the test cannot hang.
class FileDialogHandler {
public:
    explicit FileDialogHandler(std::function<void(QFileDialog&)> handle) : handle(std::move(handle)) {
        timer.callOnTimeout([this] { poll(); });
        timer.start(10);
    }
    bool seen = false;

private:
    void poll() {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            timer.stop();
            handle(*dialog);
            return;
        }
        if (++tries > 300) {
            timer.stop();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(widget)) {
                    dialog->reject();
                }
            }
        }
    }

    std::function<void(QFileDialog&)> handle;
    QTimer timer;
    int tries = 0;
};

TEST_F(DrawingTest, TheFileChooserAsksForAnExistingMidiFileAndGivesItsPathWhole) {
    const test::TempDir dir;
    // A name in another script than Latin, with a character beyond the Basic Multilingual Plane.
    const std::filesystem::path song = dir.path() / u8"曲フォルダ🎵" / u8"さくら🌸.mid";
    std::filesystem::create_directory(song.parent_path());
    std::ofstream(song) << "MThd";
    QString title;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QString suffix;
    FileDialogHandler handler([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        mode = dialog.fileMode();
        suffix = dialog.defaultSuffix();
        dialog.selectFile(QStringFromPath(song));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog hides it, QDialog does not
    });
    std::filesystem::path path;
    const bool chosen = ChooseMidiFile(nullptr, path, {},
                                       {QStringLiteral("MIDIファイルを開く"),
                                        QStringLiteral("MIDI files (*.mid *.midi *.smf *.rmi)"),
                                        QStringLiteral("All files (*)")});
    ASSERT_TRUE(handler.seen);
    EXPECT_EQ(title, "MIDIファイルを開く");
    EXPECT_EQ(filters, (QStringList{"MIDI files (*.mid *.midi *.smf *.rmi)", "All files (*)"}));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_EQ(suffix, "mid");
    EXPECT_TRUE(chosen);
    EXPECT_TRUE(std::filesystem::equivalent(path, song));
    EXPECT_EQ(path.filename(), song.filename());
}

TEST_F(DrawingTest, ACancelledChooserLeavesThePathAlone) {
    FileDialogHandler handler([](QFileDialog& dialog) { dialog.reject(); });
    std::filesystem::path path = "untouched";
    EXPECT_FALSE(ChooseMidiFile(nullptr, path));
    EXPECT_TRUE(handler.seen);
    EXPECT_EQ(path, "untouched");
}

} // namespace
} // namespace tf
