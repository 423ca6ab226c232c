#include "tools/cli/TimingRun.h"

#include "platform/ScriptedMidiInput.h"
#include "tools/cli/LatenessProbe.h"
#include "tools/cli/PressPlayer.h"
#include "tools/cli/PressToNoteOn.h"
#include "tools/cli/SteadyMicros.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace tf::cli {

namespace {

double CpuMicros() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto micros = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_usec);
    };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

std::string PartList(std::uint32_t mask) {
    std::string list;
    for (int channel = 0; channel < 16; ++channel) {
        if ((mask >> channel & 1u) != 0) {
            list += (list.empty() ? "" : ",") + std::to_string(channel + 1);
        }
    }
    return list.empty() ? "none" : list;
}

std::string Row(std::string_view name, const SampleSummary& summary) {
    char line[128];
    std::snprintf(line, sizeof line, "%-24s %8zu %9.3f %9.3f %9.3f\n", std::string(name).c_str(),
                  summary.count, summary.median, summary.p99, summary.max);
    return line;
}

// A press the frame has not answered within this is taken as lost rather than slow.
constexpr std::int64_t AnswerLimitMicros = 100000;

// The display the harness stands in for shows a picture this often.
constexpr std::int64_t DisplayHz = 60;

constexpr std::string_view HarnessKeyboard = "Timing harness keyboard";

/// The earliest time a note of the chart reaches the line; the largest time for an empty chart.
std::uint32_t FirstHitTime(const ChartStorage& chart) {
    std::uint32_t first = std::numeric_limits<std::uint32_t>::max();
    for (std::size_t key = 0; key < chart.pitchNotes.size(); ++key) {
        const auto count =
            static_cast<std::size_t>(std::clamp(chart.pitchNoteCount[key], 0, ChartStorage::notesPerKey));
        for (std::size_t i = 0; i < count; ++i) {
            first = std::min(first, chart.pitchNotes[key][i].hitTime());
        }
    }
    return first;
}

std::vector<double> Lateness(const std::deque<StampingPort::Stamp>& stamps, bool noteOnsOnly) {
    std::vector<double> lateness;
    for (const StampingPort::Stamp& stamp : stamps) {
        const bool noteOn = !stamp.isLong && (stamp.status & 0xF0) == 0x90 && stamp.data2 != 0;
        if (stamp.dueTick && (noteOn || !noteOnsOnly)) {
            lateness.push_back(static_cast<double>(static_cast<std::int32_t>(stamp.tick - *stamp.dueTick)));
        }
    }
    return lateness;
}

std::vector<double> Millis(std::vector<double> micros) {
    for (double& value : micros) {
        value /= 1000.0;
    }
    return micros;
}

} // namespace

std::uint32_t BusiestPart(GamePlay& game) {
    int busiest = 0;
    std::int32_t most = -1;
    for (int channel = 0; channel < 16; ++channel) {
        const std::int32_t notes = game.countPartNotes(channel);
        if (notes > most) {
            most = notes;
            busiest = channel;
        }
    }
    return 1u << busiest;
}

std::uint32_t DefaultTimingParts(GamePlay& game, std::uint32_t seconds) {
    const std::uint32_t limitMs = seconds * 1000;
    int early = -1;
    int playable = -1;
    std::int32_t earlyNotes = 0;
    std::int32_t playableNotes = 0;
    for (int channel = 0; channel < 16; ++channel) {
        const std::int32_t notes = game.countPartNotes(channel);
        if (notes <= std::min(earlyNotes, playableNotes) ||
            game.buildChart(1u << channel) == ChartResult::Overflow) {
            continue;
        }
        if (notes > earlyNotes && FirstHitTime(game.chart()) < limitMs) {
            early = channel;
            earlyNotes = notes;
        }
        if (notes > playableNotes) {
            playable = channel;
            playableNotes = notes;
        }
    }
    if (early >= 0) {
        return 1u << early;
    }
    return playable >= 0 ? 1u << playable : BusiestPart(game);
}

bool ConnectMidiLanes(GamePlay& game, MidiLaneLatch* lanes) {
    game.setMidiLanes(lanes);
    return true;
}

