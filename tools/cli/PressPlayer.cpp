#include "tools/cli/PressPlayer.h"

#include "tools/cli/SteadyMicros.h"

#include <algorithm>
#include <chrono>
#include <tuple>

namespace tf::cli {

std::vector<TimedPress> PressesOf(const ChartStorage& chart, int laneCount) {
    std::vector<TimedPress> presses;
    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        const std::int32_t count =
            std::clamp(chart.pitchNoteCount[static_cast<std::size_t>(key)], 0, ChartStorage::notesPerKey);
        for (std::int32_t i = 0; i < count; ++i) {
            const Note& note = chart.pitchNotes[static_cast<std::size_t>(key)][static_cast<std::size_t>(i)];
            if (note.lane() < 0 || note.lane() >= laneCount || note.chordFollower()) {
                continue;
            }
            presses.push_back(
                {note.hitTime(), note.lane(), note.noteOnMessage()[0], note.noteOnMessage()[1]});
        }
    }
    const auto order = [](const TimedPress& p) { return std::tie(p.hitTime, p.lane); };
    std::sort(presses.begin(), presses.end(),
              [&](const TimedPress& a, const TimedPress& b) { return order(a) < order(b); });
    // Two notes of one lane at one time take one press, as they would a player's finger.
    presses.erase(std::unique(presses.begin(), presses.end(),
                              [&](const TimedPress& a, const TimedPress& b) { return order(a) == order(b); }),
                  presses.end());
    return presses;
}

PressPlayer::PressPlayer(GamePlay& game, KeyLatch& latch, std::vector<TimedPress> presses,
                         ScriptedMidiInput* midi)
    : game(game), latch(latch), midi(midi), presses(std::move(presses)) {
    made.reserve(this->presses.size());
}

void PressPlayer::start() {
    thread = std::jthread([this](std::stop_token stopping) { run(stopping); });
}

void PressPlayer::stop() {
    if (thread.joinable()) {
        thread.request_stop();
        thread.join();
    }
}

void PressPlayer::run(const std::stop_token& stopping) {
    using namespace std::chrono_literals;
    for (std::size_t i = 0; i < presses.size(); ++i) {
        const TimedPress& press = presses[i];
        while (true) {
            if (stopping.stop_requested()) {
                return;
            }
            const std::uint32_t now = game.songTime();
            if (now >= press.hitTime) {
                break;
            }
            // Coarse sleeps while the press is far off, so waiting costs no CPU, then fine
            // ones, so the press lands within a fraction of a millisecond of its time. Neither
            // is so long that a stop waits for it.
            const std::uint32_t remaining = press.hitTime - now;
            if (remaining > 2) {
                std::this_thread::sleep_for(
                    std::chrono::milliseconds(std::min<std::uint32_t>(remaining - 2, 20)));
            } else {
                std::this_thread::sleep_for(100us);
            }
        }
        if (midi != nullptr && i % 2 == 1) {
            made.push_back({press, SteadyMicros(), PressVia::Midi});
            midi->sendNoteOn(press.status & 0x0F, press.key, 100);
        } else {
            made.push_back({press, SteadyMicros(), PressVia::Keyboard});
            latch.press(game.keyBindings().primaryKey(press.lane));
        }
    }
}

} // namespace tf::cli
