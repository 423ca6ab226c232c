#include "app/qt/MainWindow.h"

#include "app/qt/BackBuffer.h"
#include "app/qt/DialogViews.h"
#include "app/qt/Drawing.h"
#include "app/qt/GameCanvas.h"
#include "app/qt/KeyMapping.h"
#include "app/qt/ProgramIcon.h"
#include "app/qt/QtPath.h"
#include "app/screens/ClientArea.h"
#include "app/shell/CommandIds.h"
#include "game/GamePlay.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
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

namespace tf {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

QAction* MainWindow::addCommand(QMenu* menu, TextId text, int command, const QKeySequence& keys) {
    // The texts come with the language, from the shell's creation on.
    QAction* action = menu->addAction(QString());
    menuTexts.emplace_back(action, text);
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        // The menu bar is hidden in full screen, and with it its actions' shortcuts.
        addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, command] { shell_.command(command); });
    return action;
}

QMenu* MainWindow::addMenu(QMenu* parent, TextId text) {
    QMenu* menu = parent != nullptr ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
    menuTexts.emplace_back(menu->menuAction(), text);
    return menu;
}

void MainWindow::addGamePlayMenu() {
    QMenu* gamePlay = addMenu(nullptr, TextId::GamePlayMenu);
    connect(gamePlay, &QMenu::aboutToShow, this, [this] { shell_.lostFocus(); });
    addCommand(gamePlay, TextId::StartItem, StartCommand, QKeySequence(Qt::Key_F2));
    recentMenu = addMenu(gamePlay, TextId::RecentMenu);
    gamePlay->addSeparator();
    addCommand(gamePlay, TextId::ExitItem, ExitCommand);
}

// The View menu: the zooms and full screen, the hit-error bar, then the language and the MIDI
// keyboard, last.
void MainWindow::addViewMenu() {
    QMenu* view = addMenu(nullptr, TextId::ViewMenu);
    viewMenu_ = view;
    connect(view, &QMenu::aboutToShow, this, [this] { shell_.lostFocus(); });
    auto* zooms = new QActionGroup(this);
    const std::array<QString, 4> names = {QStringLiteral("×&1"), QStringLiteral("×1.&5"),
                                          QStringLiteral("×&2"), QStringLiteral("×&3")};
    for (std::size_t i = 0; i < AllZooms.size(); ++i) {
        // The zooms read the same in every language.
        QAction* zoom = view->addAction(names[i]);
        const int command = ZoomCommand(AllZooms[i]);
        connect(zoom, &QAction::triggered, this, [this, command] { shell_.command(command); });
        zoom->setCheckable(true);
        zooms->addAction(zoom);
        zoomActions[i] = zoom;
    }
    view->addSeparator();
    fullScreenAction = addCommand(view, TextId::FullScreenItem, FullScreenCommand, QKeySequence(Qt::Key_F11));
    fullScreenAction->setCheckable(true);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this] { shell_.command(FullScreenCommand); });
    }
    view->addSeparator();
    // The shell decides the mark: triggering flips Qt's own check, which showHitErrorBar then sets.
    hitErrorBarAction = addCommand(view, TextId::HitErrorBarItem, HitErrorBarCommand);
    hitErrorBarAction->setCheckable(true);
    view->addSeparator();
    QMenu* language = addMenu(view, TextId::LanguageMenu);
    auto* languages = new QActionGroup(this);
    languageActions = {addCommand(language, TextId::JapaneseItem, JapaneseCommand),
                       addCommand(language, TextId::EnglishItem, EnglishCommand)};
    for (QAction* item : languageActions) {
        item->setCheckable(true);
        languages->addAction(item);
    }
    QMenu* midiInput = addMenu(view, TextId::MidiInputMenu);
    // Made afresh each time it opens: keyboards come and go while the game runs.
    connect(midiInput, &QMenu::aboutToShow, this, [this, midiInput] { fillMidiInputMenu(midiInput); });
}

void MainWindow::addHelpMenu() {
    QMenu* help = addMenu(nullptr, TextId::HelpMenu);
    connect(help, &QMenu::aboutToShow, this, [this] { shell_.lostFocus(); });
    addCommand(help, TextId::HelpItem, HelpCommand, QKeySequence(Qt::Key_F1));
    help->addSeparator();
    addCommand(help, TextId::AboutItem, AboutCommand);
}

void MainWindow::fillMidiInputMenu(QMenu* menu) {
    menu->clear();
    qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
    const MidiInputMenu items = shell_.midiInputMenu();
    auto* group = new QActionGroup(menu);
    for (std::size_t i = 0; i < items.items.size(); ++i) {
        QAction* item = menu->addAction(FromUtf8(MenuItemText(items.items[i])));
        item->setCheckable(true);
        item->setChecked(i == items.checked);
        group->addAction(item);
        const int id = MidiInputFirstCommand + static_cast<int>(i);
        connect(item, &QAction::triggered, this, [this, id] { shell_.command(id); });
    }
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

void MainWindow::centreOnScreen() {
    adjustSize();
    if (const QScreen* place = screen()) {
        const QRect area = place->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

bool MainWindow::chooseMidiFile(const std::filesystem::path& folder, std::filesystem::path& path) {
    chooserFolder_ = folder;
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

void MainWindow::showAbout(std::string_view soundLine, Language language) {
    RunAboutDialog(this, soundLine, language);
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
        target, [target] { target->update(); }, Qt::QueuedConnection);
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
    return {on->availableGeometry().height(), menuBar()->sizeHint().height() + caption};
}

void MainWindow::showViewMode(const ViewMode& mode) {
    for (std::size_t i = 0; i < AllZooms.size(); ++i) {
        zoomActions[i]->setChecked(AllZooms[i] == mode.zoom);
    }
    fullScreenAction->setChecked(mode.fullScreen);
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
