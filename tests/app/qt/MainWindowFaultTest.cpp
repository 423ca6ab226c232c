#include "app/qt/MainWindow.h"

#include "app/qt/BackBuffer.h"
#include "app/qt/GameCanvas.h"
#include "app/screens/ClientArea.h"
#include "app/screens/Screens.h"
#include "app/shell/AppState.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/qt/ModalDriver.h"
#include "tests/app/qt/PixelTesting.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/PacedClock.h"
#include "tests/support/Recorders.h"

#include <QImage>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace tf {
namespace {

using test::Button;
using test::ModalDriver;
using test::OnMessageBox;
using test::OnPartDialog;

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Grey = 0xFF646464;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

/// One note held for a minute of song time: a play that lasts while the test looks at it.
test::Bytes MinuteLongSong() {
    test::SmfBuilder song(480, 0);
    song.track().tempo(0, 500000).noteOn(0, 0, 60, 100).noteOff(480 * 120, 0, 60).end(0);
    return song.bytes();
}

// The real window over a game whose output and data files each test chooses before it opens
// the window, as a player's machine would have them at start.
class MainWindowFaultTest : public ::testing::Test {
protected:
    ~MainWindowFaultTest() override {
        if (window) {
            window->close();
        }
        window.reset();
        game.reset();
    }

    void openWindow(PortResult openResult = PortResult::Ok, bool failSends = false) {
        port = std::make_unique<CapturePort>(clock, openResult, failSends);
        game = std::make_unique<GamePlay>(clock, latch, *port, buffer, sink);
        window = std::make_unique<MainWindow>(*game, latch, buffer);
        window->fileChooser = [this](QWidget*, std::filesystem::path& path) {
            path = chosen;
            return !chosen.empty();
        };
        window->urlOpener = [](const QUrl&) { return true; };
        window->show();
        QApplication::processEvents();
    }
    AppState state() { return window->shell().appState(); }
    void key(int qtKey) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QApplication::sendEvent(window->canvas(), &press);
    }
    void play(const std::string& path, bool autoPlay) {
        chosen = path;
        driver.add(OnPartDialog([autoPlay](TemplateDialog& d) {
            Button(&d, 1001)->click();
            if (autoPlay) {
                Button(&d, 1048)->click();
            }
            Button(&d, 1)->click();
        }));
        key(Qt::Key_Return);
        // On virtual time a short song may already have reached its result here.
        ASSERT_NE(state(), AppState::Title);
    }
    void waitForResult() {
        test::WaitUntil([&] {
            QApplication::processEvents();
            return state() == AppState::Result && !window->shell().workerRunning();
        });
    }
    QImage backBuffer() {
        std::lock_guard lock(buffer.mutex());
        return buffer.image().copy();
    }
    /// What a screen looks like drawn with no picture at all.
    QImage screenWithoutPictures(AppState appState) {
        QWidget other;
        other.setFixedSize(ClientWidth, ClientHeight);
        BackBuffer expected;
        expected.attach(&other);
        expected.create();
        // The result names the song played, by its file's name: it has no track name.
        DrawScreen(expected, appState, nullptr, nullptr, game->tally(), false, nullptr, Language::Japanese,
                   "two seconds.mid");
        return expected.image().copy();
    }
    /// Two pixels that only the play field's background covers during a play, sampled from a
    /// frame drawn a little way into a minute-long song; the play is then stopped.
    std::pair<QRgb, QRgb> backgroundDuringPlay() {
        play(longSong.str(), true);
        test::WaitUntil([&] { return clock.tickCount() > 1500; });
        const QImage frame = backBuffer();
        key(Qt::Key_Escape);
        return {frame.pixel(630, 5), frame.pixel(630, ClientHeight - 5)};
    }

    test::QtApplicationFirst application;
    test::Watchdog watchdog;
    test::TempDir dir;
    test::WorkingDirectory cwd{dir.path()};
    test::TempFile song{test::TwoSecondSong(), "two seconds.mid"};
    test::TempFile longSong{MinuteLongSong(), "minute.mid"};
    test::PacedClock clock{1000};
    KeyLatch latch;
    BackBuffer buffer;
    test::RecordingSink sink;
    ModalDriver driver;
    std::string chosen;
    std::unique_ptr<CapturePort> port;
    std::unique_ptr<GamePlay> game;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowFaultTest, ABrokenOutputIsReportedOnceAndTheGamePlaysSilentlyToTheResult) {
    openWindow(PortResult::NoDevice, true);
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(sink.messages()[0].text, "MIDIポートが見つかりません。");
    EXPECT_EQ(sink.messages()[0].icon, MessageIcon::Stop);

    play(song.str(), false);
    waitForResult();
    EXPECT_EQ(game->tally().bad(), 4);
    EXPECT_TRUE(backBuffer() == screenWithoutPictures(AppState::Result));
    key(Qt::Key_Escape);
    EXPECT_EQ(state(), AppState::Title);

    // Every further modal window would fail the driver; none came, and nothing was sounded.
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(sink.messages().size(), 1u);
    EXPECT_TRUE(port->messages().empty());
    window->close();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Tonefalls.ini"));
}