std::optional<TimingReport> MeasurePlay(GamePlay& game, Clock& clock, KeyLatch& keys, StampingPort& port,
                                        const TimingSettings& settings) {
    game.options().setAutoPlay(false);
    if (game.buildChart(settings.partMask) == ChartResult::Overflow) {
        return std::nullopt;
    }
    LatenessProbe probe(game);
    // A MIDI keyboard as the game has one: the input delivers note-ons on the press player's
    // thread, into a latch that knows the chart's lanes.
    MidiLaneLatch lanes;
    lanes.setKeyLanes(KeyLanes(game.chart()));
    ScriptedMidiInput keyboard({std::string(HarnessKeyboard)});
    keyboard.setNoteHandler(LanePresser(lanes));
    const bool midi =
        ConnectMidiLanes(game, &lanes) && keyboard.open(HarnessKeyboard) == MidiInputOpen::Opened;
    PressPlayer player(game, keys, PressesOf(game.chart(), game.options().laneCount()),
                       midi ? &keyboard : nullptr);
    std::deque<StampingPort::Stamp>& stamps = port.stamps();
    TimingReport report;
    report.partMask = settings.partMask;
    report.midiMeasured = midi;
    const std::uint32_t seconds = settings.seconds;

    // Room for every round, so that recording one never copies the others mid-play.
    std::vector<std::int64_t> roundStarts;
    roundStarts.reserve(static_cast<std::size_t>(seconds) * 1000 + 1);

    game.resetForPlay();
    // As in the game, a frame draws only once the window has shown the last picture; here the
    // window is a 60 Hz display that shows whatever was drawn at each refresh.
    game.setDrawOnlyWhenShown(!settings.drawEveryFrame);
    game.notePictureShown();
    std::int64_t refreshes = 0;
    player.start();
    const std::uint32_t startTick = game.sequencer().songStartTick();
    const std::uint32_t limitMs = seconds * 1000;
    const double cpuBefore = CpuMicros();
    const std::int64_t wallBefore = SteadyMicros();
    while (clock.tickCount() - startTick < limitMs) {
        const std::int64_t roundStart = SteadyMicros();
        roundStarts.push_back(roundStart);
        if (const std::int64_t refresh = (roundStart - wallBefore) * DisplayHz / 1000000;
            refresh > refreshes) {
            refreshes = refresh;
            game.notePictureShown();
        }
        probe.beforePass();
        const std::size_t firstOfPass = stamps.size();
        port.setSender(Sender::Pump);
        const bool going = game.pumpGame();
        port.setSender(Sender::Frame);
        // The pass that ends the song silences every channel: nothing there was due.
        if (!going) {
            break;
        }
        report.unattributed += probe.afterPass(stamps, firstOfPass);
        game.playFrame();
    }
    const double cpuAfter = CpuMicros();
    const std::int64_t wallAfter = SteadyMicros();
    player.stop();
    ConnectMidiLanes(game, nullptr);
    game.setDrawOnlyWhenShown(false);
    port.setSender(Sender::Other);

    report.seconds = static_cast<double>(wallAfter - wallBefore) / 1e6;
    report.cpuPercent = wallAfter > wallBefore
                            ? 100.0 * (cpuAfter - cpuBefore) / static_cast<double>(wallAfter - wallBefore)
                            : 0.0;

    report.lateness = Summarize(Lateness(stamps, false));
    report.noteOnLateness = Summarize(Lateness(stamps, true));

    std::vector<double> periods;
    for (std::size_t i = 1; i < roundStarts.size(); ++i) {
        periods.push_back(static_cast<double>(roundStarts[i] - roundStarts[i - 1]) / 1000.0);
    }
    report.loopPeriod = Summarize(std::move(periods));

    PressAnswersByWay answers = MatchPresses(player.latched(), stamps, AnswerLimitMicros);
    report.pressesMade = player.latched().size();
    report.unanswered = answers.keyboard.unanswered + answers.midi.unanswered;
    report.pressToNoteOn = Summarize(Millis(std::move(answers.keyboard.micros)));
    report.midiPressToNoteOn = Summarize(Millis(std::move(answers.midi.micros)));
    return report;
}

std::string FormatTimingTable(const TimingReport& report, std::string_view file) {
    char head[512];
    std::snprintf(head, sizeof head,
                  "timing of %s: %.1f s, parts %s, %zu presses (%zu unanswered), %zu unattributed messages\n",
                  std::string(file).c_str(), report.seconds, PartList(report.partMask).c_str(),
                  report.pressesMade, report.unanswered, report.unattributed);
    std::string table = head;
    char columns[128];
    std::snprintf(columns, sizeof columns, "%-24s %8s %9s %9s %9s\n", "ms", "count", "median", "p99", "max");
    table += columns;
    table += Row("message lateness", report.lateness);
    table += Row("note-on lateness", report.noteOnLateness);
    table += Row("loop period", report.loopPeriod);
    table += Row("press to note-on", report.pressToNoteOn);
    if (report.midiMeasured) {
        table += Row("MIDI press to note-on", report.midiPressToNoteOn);
    } else {
        char missing[128];
        std::snprintf(missing, sizeof missing, "%-24s %s\n", "MIDI press to note-on",
                      "not measured: no MIDI press was made");
        table += missing;
    }
    char cpu[128];
    std::snprintf(cpu, sizeof cpu, "%-24s %9.1f %%\n", "CPU share of one core", report.cpuPercent);
    table += cpu;
    return table;
}

} // namespace tf::cli
