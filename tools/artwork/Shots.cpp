// Writes the title screen, the part dialog, a play-field frame, the same frame paused and a
// result screen as PNG, drawn by the game's own back buffer, drawing code and dialog over our
// artwork, so a person can see what the player sees: each at x1 ("NAME.png") and as full screen
// shows it on a 1920 x 1080 screen ("NAME-full.png"). With --lang ja or en, in that language
// only; otherwise in both, the English ones named "NAME-en.png" and "NAME-en-full.png".

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/DialogTemplate.h"
#include "app/dialogs/PartDialog.h"
#include "app/qt/BackBuffer.h"
#include "app/qt/DialogViews.h"
#include "app/qt/Drawing.h"
#include "app/qt/GameCanvas.h"
#include "app/qt/TemplateDialog.h"
#include "app/screens/ClientArea.h"
#include "app/screens/Screens.h"
#include "app/screens/TimingReport.h"
#include "app/shell/AppState.h"
#include "app/shell/WorkerThread.h"
#include "app/text/Texts.h"
#include "game/GamePlay.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tools/artwork/Artwork.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace {

/// Presses due at set song ticks, reported once each at the first query at or after the tick.
class ScheduledKeys final : public tf::KeyState {
public:
    struct Press {
        std::uint32_t tick;
        std::uint32_t vk;
        bool done = false;
    };
    explicit ScheduledKeys(tf::Clock& clock) : clock(clock) {}
    void add(std::uint32_t tick, std::uint32_t vk) { presses.push_back({tick, vk}); }
    void setOrigin(std::uint32_t tick) { origin = tick; }
    bool pressedSinceLastQuery(std::uint32_t vk) override {
        bool pressed = false;
        for (Press& press : presses) {
            if (!press.done && press.vk == vk && origin + press.tick <= clock.tickCount()) {
                press.done = true;
                pressed = true;
            }
        }
        return pressed;
    }

private:
    tf::Clock& clock;
    std::uint32_t origin = 0;
    std::vector<Press> presses;
};

class QuietSink final : public tf::MessageSink {
public:
    void showMessage(tf::MessageIcon, std::string_view, std::string_view) override {}
};

/// A bitmap from `dataDir` when the file is there, else the same picture drawn here.
std::unique_ptr<tf::Bitmap> Picture(const QString& dataDir, const char* name, QImage (*paint)()) {
    if (!dataDir.isEmpty()) {
        if (auto loaded = tf::LoadBitmapFile(QDir(dataDir).filePath(QString::fromLatin1(name)))) {
            return loaded;
        }
    }
    return std::make_unique<tf::QtBitmap>(paint());
}

// A short run of fifteen lanes on a virtual clock: most notes hit on time, a few late or
// missed, stopped while notes are falling and a combo label is up.
void PlaySomeFrames(tf::BackBuffer& buffer, const tf::Bitmap& background) {
    tf::ManualClock clock(10000);
    ScheduledKeys keys(clock);
    tf::CapturePort port(clock);
    QuietSink sink;
    tf::GamePlay game(clock, keys, port, buffer, sink);
    game.setMainBitmap(&background);
    game.options().setLaneCount(15);

    constexpr std::uint32_t fall = 1500;
    constexpr int noteCount = 60;
    constexpr std::array lanePattern{0, 4, 7, 2, 9, 11, 5, 14, 3, 8, 12, 1, 6, 10, 13, 7, 4, 0, 9, 2};
    tf::ChartStorage& chart = game.chart();
    for (int i = 0; i < noteCount; ++i) {
        const int lane = lanePattern[static_cast<std::size_t>(i) % lanePattern.size()];
        const int pitch = 40 + lane;
        const std::uint32_t hit = fall + 110 * static_cast<std::uint32_t>(i);
        const auto index = chart.pitchNoteCount[static_cast<std::size_t>(pitch)]++;
        tf::Note& note = chart.pitchNotes[static_cast<std::size_t>(pitch)][static_cast<std::size_t>(index)];
        note.reset();
        note.setOn(0x90, static_cast<std::uint8_t>(pitch), 100, hit - fall, hit);
        note.setOff(0x80, static_cast<std::uint8_t>(pitch), 0, hit + 100);
        note.setLane(lane);
        auto& count = chart.laneEntryCount[static_cast<std::size_t>(lane)];
        chart.laneEntries[static_cast<std::size_t>(lane)][static_cast<std::size_t>(count++)] = {pitch, index,
                                                                                                false};
        chart.noteOrder[static_cast<std::size_t>(chart.noteOrderCount++)] = {pitch, index, false};
        if (i % 9 != 4) {
            // Every ninth note is missed; the rest land on time or a little late.
            keys.add(hit + (i % 7 == 3 ? 60u : 3u), game.keyBindings().primaryKey(lane));
        }
    }
    // The reset drains the keys: no press may be due before the song starts.
    keys.setOrigin(clock.tickCount());
    game.resetForPlay();
    const std::uint32_t stopAt = game.sequencer().songStartTick() + fall + 110 * 27 + 40;
    while (clock.tickCount() < stopAt) {
        const std::lock_guard lock(buffer.mutex());
        game.playFrame();
        clock.advance(15);
    }
}

