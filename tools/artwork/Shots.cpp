// Writes the title screen, a play-field frame and a result screen as PNG, drawn by the game's
// own back buffer and drawing code over our artwork, so a person can see what the player sees.

#include "app/AppState.h"
#include "app/ClientArea.h"
#include "app/Screens.h"
#include "app/qt/BackBuffer.h"
#include "app/qt/Drawing.h"
#include "game/GamePlay.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tools/artwork/Artwork.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <mutex>
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

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tonefalls-shots OUTPUT_DIR [DATA_DIR]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString dataDir = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tonefalls-shots: cannot make %s\n", argv[1]);
        return 1;
    }

    QWidget window;
    window.setFixedSize(tf::ClientWidth, tf::ClientHeight);
    tf::BackBuffer buffer;
    buffer.attach(&window);
    buffer.create();
    const auto title = Picture(dataDir, "title.bmp", tf::PaintTitle);
    const auto field = Picture(dataDir, "main.bmp", tf::PaintPlayField);
    const auto result = Picture(dataDir, "result.bmp", tf::PaintResult);

    bool ok = true;
    const auto shoot = [&](const char* name) {
        const QString path = out.filePath(QString::fromLatin1(name));
        // The extra column and row are not part of the window.
        ok = buffer.image().copy(0, 0, buffer.width(), buffer.height()).save(path, "PNG") && ok;
        std::printf("%s\n", qPrintable(path));
    };

    tf::JudgeTally tally;
    tf::DrawScreen(buffer, tf::AppState::Title, title.get(), result.get(), tally);
    shoot("title.png");

    PlaySomeFrames(buffer, *field);
    shoot("play.png");

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
    tf::DrawScreen(buffer, tf::AppState::Result, title.get(), result.get(), tally);
    shoot("result.png");
    return ok ? 0 : 1;
}
