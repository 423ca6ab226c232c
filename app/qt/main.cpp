#include "app/CommandLine.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "app/qt/BackBuffer.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MessageBoxSink.h"
#include "app/qt/ProgramIcon.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/SystemClock.h"
#include "platform/midi/PortFactory.h"
#include "platform/midi/RtMidiInput.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

int main(int argc, char** argv) {
    const std::string_view program = argc > 0 ? argv[0] : "tonefalls";
    // --help answers in a terminal without a display, so before any window system is touched.
    if (tf::ParseCommandLine(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc)).help) {
        std::fputs(tf::UsageText(program).c_str(), stdout);
        return 0;
    }
    // The application object comes first: the output's failure box needs it.
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tonefalls"));
    QApplication::setWindowIcon(tf::ProgramIcon());

    // QApplication has taken its own options out of argv.
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tf::CommandLine line = tf::ParseCommandLine(arguments);
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s: %s\n%s", program.data(), line.error.c_str(),
                     tf::UsageText(program).c_str());
        return 2;
    }
    std::unique_ptr<tf::MidiPort> port = tf::MakeMidiPort(line.midiOut, line.soundFont);
    if (!port) {
        std::fprintf(stderr, "%s: unknown MIDI output '%s'\n%s", program.data(), line.midiOut.c_str(),
                     tf::UsageText(program).c_str());
        return 2;
    }

    tf::SystemClock clock;
    tf::KeyLatch keys;
    tf::BackBuffer backBuffer;
    tf::MessageBoxSink messages;
    // Opening the output happens here, before the window: a failure shows its box once and the
    // game runs silent.
    tf::GamePlay game(clock, keys, *port, backBuffer, messages);

    tf::ShellSetup setup;
    setup.installedDataDirectory = TF_INSTALLED_DATA_DIR;
    std::error_code noDirectory;
    setup.settingsFile = tf::SettingsFilePath(std::filesystem::current_path(noDirectory));
    setup.systemLanguage = tf::LanguageOfLocale(QLocale::system().name().toStdString());
    tf::MainWindow window(game, keys, backBuffer, setup);
    // A keyboard that is not there is no reason to stop: the lanes still play on the computer's.
    if (!window.shell().useMidiInput(std::make_unique<tf::RtMidiInput>(), line.midiIn)) {
        std::fprintf(stderr, "%s: no MIDI input port '%s'; see View > MIDI input\n", program.data(),
                     line.midiIn.c_str());
    }
    window.show();
    if (!line.midiFile.empty()) {
        window.openSongLater(line.midiFile);
    }
    return QApplication::exec();
}
