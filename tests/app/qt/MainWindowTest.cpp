#include "app/qt/MainWindow.h"

#include "app/qt/BackBuffer.h"
#include "app/qt/GameCanvas.h"
#include "app/qt/TemplateDialog.h"
#include "app/screens/ClientArea.h"
#include "app/shell/AppState.h"
#include "app/shell/CommandIds.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/qt/ModalDriver.h"
#include "tests/app/qt/PixelTesting.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/MessageCounts.h"
#include "tests/support/PacedClock.h"
#include "tests/support/Recorders.h"
#include "tf_version.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>

namespace tf {
namespace {

using test::Button;
using test::ModalDriver;
using test::OnMessageBox;
using test::OnPartDialog;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : cwd(dir.path()), song(test::TwoSecondSong(), "two seconds.mid"),
          game(clock, latch, port, buffer, sink) {
        window = std::make_unique<MainWindow>(game, latch, buffer);
        window->fileChooser = [this](QWidget*, std::filesystem::path& path) {
            ++choosers;
            if (chosen.empty()) {
                return false;
            }
            path = chosen;
            return true;
        };
        window->urlOpener = [this](const QUrl& url) {
            opened.push_back(url);
            return true;
        };
        window->show();
        QApplication::processEvents();
    }
    ~MainWindowTest() override { window->close(); }

    AppState state() { return window->shell().appState(); }
    void key(int qtKey, bool autoRepeat = false) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(window->canvas(), &press);
    }
    /// A key typed as the keyboard would: to the open menu, else to the widget with the focus.
    void typeKey(int qtKey) {
        QApplication::processEvents();
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) {
            target = QApplication::focusWidget();
        }
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
    }
    QAction* action(const QString& text) {
        for (QAction* a : window->findChildren<QAction*>()) {
            if (a->text() == text) {
                return a;
            }
        }
        ADD_FAILURE() << "no action " << text.toStdString();
        return nullptr;
    }
    void waitFor(AppState wanted) {
        test::WaitUntil([&] {
            QApplication::processEvents();
            return state() == wanted && !window->shell().workerRunning();
        });
    }
    // Opens the song and plays it with part 1 (and AUTO PLAY when asked).
    void play(bool autoPlay) {
        chosen = song.str();
        driver.add(OnPartDialog([autoPlay](TemplateDialog& d) {
            Button(&d, 1001)->click();
            if (autoPlay) {
                Button(&d, 1048)->click();
            }
            Button(&d, 1)->click();
        }));
        key(Qt::Key_Return);
        ASSERT_EQ(state(), AppState::Play);
        ASSERT_TRUE(window->shell().workerRunning());
    }
    int noteOns(int channel) const { return test::CountNoteOns(port.messages(), channel); }

    test::QtApplicationFirst application;
    test::Watchdog watchdog;
    test::TempDir dir;
    test::WorkingDirectory cwd;
    test::TempFile song;
    test::PacedClock clock{1000};
    KeyLatch latch;
    CapturePort port{clock};
    BackBuffer buffer;
    test::RecordingSink sink;
    GamePlay game;
    ModalDriver driver;
    std::unique_ptr<MainWindow> window;
    std::string chosen;
    int choosers = 0;
    std::vector<QUrl> opened;
};

