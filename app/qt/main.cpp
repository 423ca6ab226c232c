#include "app/qt/BackBuffer.h"
#include "app/qt/MainWindow.h"
#include "app/qt/ProgramIcon.h"
#include "app/qt/QtLanguage.h"
#include "app/qt/QtPath.h"
#include "app/settings/KeyFileLocation.h"
#include "app/settings/Settings.h"
#include "app/shell/CommandLine.h"
#include "app/shell/HeldMessages.h"
#include "app/text/Language.h"
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

namespace {

/// Where a desktop game keeps its files and which language it speaks.
tf::ShellSetup DesktopSetup(const tf::CommandLine& line) {
    tf::ShellSetup setup;
    setup.programDirectory = tf::PathFromQString(QCoreApplication::applicationDirPath());
    setup.keyFileRule = tf::KeyFileRule::ConfigFolder;
    setup.configFolder = tf::ConfigFolderOfEnvironment();
    std::error_code noDirectory;
    setup.settingsFile = tf::SettingsFilePath(std::filesystem::current_path(noDirectory));
    setup.systemLanguage = tf::LanguageOfLocale(QLocale::system().name().toStdString());
    setup.language = line.language;
    return setup;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view program = argc > 0 ? argv[0] : "tonefalls";
    // --help and --version answer in a terminal without a display, so before any window system
    // is touched.
    const tf::CommandLine early =
        tf::ParseCommandLine(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (early.help || early.version) {
        std::fputs((early.help ? tf::UsageText(program) : tf::VersionText()).c_str(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tonefalls"));
    QApplication::setWindowIcon(tf::ProgramIcon());
    tf::UseProportionalFaceFor(QLocale::system());

    // QApplication has taken its own options out of argv.
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tf::CommandLine line = tf::ParseCommandLine(arguments);
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s: %s\n%s", program.data(), line.error.c_str(),
                     tf::UsageText(program).c_str());
        return 2;
    }
    std::unique_ptr<tf::MidiPort> port = tf::MakeMidiPort(line.midiOut, line.soundFont, line.audioDriver);
    if (!port) {
        std::fprintf(stderr, "%s: unknown MIDI output '%s'\n%s", program.data(), line.midiOut.c_str(),
                     tf::UsageText(program).c_str());
        return 2;
    }

    tf::SystemClock clock;
    tf::KeyLatch keys;
    tf::BackBuffer backBuffer;
    // Opening the output happens here, before the window: a failure is kept and shown once,
    // over the window, and the game runs silent.
    tf::HeldMessages messages(*port, true);
    tf::GamePlay game(clock, keys, *port, backBuffer, messages);

    tf::MainWindow window(game, keys, backBuffer, DesktopSetup(line));
    window.shell().setOutput(port.get());
    window.centreOnScreen();
    // A keyboard that is not there is no reason to stop: the lanes still play on the computer's.
    if (!window.shell().useMidiInput(std::make_unique<tf::RtMidiInput>(), line.midiIn)) {
        std::fprintf(stderr, "%s: no MIDI input port '%s'; see View > MIDI input\n", program.data(),
                     line.midiIn.c_str());
    }
    window.show();
    // One after the other: the output's box is closed before a song from the command line opens
    // its dialog.
    window.whenShown([&messages, &window, &line] {
        messages.release(
            [&window](tf::MessageIcon, std::string_view caption, std::string_view text) {
                window.shell().showOutputFailure(caption, text);
            },
            [&window] { return window.shell().textLanguage(); });
        if (!line.midiFile.empty()) {
            // The argument's bytes are the file's name, as the system gave them.
            window.shell().openSong(std::filesystem::path(line.midiFile));
        }
    });
    return QApplication::exec();
}
