#include "tools/cli/TimingRun.h"

#include "tools/cli/LatenessProbe.h"
#include "tools/cli/PressPlayer.h"
#include "tools/cli/PressToNoteOn.h"
#include "tools/cli/SteadyMicros.h"

#include <sys/resource.h>

#include <cstdio>
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

std::optional<TimingReport> MeasurePlay(GamePlay& game, Clock& clock, KeyLatch& keys, StampingPort& port,
                                        std::uint32_t partMask, std::uint32_t seconds) {
    game.options().setAutoPlay(false);
    if (game.buildChart(partMask) == ChartResult::Overflow) {
        return std::nullopt;
    }
    LatenessProbe probe(game);
    PressPlayer player(game, keys, PressesOf(game.chart(), game.options().laneCount()));
    std::deque<StampingPort::Stamp>& stamps = port.stamps();
    TimingReport report;
    report.partMask = partMask;

    // Room for every round, so that recording one never copies the others mid-play.
    std::vector<std::int64_t> roundStarts;
    roundStarts.reserve(static_cast<std::size_t>(seconds) * 1000 + 1);

    game.resetForPlay();
    player.start();
    const std::uint32_t startTick = game.sequencer().songStartTick();
    const std::uint32_t limitMs = seconds * 1000;
    const double cpuBefore = CpuMicros();
    const std::int64_t wallBefore = SteadyMicros();
    while (clock.tickCount() - startTick < limitMs) {
        roundStarts.push_back(SteadyMicros());
        probe.beforePass();
        const std::size_t firstOfPass = stamps.size();
        port.setSender(Sender::Pump);
        const bool going = game.pumpGame();
        port.setSender(Sender::Frame);
        // The pass that ends the song waits and silences every channel: nothing there was due.
        if (!going) {
            break;
        }
        report.unattributed += probe.afterPass(stamps, firstOfPass);
        game.playFrame();
    }
    const double cpuAfter = CpuMicros();
    const std::int64_t wallAfter = SteadyMicros();
    player.stop();
    port.setSender(Sender::Other);

    report.seconds = static_cast<double>(wallAfter - wallBefore) / 1e6;
    report.cpuPercent = wallAfter > wallBefore
                            ? 100.0 * (cpuAfter - cpuBefore) / static_cast<double>(wallAfter - wallBefore)
                            : 0.0;

    std::vector<double> lateness;
    for (const StampingPort::Stamp& stamp : stamps) {
        if (stamp.dueTick) {
            lateness.push_back(static_cast<double>(static_cast<std::int32_t>(stamp.tick - *stamp.dueTick)));
        }
    }
    report.lateness = Summarize(std::move(lateness));

    std::vector<double> periods;
    for (std::size_t i = 1; i < roundStarts.size(); ++i) {
        periods.push_back(static_cast<double>(roundStarts[i] - roundStarts[i - 1]) / 1000.0);
    }
    report.loopPeriod = Summarize(std::move(periods));

    PressAnswers answers = MatchPresses(player.latched(), stamps, AnswerLimitMicros);
    for (double& micros : answers.micros) {
        micros /= 1000.0;
    }
    report.pressesMade = player.latched().size();
    report.unanswered = answers.unanswered;
    report.pressToNoteOn = Summarize(std::move(answers.micros));
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
    table += Row("loop period", report.loopPeriod);
    table += Row("press to note-on", report.pressToNoteOn);
    char cpu[128];
    std::snprintf(cpu, sizeof cpu, "%-24s %9.1f %%\n", "CPU share of one core", report.cpuPercent);
    table += cpu;
    return table;
}

} // namespace tf::cli