TEST_F(MainWindowTest, WindowHasTheCaptionMenuAndFixedClientArea) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tonefalls QUILL-MIX"));
    // The offscreen screen is 800 x 600: x1 is the largest zoom that fits.
    EXPECT_EQ(window->canvas()->size(), QSize(ClientWidth, ClientHeight));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&GamePlay"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&View"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(action(QStringLiteral("&Full screen\tF11"))->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_TRUE(action(QStringLiteral("×&1"))->isChecked());
    EXPECT_FALSE(action(QStringLiteral("&Recent"))->isEnabled());
    // Without a MIDI input the View menu's last submenu offers only "None", checked.
    QMenu* midiInput = window->viewMenu()->actions().constLast()->menu();
    ASSERT_NE(midiInput, nullptr);
    EXPECT_EQ(midiInput->title(), QStringLiteral("&MIDI input"));
    emit midiInput->aboutToShow();
    emit midiInput->aboutToShow();
    ASSERT_EQ(midiInput->actions().size(), 1);
    EXPECT_EQ(midiInput->actions()[0]->text(), QStringLiteral("None"));
    EXPECT_TRUE(midiInput->actions()[0]->isChecked());
    EXPECT_EQ(action(QStringLiteral("&Start...\tF2"))->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(action(QStringLiteral("&Help...\tF1"))->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_NE(action(QStringLiteral("E&xit")), nullptr);
    // View > Language: the shell's language, checked; picking the other one switches at once.
    EXPECT_TRUE(action(QStringLiteral("日本語(&J)"))->isChecked());
    action(QStringLiteral("&English"))->trigger();
    EXPECT_TRUE(action(QStringLiteral("&English"))->isChecked());
    EXPECT_FALSE(action(QStringLiteral("日本語(&J)"))->isChecked());
    EXPECT_EQ(window->shell().textLanguage(), Language::English);
    EXPECT_NE(action(QStringLiteral("&About...")), nullptr);
    EXPECT_EQ(buffer.image().size(), QSize(ClientWidth + 1, ClientHeight + 1));
}

TEST_F(MainWindowTest, TitleToChooserToPartDialogToPlayToResultUnderAutoPlay) {
    EXPECT_EQ(state(), AppState::Title);
    play(true);
    waitFor(AppState::Result);
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(noteOns(0), 4);
    EXPECT_EQ(game.tally().bad(), 0);
    EXPECT_TRUE(game.options().autoPlay());
    EXPECT_TRUE(driver.done());
}

TEST_F(MainWindowTest, EscAndF3InEveryState) {
    key(Qt::Key_F3); // title: nothing
    EXPECT_EQ(state(), AppState::Title);
    EXPECT_FALSE(window->shell().workerRunning());

    play(false);
    key(Qt::Key_F3); // play: restart
    EXPECT_EQ(state(), AppState::Play);
    EXPECT_TRUE(window->shell().workerRunning());
    key(Qt::Key_Escape); // play: back to the title
    EXPECT_EQ(state(), AppState::Title);
    EXPECT_FALSE(window->shell().workerRunning());

    chosen.clear();
    key(Qt::Key_Return); // chooser cancelled: result state, title still shown
    EXPECT_EQ(state(), AppState::Result);
    key(Qt::Key_F3); // result: replay without a dialog
    EXPECT_EQ(state(), AppState::Play);
    waitFor(AppState::Result);
    EXPECT_EQ(game.tally().bad(), 4);
    key(Qt::Key_Escape); // result: title
    EXPECT_EQ(state(), AppState::Title);
    EXPECT_TRUE(window->isVisible());
    key(Qt::Key_Escape, true); // title, even as a repeat: the window closes
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Tonefalls.ini"));
}

TEST_F(MainWindowTest, StartDuringPlayStopsThePlayAndShowsTheTitleFirst) {
    play(true);
    window->fileChooser = [this](QWidget*, std::filesystem::path&) {
        EXPECT_FALSE(window->shell().workerRunning());
        EXPECT_EQ(state(), AppState::Title);
        return false;
    };
    action(QStringLiteral("&Start...\tF2"))->trigger();
    EXPECT_EQ(state(), AppState::Title);
}

TEST_F(MainWindowTest, NoPartQuestionAnsweredNoKeepsTheDialogThenYesPlays) {
    chosen = song.str();
    driver.add(OnPartDialog([](TemplateDialog& d) { Button(&d, 1)->click(); }));
    driver.add(
        OnMessageBox(QStringLiteral("演奏パートが選択されていません。続行しますか？"), QMessageBox::No));
    driver.add(OnPartDialog([](TemplateDialog& d) { Button(&d, 1)->click(); }));
    driver.add(
        OnMessageBox(QStringLiteral("演奏パートが選択されていません。続行しますか？"), QMessageBox::Yes));
    key(Qt::Key_Return);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(state(), AppState::Play);
    waitFor(AppState::Result);
    EXPECT_EQ(noteOns(0), 4); // no part chosen: the song plays itself
}

TEST_F(MainWindowTest, TooManyNotesShowsItsBoxAndKeepsTheDialog) {
    test::TempFile crowded(test::ManyNotesSong(1001));
    chosen = crowded.str();
    driver.add(OnPartDialog([](TemplateDialog& d) {
        EXPECT_EQ(qobject_cast<QLabel*>(d.control(1029))->text(), QStringLiteral("1001"));
        Button(&d, 1001)->click();
        Button(&d, 1)->click();
    }));
    driver.add(OnMessageBox(QStringLiteral("ノートの数が多すぎて実行できません"), QMessageBox::Ok));
    driver.add(OnPartDialog([](TemplateDialog& d) { Button(&d, 2)->click(); }));
    action(QStringLiteral("&Start...\tF2"))->trigger();
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(state(), AppState::Title);
    EXPECT_FALSE(window->shell().workerRunning());
}

TEST_F(MainWindowTest, PreviewButtonsStartSwitchAndStopThePreview) {
    test::TempFile parts(test::FourPartSong());
    chosen = parts.str();
    MainWindow* w = window.get();
    driver.add(OnPartDialog([w](TemplateDialog& d) {
        Button(&d, 1050)->click();
        EXPECT_TRUE(w->shell().workerRunning());
        Button(&d, 1052)->click(); // part 3 replaces part 1
        EXPECT_TRUE(w->shell().workerRunning());
        Button(&d, 1052)->click(); // and stops
        EXPECT_FALSE(w->shell().workerRunning());
        Button(&d, 1053)->click();
        EXPECT_TRUE(w->shell().workerRunning());
    }));
    // Esc on the dialog cancels it and stops the preview.
    driver.add(OnPartDialog([](TemplateDialog& d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &esc);
    }));
    key(Qt::Key_Return);
    EXPECT_TRUE(driver.done());
    EXPECT_FALSE(window->shell().workerRunning());
    EXPECT_EQ(state(), AppState::Result);
}

TEST_F(MainWindowTest, KeyDialogRoundTripAndTheKeyFileWrittenAtExit) {
    chosen = song.str();
    driver.add(OnPartDialog([](TemplateDialog& d) { Button(&d, 1049)->click(); }));
    driver.add([](QWidget* modal) {
        auto* keys = qobject_cast<TemplateDialog*>(modal);
        if (keys == nullptr || keys->windowTitle() != QStringLiteral("キー配置")) {
            return false;
        }
        QComboBox* lane0 = keys->list(1051);
        EXPECT_EQ(lane0->count(), 48);
        EXPECT_EQ(lane0->currentText(), QStringLiteral("Z"));
        EXPECT_EQ(keys->list(1065)->currentText(), QStringLiteral(","));
        lane0->setCurrentIndex(1);
        emit lane0->activated(1);
        Button(keys, 1)->click();
        return true;
    });
    driver.add(OnPartDialog([](TemplateDialog& d) { Button(&d, 2)->click(); }));
    key(Qt::Key_Return);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(game.keyBindings().primaryKey(0), 0x31u);
    EXPECT_EQ(game.keyBindings().secondaryKey(0), 0u);

    window->close();
    std::ifstream ini(dir.path() / "Tonefalls.ini");
    std::stringstream text;
    text << ini.rdbuf();
    EXPECT_NE(text.str().find("Key00 = 49"), std::string::npos) << text.str();
}

TEST_F(MainWindowTest, AboutBoxAndHelpPage) {
    driver.add([](QWidget* modal) {
        auto* about = qobject_cast<TemplateDialog*>(modal);
        if (about == nullptr) {
            return false;
        }
        EXPECT_EQ(about->windowTitle(), QStringLiteral("バージョン情報"));
        bool version = false;
        bool release = false;
        for (QLabel* label : about->findChildren<QLabel*>()) {
            version = version || label->text() == QStringLiteral("Tonefalls Version 0.21 - QUILL MIX");
            release = release || label->text().toStdString() == Version;
        }
        EXPECT_TRUE(version);
        EXPECT_TRUE(release);
        Button(about, 1)->click();
        return true;
    });
    action(QStringLiteral("&About..."))->trigger();
    EXPECT_TRUE(driver.done());
    std::filesystem::create_directories(dir.path() / "help");
    std::ofstream(dir.path() / "help" / "help.html") << "help";
    action(QStringLiteral("&Help...\tF1"))->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0],
              QUrl::fromLocalFile(QString::fromStdString((dir.path() / "help" / "help.html").string())));
}

