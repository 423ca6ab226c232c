#include "tools/cli/TimingCommand.h"

#include "app/qt/BackBuffer.h"
#include "app/qt/QtBitmap.h"
#include "app/screens/ClientArea.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/SystemClock.h"
#include "tools/cli/Commands.h"
#include "tools/cli/StampingPort.h"
#include "tools/cli/StderrSink.h"
#include "tools/cli/TimingRun.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdio>

namespace tf::cli {

int RunTiming(const CliArguments& arguments) {
    // Text is drawn with the toolkit's fonts, which need an application; no window is shown,
    // so none needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tonefalls-cli";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);

    QWidget window;
    window.resize(ClientWidth, ClientHeight);
    BackBuffer surface;
    surface.attach(&window);
    surface.create();
    // A background of the play field's size, so each frame copies as many pixels as the game's.
    QImage picture(ClientWidth, ClientHeight, QImage::Format_RGB32);
    picture.fill(QColor(24, 32, 64));
    const QtBitmap background(picture);

    SystemClock clock;
    StampingPort port(clock);
    KeyLatch keys;
    StderrSink messages;
    GamePlay game(clock, keys, port, surface, messages);
    game.setMainBitmap(&background);
    if (game.load(arguments.file) == LoadResult::Failed) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(LoadFailureText.size()), LoadFailureText.data());
        return ExitFailure;
    }
    TimingSettings settings;
    settings.seconds = arguments.seconds;
    settings.partMask =
        arguments.partsGiven ? arguments.partMask : DefaultTimingParts(game, arguments.seconds);
    settings.drawEveryFrame = arguments.drawEveryFrame;
    game.options().setJudgeOffset(arguments.offset);
    const auto report = MeasurePlay(game, clock, keys, port, settings);
    if (!report) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(TooManyNotesText.size()), TooManyNotesText.data());
        return ExitFailure;
    }
    const std::string table = FormatTimingTable(*report, arguments.file);
    std::fwrite(table.data(), 1, table.size(), stdout);
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}

} // namespace tf::cli
