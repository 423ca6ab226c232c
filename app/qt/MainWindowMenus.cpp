// The main window's menus: GamePlay, View and Help, their items and accelerators.

#include "app/qt/MainWindow.h"

#include "app/qt/QtText.h"
#include "app/shell/CommandIds.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>

namespace tf {

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
    if (parent == nullptr) {
        // Closed with Esc, a menu leaves the menu bar holding the keyboard, waiting for an arrow
        // or Enter to open a menu again: Enter and Esc would never reach the game. Looked at
        // once the menu has gone, when it is known whether another one opened in its place.
        connect(menu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, [this] { keysToTheGame(); }); });
    }
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
    connect(view, &QMenu::aboutToShow, this, [this] {
        shell_.lostFocus();
        // The screen may have changed since: only the zooms whose window fits it are offered.
        const auto offered = OfferedZooms(screenRoom());
        for (std::size_t i = 0; i < AllZooms.size(); ++i) {
            zoomActions[i]->setEnabled(offered[i]);
        }
    });
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
    smoothFillAction = addCommand(view, TextId::SmoothFullScreenItem, SmoothFullScreenCommand);
    smoothFillAction->setCheckable(true);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this] { shell_.command(FullScreenCommand); });
    }
    view->addSeparator();
    // The shell decides the mark: triggering flips Qt's own check, which showHitErrorBar then sets.
    hitErrorBarAction = addCommand(view, TextId::HitErrorBarItem, HitErrorBarCommand);
    hitErrorBarAction->setCheckable(true);
    keyLabelsAction = addCommand(view, TextId::KeyLabelsItem, KeyLabelsCommand);
    keyLabelsAction->setCheckable(true);
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

} // namespace tf
