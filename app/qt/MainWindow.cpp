#include "app/qt/MainWindow.h"

#include "app/qt/BackBuffer.h"
#include "app/qt/DialogViews.h"
#include "app/qt/Drawing.h"
#include "app/qt/GameCanvas.h"
#include "app/qt/KeyMapping.h"
#include "app/qt/ProgramIcon.h"
#include "app/qt/QtPath.h"
#include "app/qt/QtText.h"
#include "app/screens/ClientArea.h"
#include "app/shell/CommandIds.h"
#include "game/GamePlay.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace tf {

namespace {

/// The first local file among the dropped URLs, empty when there is none.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
            return url.toLocalFile();
        }
    }
    return {};
}

} // namespace

MainWindow::MainWindow(GamePlay& game, KeyState& keys, BackBuffer& buffer, const ShellSetup& setup,
                       QWidget* parent)
    : QMainWindow(parent), urlOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      buffer(buffer), canvas_(new GameCanvas(buffer, this)),
      shell_(game, keys, buffer, buffer.mutex(), *this) {
    fileChooser = [this](QWidget* owner, std::filesystem::path& path) {
        const Language language = shell_.textLanguage();
        return ChooseMidiFile(owner, path, chooserFolder_,
                              {FromUtf8(Text(TextId::OpenMidiFileTitle, language)),
                               FromUtf8(Text(TextId::MidiFilesFilter, language)),
                               FromUtf8(Text(TextId::AllFilesFilter, language))});
    };
    if (QApplication::windowIcon().isNull()) {
        QApplication::setWindowIcon(ProgramIcon());
    }
    setWindowIcon(QApplication::windowIcon());
    // A caption, a system menu and a minimise box; no sizing border and no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setCentralWidget(canvas_);

    addGamePlayMenu();
    addViewMenu();
    addHelpMenu();
    for (const QKeySequence& keysForAbout :
         {QKeySequence(Qt::ALT | Qt::Key_Slash), QKeySequence(Qt::ALT | Qt::Key_Question)}) {
        auto* shortcut = new QShortcut(keysForAbout, this);
        connect(shortcut, &QShortcut::activated, this, [this] { shell_.command(AboutCommand); });
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    canvas_->setFocus();
    setAcceptDrops(true);
    // The play thread draws a new picture only once the window has shown the last one.
    canvas_->setPictureShownHandler([this, &game] {
        game.notePictureShown();
        pictureShown();
    });

    buffer.attach(canvas_);
    // The picture keeps its own size whatever the zoom; the canvas shows it scaled.
    buffer.create(ClientWidth, ClientHeight);
    shell_.create(setup);
}

MainWindow::~MainWindow() {
    shell_.destroy();
}

void MainWindow::openSongLater(const std::filesystem::path& path) {
    whenShown([this, path] { shell_.openSong(path); });
}

void MainWindow::whenShown(std::function<void()> action) {
    if (shownOnce) {
        QTimer::singleShot(0, this, std::move(action));
        return;
    }
    afterShown.push_back(std::move(action));
}

void MainWindow::pictureShown() {
    // Called from the paint handler under the back buffer's lock: the waiting actions only go
    // into the event loop from here.
    if (shownOnce) {
        return;
    }
    shownOnce = true;
    for (std::function<void()>& action : afterShown) {
        QTimer::singleShot(0, this, std::move(action));
    }
    afterShown.clear();
}

void MainWindow::keysToTheGame() {
    if (QApplication::activePopupWidget() != nullptr || QApplication::activeModalWidget() != nullptr ||
        !isVisible()) {
        return;
    }
    // Without a window manager nobody gives the window the keyboard back when a dialog over it
    // closes.
    activateWindow();
    // Taken from the menu bar, the focus ends its keyboard mode too.
    canvas_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::centreOnScreen() {
    adjustSize();
    if (const QScreen* place = screen()) {
        const QRect area = place->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

bool MainWindow::chooseMidiFile(const std::filesystem::path& folder, std::filesystem::path& path) {
    chooserFolder_ = folder;
    const bool chosen = fileChooser && fileChooser(this, path);
    keysToTheGame();
    return chosen;
}

void MainWindow::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning,
                    FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, this);
    box.exec();
    keysToTheGame();
}

bool MainWindow::showNotice(std::string_view caption, std::string_view text, Language language) {
    QMessageBox box(QMessageBox::Warning, FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, this);
    auto* dismiss = new QCheckBox(FromUtf8(Text(TextId::DoNotShowAgain, language)), &box);
    box.setCheckBox(dismiss);
    box.exec();
    return dismiss->isChecked();
}

void MainWindow::runPartDialog(PartDialog& dialog) {
    RunPartDialog(this, dialog);
    keysToTheGame();
}

void MainWindow::showAbout(std::string_view soundLine, Language language) {
    RunAboutDialog(this, soundLine, language);
    keysToTheGame();
}

bool MainWindow::openHelp(const std::filesystem::path& page) {
    return urlOpener && urlOpener(QUrl::fromLocalFile(QStringFromPath(page)));
}

void MainWindow::closeWindow() {
    close();
}

void MainWindow::requestRepaint() {
    // Any thread may ask; the repaint itself happens on the window thread.
    GameCanvas* target = canvas_;
    QMetaObject::invokeMethod(
        target, [target] { target->requestFrame(); }, Qt::QueuedConnection);
}

std::unique_ptr<Bitmap> MainWindow::loadBitmap(const std::filesystem::path& file) {
    return LoadBitmapFile(QStringFromPath(file));
}

ScreenRoom MainWindow::screenRoom() {
    const QScreen* on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (on == nullptr) {
        return {};
    }
    // Before the window is first shown the window manager's frame is not known: the style's
    // caption height stands for it. Qt's sizes are the desktop's units already.
    const int caption = isVisible() ? frameGeometry().height() - geometry().height()
                                    : style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const int sides = isVisible() ? frameGeometry().width() - geometry().width() : 0;
    // In full screen the menu bar is hidden, but the window it goes back to has one.
    return {on->availableGeometry().height(), menuBar()->sizeHint().height() + caption,
            on->availableGeometry().width(), sides};
}

void MainWindow::showViewMode(const ViewMode& mode) {
    for (std::size_t i = 0; i < AllZooms.size(); ++i) {
        zoomActions[i]->setChecked(AllZooms[i] == mode.zoom);
    }
    fullScreenAction->setChecked(mode.fullScreen);
    smoothFillAction->setChecked(mode.smoothFill);
    canvas_->setViewMode(mode);
    if (mode.fullScreen) {
        menuBar()->hide();
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        canvas_->setMinimumSize(0, 0);
        canvas_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setWindowState(windowState() | Qt::WindowFullScreen);
        return;
    }
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    menuBar()->show();
    const PixelSize size = ZoomedSize(mode.zoom);
    canvas_->setFixedSize(size.width, size.height);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    keepOnScreen();
}

void MainWindow::keepOnScreen() {
    const QScreen* on = screen();
    if (!isVisible() || on == nullptr) {
        return;
    }
    // The frame as it will be at the new size: the window manager's borders stay as they were.
    const QRect area = on->availableGeometry();
    const QSize frame = size() + (frameGeometry().size() - geometry().size());
    QRect place(frameGeometry().topLeft(), frame);
    if (area.contains(place)) {
        return;
    }
    // Grown past an edge: centred on the screen, and where it is larger still, its top left
    // corner on the screen, caption and menu first.
    place.moveCenter(area.center());
    move(std::max(place.left(), area.left()), std::max(place.top(), area.top()));
}

void MainWindow::showKeyLabels(bool on) {
    keyLabelsAction->setChecked(on);
}

void MainWindow::showHitErrorBar(bool on) {
    hitErrorBarAction->setChecked(on);
}

void MainWindow::showRecentSongs(const std::vector<std::string>& labels) {
    recentMenu->clear();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        QAction* song = recentMenu->addAction(FromUtf8(labels[i]));
        const int command = RecentSongCommandBase + static_cast<int>(i);
        connect(song, &QAction::triggered, this, [this, command] { shell_.command(command); });
    }
    recentMenu->setEnabled(!labels.empty());
}

void MainWindow::showLanguage(Language language) {
    qtLanguage.use(language);
    setWindowTitle(FromUtf8(Text(TextId::WindowTitle, language)));
    for (const auto& [action, text] : menuTexts) {
        action->setText(FromUtf8(Text(text, language)));
    }
    languageActions[0]->setChecked(language == Language::Japanese);
    languageActions[1]->setChecked(language == Language::English);
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

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Another window in front, a dialog over this one, or the window minimised: play pauses.
    if ((event->type() == QEvent::ActivationChange && !isActiveWindow()) ||
        (event->type() == QEvent::WindowStateChange && isMinimized())) {
        shell_.lostFocus();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString file = DroppedFile(event->mimeData());
    if (file.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // The start flow opens dialogs; it runs from the event loop, not inside the drop, so that
    // the desktop's drag ends first.
    const std::filesystem::path path = PathFromQString(file);
    QTimer::singleShot(0, this, [this, path] { shell_.dropFile(path); });
}

} // namespace tf
