#include "app/qt/MainWindow.h"

#include "app/CommandIds.h"
#include "app/ShellTexts.h"
#include "app/qt/BackBuffer.h"
#include "app/qt/DialogViews.h"
#include "app/qt/Drawing.h"
#include "app/qt/GameCanvas.h"
#include "app/qt/KeyMapping.h"
#include "app/qt/ProgramIcon.h"
#include "game/GamePlay.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>

namespace tf {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainWindow::MainWindow(GamePlay& game, KeyState& keys, BackBuffer& buffer,
                       const QString& installedDataDirectory, QWidget* parent)
    : QMainWindow(parent), fileChooser(ChooseMidiFile),
      urlOpener([](const QUrl& url) { QDesktopServices::openUrl(url); }), buffer(buffer),
      canvas_(new GameCanvas(buffer, this)), shell_(game, keys, buffer, buffer.mutex(), *this) {
    setWindowTitle(FromUtf8(WindowTitle));
    if (QApplication::windowIcon().isNull()) {
        QApplication::setWindowIcon(ProgramIcon());
    }
    setWindowIcon(QApplication::windowIcon());
    // A caption, a system menu and a minimise box; no sizing border and no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setCentralWidget(canvas_);

    QMenu* gamePlay = menuBar()->addMenu(QStringLiteral("&GamePlay"));
    QAction* start = gamePlay->addAction(QStringLiteral("&Start...\tF2"));
    start->setShortcut(QKeySequence(Qt::Key_F2));
    connect(start, &QAction::triggered, this, [this] { shell_.command(StartCommand); });
    gamePlay->addSeparator();
    QAction* exit = gamePlay->addAction(QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, [this] { shell_.command(ExitCommand); });
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* helpPage = help->addAction(QStringLiteral("&Help...\tF1"));
    helpPage->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpPage, &QAction::triggered, this, [this] { shell_.command(HelpCommand); });
    help->addSeparator();
    QAction* about = help->addAction(QStringLiteral("&About..."));
    connect(about, &QAction::triggered, this, [this] { shell_.command(AboutCommand); });
    for (const QKeySequence& keysForAbout :
         {QKeySequence(Qt::ALT | Qt::Key_Slash), QKeySequence(Qt::ALT | Qt::Key_Question)}) {
        auto* shortcut = new QShortcut(keysForAbout, this);
        connect(shortcut, &QShortcut::activated, this, [this] { shell_.command(AboutCommand); });
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    canvas_->setFocus();
    // The play thread draws a new picture only once the window has shown the last one.
    canvas_->setPictureShownHandler([&game] { game.notePictureShown(); });

    buffer.attach(canvas_);
    buffer.create();
    shell_.create(installedDataDirectory.toStdString());
}

MainWindow::~MainWindow() {
    shell_.destroy();
}

void MainWindow::openSongLater(const std::string& path) {
    QMetaObject::invokeMethod(
        this, [this, path] { shell_.openSong(path); }, Qt::QueuedConnection);
}

bool MainWindow::chooseMidiFile(std::string& path) {
    return fileChooser && fileChooser(this, path);
}

void MainWindow::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning,
                    FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::runPartDialog(PartDialog& dialog) {
    RunPartDialog(this, dialog);
}

void MainWindow::showAbout() {
    RunAboutDialog(this);
}

void MainWindow::openHelp(const std::string& path) {
    if (urlOpener) {
        urlOpener(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
}

void MainWindow::closeWindow() {
    close();
}

void MainWindow::requestRepaint() {
    // Any thread may ask; the repaint itself happens on the window thread.
    GameCanvas* target = canvas_;
    QMetaObject::invokeMethod(
        target, [target] { target->update(); }, Qt::QueuedConnection);
}

std::unique_ptr<Bitmap> MainWindow::loadBitmap(const std::string& path) {
    return LoadBitmapFile(QString::fromStdString(path));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const std::uint32_t vk = VirtualKeyFromKeyEvent(event->key(), event->nativeScanCode());
    if (vk == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    shell_.keyDown(vk, event->isAutoRepeat());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shell_.destroy();
    event->accept();
}

} // namespace tf