/// A small song for the part dialog: a name, six parts with their instruments (one of them
/// without notes) and the drums.
std::vector<std::uint8_t> RondoSong() {
    std::vector<std::uint8_t> bytes;
    const auto add = [&bytes](std::initializer_list<int> values) {
        for (int v : values) {
            bytes.push_back(static_cast<std::uint8_t>(v));
        }
    };
    std::vector<std::uint8_t> track;
    const auto event = [&track](std::initializer_list<int> values) {
        for (int v : values) {
            track.push_back(static_cast<std::uint8_t>(v));
        }
    };
    // Room made first: GCC 12 at -O3 otherwise sees the growth of an empty vector as a write past
    // its end (a false -Wstringop-overflow).
    track.reserve(1024);
    bytes.reserve(1024 + 22);
    const std::string_view name = "Evening Rondo";
    event({0x00, 0xFF, 0x03, static_cast<int>(name.size())});
    for (const char c : name) {
        track.push_back(static_cast<std::uint8_t>(c));
    }
    event({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    // Programs: piano, strings, flute, acoustic bass, a trumpet that never plays; then the drums.
    const int programs[][2] = {{0, 0}, {1, 48}, {2, 73}, {3, 32}, {4, 56}};
    for (const auto& [channel, program] : programs) {
        event({0x00, 0xC0 | channel, program});
    }
    for (int beat = 0; beat < 16; ++beat) {
        for (int channel : {0, 1, 2, 3, 9}) {
            const int key = channel == 9 ? 36 + (beat % 2) * 2 : 48 + channel * 5 + beat % 5;
            event({0x00, 0x90 | channel, key, 90});
        }
        // A quarter note (480 ticks, written 83 60) later, all five end.
        bool first = true;
        for (int channel : {0, 1, 2, 3, 9}) {
            const int key = channel == 9 ? 36 + (beat % 2) * 2 : 48 + channel * 5 + beat % 5;
            if (first) {
                event({0x83, 0x60});
            } else {
                event({0x00});
            }
            first = false;
            event({0x80 | channel, key, 0});
        }
    }
    event({0x00, 0xFF, 0x2F, 0x00});
    add({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0});
    const auto size = static_cast<std::uint32_t>(track.size());
    add({'M', 'T', 'r', 'k', static_cast<int>(size >> 24), static_cast<int>(size >> 16 & 0xFF),
         static_cast<int>(size >> 8 & 0xFF), static_cast<int>(size & 0xFF)});
    bytes.insert(bytes.end(), track.begin(), track.end());
    return bytes;
}

/// The part dialog in `language` as it opens on the song above with part 1 ticked, part 3
/// previewing.
QImage PartDialogShot(tf::Language language) {
    tf::ManualClock clock;
    ScheduledKeys keys(clock);
    tf::CapturePort port(clock);
    QuietSink sink;
    QWidget owner;
    tf::BackBuffer surface;
    tf::GamePlay game(clock, keys, port, surface, sink);
    const std::vector<std::uint8_t> song = RondoSong();
    if (game.loadBytes(song, "evening rondo.mid") == tf::LoadResult::Failed) {
        return {};
    }
    tf::WorkerThread worker(game);
    tf::PartDialog model(game, worker, language);
    model.init(0b1, "evening rondo.mid");
    class NoHost final : public tf::PartDialogHost {
    public:
        bool askYesNo(std::string_view, std::string_view) override { return false; }
        void showWarning(std::string_view, std::string_view) override {}
        void runKeyDialog(tf::KeyDialog&) override {}
        void endDialog(int) override {}
    } host;
    model.command(tf::PreviewButtonBase + 2, host);
    tf::TemplateDialog dialog(tf::PartDialogTemplate(language), &owner);
    tf::FillPartDialog(dialog, model);
    const QImage body = dialog.grab().toImage();
    // The window frame is the desktop's; a plain caption bar stands for it, with the title line.
    constexpr int caption = 28;
    QImage shot(body.width(), body.height() + caption, QImage::Format_RGB32);
    shot.fill(QColor(0x3c, 0x3f, 0x4a));
    QPainter painter(&shot);
    painter.drawImage(0, caption, body);
    painter.setPen(Qt::white);
    painter.setFont(tf::DialogFont(10));
    painter.drawText(QRect(10, 0, shot.width() - 20, caption), Qt::AlignVCenter | Qt::AlignLeft,
                     dialog.windowTitle());
    // The model's end stops the preview it started.
    return shot;
}

/// What a 1920 x 1080 screen shows in full screen: the picture scaled and centred on black, and
/// `dialog` (when there is one) in the middle over it.
QImage FullScreen(const QImage& picture, const QImage& dialog = {}) {
    constexpr int width = 1920;
    constexpr int height = 1080;
    QImage screen(width, height, QImage::Format_RGB32);
    QPainter painter(&screen);
    tf::PaintPicture(painter, picture, tf::PlacePicture({tf::Zoom::X1, true}, width, height), width, height);
    if (!dialog.isNull()) {
        painter.drawImage((width - dialog.width()) / 2, (height - dialog.height()) / 2, dialog);
    }
    return screen;
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::vector<tf::Language> languages = {tf::Language::Japanese, tf::Language::English};
    bool suffixEnglish = true;
    if (arguments.size() >= 2 && arguments[0] == "--lang") {
        const auto chosen = tf::LanguageFromCode(arguments[1]);
        if (!chosen) {
            std::fprintf(stderr, "tonefalls-shots: --lang takes ja or en\n");
            return 2;
        }
        languages = {*chosen};
        suffixEnglish = false;
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (arguments.empty() || arguments.size() > 2) {
        std::fprintf(stderr, "usage: tonefalls-shots [--lang ja|en] OUTPUT_DIR [DATA_DIR]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(arguments[0].c_str()));
    const QString dataDir = arguments.size() == 2 ? QString::fromLocal8Bit(arguments[1].c_str()) : QString();
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tonefalls-shots: cannot make %s\n", arguments[0].c_str());
        return 1;
    }

    QWidget window;
    window.setFixedSize(tf::ClientWidth, tf::ClientHeight);
    tf::BackBuffer buffer;
    buffer.attach(&window);
    buffer.create();
    const auto japaneseTitle = Picture(dataDir, "title.bmp", tf::PaintJapaneseTitle);
    const auto englishTitle = Picture(dataDir, "title-en.bmp", tf::PaintEnglishTitle);
    const auto field = Picture(dataDir, "main.bmp", tf::PaintPlayField);
    const auto result = Picture(dataDir, "result.bmp", tf::PaintResult);

    bool ok = true;
    for (const tf::Language language : languages) {
        const QString suffix =
            suffixEnglish && language == tf::Language::English ? QStringLiteral("-en") : QString();
        const auto save = [&](const QImage& image, const QString& name) {
            const QString path = out.filePath(name + suffix + QStringLiteral(".png"));
            ok = !image.isNull() && image.save(path, "PNG") && ok;
            std::printf("%s\n", qPrintable(path));
        };
        const auto shoot = [&](const char* name, const QImage& dialog = {}) {
            // The extra column and row are not part of the window.
            const QImage picture = buffer.image().copy(0, 0, buffer.width(), buffer.height());
            if (dialog.isNull()) {
                save(picture, QString::fromLatin1(name));
            }
            // The full-screen name keeps "-full" last: NAME-en-full.png.
            const QString path =
                out.filePath(QString::fromLatin1(name) + suffix + QStringLiteral("-full.png"));
            const QImage full = FullScreen(picture, dialog);
            ok = !full.isNull() && full.save(path, "PNG") && ok;
            std::printf("%s\n", qPrintable(path));
        };

        tf::JudgeTally tally;
        tf::DrawScreen(buffer, tf::AppState::Title,
                       (language == tf::Language::English ? englishTitle : japaneseTitle).get(), result.get(),
                       tally, false, nullptr, language);
        shoot("title");

        const QImage parts = PartDialogShot(language);
        save(parts, QStringLiteral("parts"));
        shoot("parts", parts);

        PlaySomeFrames(buffer, *field);
        shoot("play");
        tf::DrawPauseLabel(buffer, tf::Text(tf::TextId::Pause, language));
        shoot("pause");

        for (int i = 0; i < 182; ++i) {
            tally.addPerfect();
        }
        for (int i = 0; i < 37; ++i) {
            tally.addGreat();
        }
        for (int i = 0; i < 9; ++i) {
            tally.addGood();
        }
        for (int i = 0; i < 3; ++i) {
            tally.addOk();
        }
        for (int i = 0; i < 6; ++i) {
            tally.addBad();
        }
        tf::DrawScreen(buffer, tf::AppState::Result, nullptr, result.get(), tally, false, nullptr, language);
        shoot("result");

        // The same run with its timing: presses a little late, tightly grouped, so the offset is
        // offered; then the line once F4 has taken it.
        std::vector<std::int32_t> errors;
        for (int i = 0; i < 231; ++i) {
            const int spreadOut = (i * 37) % 41 - 20;
            errors.push_back(14 + spreadOut + (i % 23 == 0 ? 70 : 0) - (i % 31 == 0 ? 60 : 0));
        }
        tf::TimingReport timing = tf::MakeTimingReport(errors, 0);
        tf::DrawScreen(buffer, tf::AppState::Result, nullptr, result.get(), tally, false, &timing, language);
        shoot("result-timing");
        timing.offerTaken = true;
        tf::DrawScreen(buffer, tf::AppState::Result, nullptr, result.get(), tally, false, &timing, language);
        shoot("result-offset-set");
    }
    return ok ? 0 : 1;
}