TEST_F(MainWindowTest, AFirstPressOfALaneKeyReachesTheLatch) {
    key(Qt::Key_Z, true);
    EXPECT_FALSE(latch.pressedSinceLastQuery('Z'));
    key(Qt::Key_Z);
    EXPECT_TRUE(latch.pressedSinceLastQuery('Z'));
    key(Qt::Key_Semicolon);
    EXPECT_TRUE(latch.pressedSinceLastQuery(0xBA));
}

TEST_F(MainWindowTest, ExitDuringPlayStopsTheSongAndCloses) {
    play(true);
    action(QStringLiteral("E&xit"))->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->shell().workerRunning());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Tonefalls.ini"));
}

TEST_F(MainWindowTest, EscAndEnterReachTheGameAfterAMenuOrADialogClosedWithEsc) {
    window->activateWindow();
    QApplication::processEvents();
    // A menu opened with a click and closed with Esc: Enter opens the chooser, not the menu again.
    QAction* gamePlay = window->menuBar()->actions().constFirst();
    window->menuBar()->setActiveAction(gamePlay);
    test::WaitUntil([&] {
        QApplication::processEvents();
        return gamePlay->menu()->isVisible();
    });
    typeKey(Qt::Key_Escape);
    EXPECT_FALSE(gamePlay->menu()->isVisible());
    typeKey(Qt::Key_Return);
    EXPECT_EQ(choosers, 1);
    EXPECT_FALSE(gamePlay->menu()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window->canvas());

    // The about box closed with Esc: the next Esc leaves the chooser's result, the one after
    // it the title, closing the window.
    driver.add([this](QWidget* modal) {
        if (qobject_cast<TemplateDialog*>(modal) == nullptr) {
            return false;
        }
        typeKey(Qt::Key_Escape);
        return true;
    });
    action(QStringLiteral("&About..."))->trigger();
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(state(), AppState::Result);
    typeKey(Qt::Key_Escape);
    EXPECT_EQ(state(), AppState::Title);
    typeKey(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ZoomsOnlyWhereTheyFitFullScreenIsSharpOrSmoothAndSpacePausesThePlay) {
    // The offscreen screen is 800 x 600: only x1's window fits, the others are greyed and refused.
    emit window->viewMenu()->aboutToShow();
    EXPECT_TRUE(action(QStringLiteral("×&1"))->isEnabled());
    for (const QString& zoom : {QStringLiteral("×1.&5"), QStringLiteral("×&2"), QStringLiteral("×&3")}) {
        EXPECT_FALSE(action(zoom)->isEnabled()) << zoom.toStdString();
    }
    window->shell().command(ZoomX2Command);
    QApplication::processEvents();
    EXPECT_EQ(window->canvas()->size(), QSize(ClientWidth, ClientHeight));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(buffer.image().size(), QSize(ClientWidth + 1, ClientHeight + 1)); // drawn at its own size

    // Full screen: the largest whole factor, 1 here, pixel for pixel and centred on black.
    action(QStringLiteral("&Full screen\tF11"))->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_FALSE(window->menuBar()->isVisible());
    const QSize area = window->canvas()->size();
    const PicturePlacement place = PlacePicture({Zoom::X1, true}, area.width(), area.height());
    EXPECT_FALSE(place.smooth);
    const QImage picture = buffer.image().copy(0, 0, ClientWidth, ClientHeight);
    QImage shown = window->canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(area.width() - 1, area.height() - 1), qRgb(0, 0, 0));
    int differing = 0;
    for (int y = 0; y < ClientHeight; y += 7) {
        for (int x = 0; x < ClientWidth; x += 5) {
            differing += shown.pixel(place.x + x, place.y + y) != picture.pixel(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
    // Smooth filling, remembered: the picture reaches the screen's edges.
    action(QStringLiteral("&Smooth full screen"))->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(action(QStringLiteral("&Smooth full screen"))->isChecked());
    EXPECT_TRUE(window->shell().settings().smoothFullScreen);
    shown = window->canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const PicturePlacement filled = PlacePicture({Zoom::X1, true, true}, area.width(), area.height());
    EXPECT_GT(filled.height, place.height);
    EXPECT_NE(shown.pixel(filled.x + 2, area.height() / 2), qRgb(0, 0, 0));

    // F11 again: back to x1, menu and all.
    action(QStringLiteral("&Full screen\tF11"))->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_EQ(window->canvas()->size(), QSize(ClientWidth, ClientHeight));

    play(true);
    key(Qt::Key_Space);
    EXPECT_TRUE(window->shell().paused());
    EXPECT_FALSE(window->shell().workerRunning());
    // The pause box, navy inside, lies over the lanes.
    EXPECT_EQ(buffer.image().pixel(50, 190), qRgb(0x10, 0x20, 0x40));
    key(Qt::Key_Space);
    EXPECT_FALSE(window->shell().paused());
    waitFor(AppState::Result);
    EXPECT_EQ(noteOns(0), 4);
}

TEST_F(MainWindowTest, ASongFromTheCommandLineOrADropOpensItsDialogCentredOverTheWindow) {
    // At x1 the window fits the offscreen screen, which would otherwise push the dialog back
    // inside its edges.
    action(QStringLiteral("×&1"))->trigger();
    QApplication::processEvents();
    const QPoint centre = window->frameGeometry().center();
    int dialogs = 0;
    const auto centred = [&](TemplateDialog& d) {
        ++dialogs;
        // Within a few pixels: the dialog's own frame is the platform's. A dialog wider than the
        // screen (the part dialog on the offscreen platform's 800 pixels) is kept on it, so
        // only its height is centred then.
        const QRect frame = d.frameGeometry();
        EXPECT_LE(std::abs(frame.center().y() - centre.y()), 4) << frame.center().y() << " " << centre.y();
        if (frame.width() <= d.screen()->availableGeometry().width()) {
            EXPECT_LE(std::abs(frame.center().x() - centre.x()), 4)
                << frame.center().x() << " " << centre.x();
        }
        Button(&d, 2)->click();
    };
    driver.add(OnPartDialog(centred));
    window->openSongLater(song.str());
    test::WaitUntil([&] {
        QApplication::processEvents();
        return dialogs == 1;
    });

    driver.add(OnPartDialog(centred));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(song.str()))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window's handler: without a drag in progress the application would not
    // deliver a drop at all.
    static_cast<QObject*>(window.get())->event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    test::WaitUntil([&] {
        QApplication::processEvents();
        return dialogs == 2;
    });
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(choosers, 0);
}

} // namespace
} // namespace tf