TEST_F(MainWindowFaultTest, AnOutputFailingWithAnUnlistedResultShowsNothingAndStillPlays) {
    openWindow(PortResult::Failed, true);
    EXPECT_TRUE(sink.messages().empty());
    play(song.str(), true);
    waitForResult();
    EXPECT_EQ(game->tally().bad(), 0);
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(port->messages().empty());
}

TEST_F(MainWindowFaultTest, CorruptPicturesLeaveEveryScreenOnWhite) {
    // Not pictures: noise under the name, a bitmap header promising far more than follows,
    // an empty file, and a directory.
    WriteBytes(dir.path() / "main.bmp", "this is not a picture\n");
    WriteBytes(dir.path() / "title.bmp",
               std::string("BM\x36\x00\x10\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00", 16));
    WriteBytes(dir.path() / "result.bmp", "");
    std::filesystem::create_directory(dir.path() / "help");
    openWindow();

    const QImage title = backBuffer();
    EXPECT_TRUE(title == screenWithoutPictures(AppState::Title));
    EXPECT_EQ(title.pixel(0, 0), White);

    const auto [top, bottom] = backgroundDuringPlay();
    EXPECT_EQ(top, White);
    EXPECT_EQ(bottom, White);
    EXPECT_TRUE(backBuffer() == screenWithoutPictures(AppState::Title));

    play(song.str(), true);
    waitForResult();
    EXPECT_TRUE(backBuffer() == screenWithoutPictures(AppState::Result));
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(sink.messages().empty());
}

TEST_F(MainWindowFaultTest, PicturesThatAreDirectoriesLeaveWhiteToo) {
    for (const char* name : {"main.bmp", "title.bmp", "result.bmp"}) {
        std::filesystem::create_directory(dir.path() / name);
    }
    openWindow();
    EXPECT_TRUE(backBuffer() == screenWithoutPictures(AppState::Title));
    const auto [top, bottom] = backgroundDuringPlay();
    EXPECT_EQ(top, White);
    EXPECT_EQ(bottom, White);
}

// The control for the two tests above: the pixels they sample are the background's.
TEST_F(MainWindowFaultTest, AGoodMainPictureDoesCoverTheSampledPixels) {
    QImage grey(ClientWidth, ClientHeight, QImage::Format_RGB32);
    grey.fill(Grey);
    // A folder holds the pictures when it has all three.
    for (const char* name : {"main.bmp", "title.bmp", "result.bmp"}) {
        ASSERT_TRUE(grey.save(QString::fromStdString((dir.path() / name).string()), "BMP"));
    }
    openWindow();
    const auto [top, bottom] = backgroundDuringPlay();
    EXPECT_EQ(top, Grey);
    EXPECT_EQ(bottom, Grey);
}

TEST_F(MainWindowFaultTest, ADirectoryChosenAsTheSongShowsTheLoadFailureBoxAndNothingElse) {
    openWindow();
    const std::filesystem::path folder = dir.path() / "folder.mid";
    std::filesystem::create_directory(folder);
    chosen = folder.string();
    driver.add(OnMessageBox(
        QStringLiteral("MIDIファイルの読み込みに失敗しました\nファイル: folder.mid\nファイルを開けません。"),
        QMessageBox::Ok));
    key(Qt::Key_Return);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(state(), AppState::Title);
    EXPECT_FALSE(window->shell().workerRunning());
    EXPECT_TRUE(backBuffer() == screenWithoutPictures(AppState::Title));

    // A file that vanishes once chosen: the same box, and the game goes on to the next song.
    test::TempFile doomed(test::TwoSecondSong());
    window->fileChooser = [&](QWidget*, std::filesystem::path& path) {
        path = doomed.str();
        std::filesystem::remove(doomed.path());
        return true;
    };
    driver.add(OnMessageBox(
        QStringLiteral("MIDIファイルの読み込みに失敗しました\nファイル: %1\nファイルを開けません。")
            .arg(QString::fromStdString(doomed.path().filename().string())),
        QMessageBox::Ok));
    key(Qt::Key_Return);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(state(), AppState::Title);
    window->fileChooser = [this](QWidget*, std::filesystem::path& path) {
        path = song.str();
        return true;
    };
    play(song.str(), true);
    waitForResult();
    EXPECT_TRUE(driver.done());
}

} // namespace
} // namespace tf
