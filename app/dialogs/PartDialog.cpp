#include "app/dialogs/PartDialog.h"

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/DialogTemplate.h"
#include "app/dialogs/Instruments.h"
#include "app/dialogs/KeyDialog.h"
#include "app/shell/CommandIds.h"
#include "app/shell/WorkerThread.h"
#include "app/text/Texts.h"
#include "game/GamePlay.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tf {

namespace {

// The radio buttons of the choices, in the order PlayOptions lists them.
constexpr std::array<int, PlayOptions::Speeds.size()> SpeedRadios{Speed10Radio, Speed15Radio, Speed20Radio,
                                                                  Speed30Radio};
constexpr std::array<int, PlayOptions::LaneCounts.size()> KeysRadios{Keys5Radio, Keys7Radio, Keys15Radio};

template <std::size_t N> bool IsIn(int id, const std::array<int, N>& ids) {
    for (int member : ids) {
        if (member == id) {
            return true;
        }
    }
    return false;
}

/// The radio of `value` among `choices`; that of `fallback` (one of them) when it is none.
template <typename Value, std::size_t N>
int RadioOf(const std::array<Value, N>& choices, const std::array<int, N>& radios, Value value,
            Value fallback) {
    auto choice = std::find(choices.begin(), choices.end(), value);
    if (choice == choices.end()) {
        choice = std::find(choices.begin(), choices.end(), fallback);
    }
    return radios[static_cast<std::size_t>(choice - choices.begin())];
}

/// The choice whose radio is the first ticked; `fallback` when none is.
template <typename Value, std::size_t N>
Value ChoiceOf(const PartDialog& dialog, const std::array<Value, N>& choices,
               const std::array<int, N>& radios, Value fallback) {
    for (std::size_t i = 0; i < N; ++i) {
        if (dialog.checked(radios[i])) {
            return choices[i];
        }
    }
    return fallback;
}

} // namespace

std::optional<std::int32_t> ReadOffsetText(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.size() >= 2 && (text.substr(text.size() - 2) == "ms" || text.substr(text.size() - 2) == "MS")) {
        text.remove_suffix(2);
        while (!text.empty() && blank(text.back())) {
            text.remove_suffix(1);
        }
    }
    if (text.empty()) {
        return 0;
    }
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // However many digits there are, the value only needs to be known up to the range's edge.
    constexpr std::int32_t beyondEdge =
        std::max(-PlayOptions::MinJudgeOffset, PlayOptions::MaxJudgeOffset) + 1;
    std::int32_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), beyondEdge);
    }
    return PlayOptions::ClampJudgeOffset(negative ? -magnitude : magnitude);
}

void PreviewThread(GamePlay& game, const std::stop_token& stop) {
    // Checked before every pass: a preview fast-forwarding to its part's first note never
    // waits, so the stop must not wait for that note either.
    while (!stop.stop_requested() && game.pumpPreview()) {
    }
}

PartDialog::PartDialog(GamePlay& game, WorkerThread& worker, Language language)
    : game(game), worker(worker), language_(language) {
    counts.fill("0");
}

// A view that went away without OK or Cancel still leaves no preview running.
PartDialog::~PartDialog() {
    stopPreview();
}

void PartDialog::init(std::uint32_t tickedParts, const std::filesystem::path& songPath) {
    const PlayOptions& options = game.options();
    ticks.clear();
    for (int channel = 0; channel < 16; ++channel) {
        notes[static_cast<std::size_t>(channel)] = game.countPartNotes(channel);
        setChecked(PartCheckBase + channel, (tickedParts >> channel & 1u) != 0);
    }
    setChecked(LevelCheck, options.level() == 1);
    setChecked(AutoPlayCheck, options.autoPlay());
    // Exact comparisons: a speed that is none of the choices shows as the default.
    setChecked(
        RadioOf(PlayOptions::Speeds, SpeedRadios, options.speedMultiplier(), PlayOptions::DefaultSpeed),
        true);
    setChecked(HiddenCheck, options.hidden());
    setChecked(SuddenCheck, options.sudden());
    setChecked(
        RadioOf(PlayOptions::LaneCounts, KeysRadios, options.laneCount(), PlayOptions::DefaultLaneCount),
        true);
    offsetText = std::to_string(options.judgeOffset());
    std::vector<std::span<const std::uint8_t>> tracks;
    const Song& song = game.song();
    for (std::int32_t i = 0; i < song.trackCount(); ++i) {
        tracks.push_back(song.trackData(i));
    }
    const SongFacts facts = ReadSongFacts(tracks);
    for (int channel = 0; channel < 16; ++channel) {
        const std::int32_t count = notes[static_cast<std::size_t>(channel)];
        counts[static_cast<std::size_t>(channel)] = std::to_string(count);
        instruments[static_cast<std::size_t>(channel)] = PartInstrument(facts, channel, count, language_);
    }
    songTitle = SongTitle(facts, songPath);
    previewPart_ = -1;
}

bool PartDialog::checked(int id) const {
    const auto it = ticks.find(id);
    return it != ticks.end() && it->second;
}

void PartDialog::setChecked(int id, bool on) {
    if (on && id >= PartCheckBase && id < PartCheckBase + 16 && partEmpty(id - PartCheckBase)) {
        // A part with nothing to play is never chosen, so choosing only such parts is choosing
        // none, and OK asks about it.
        on = false;
    }
    if (on && IsIn(id, SpeedRadios)) {
        for (int other : SpeedRadios) {
            ticks[other] = false;
        }
    } else if (on && IsIn(id, KeysRadios)) {
        for (int other : KeysRadios) {
            ticks[other] = false;
        }
    }
    ticks[id] = on;
}

std::string PartDialog::text(int id) const {
    if (id >= PartCountBase && id < PartCountBase + 16) {
        return counts[static_cast<std::size_t>(id - PartCountBase)];
    }
    if (id >= PartInstrumentBase && id < PartInstrumentBase + 16) {
        return instruments[static_cast<std::size_t>(id - PartInstrumentBase)];
    }
    if (id == OffsetField) {
        return offsetText;
    }
    return {};
}

void PartDialog::setText(int id, std::string_view text) {
    // A field holds a few characters; whatever a view hands over beyond that cannot be a number.
    constexpr std::size_t longest = 64;
    if (id == OffsetField) {
        offsetText = std::string(text.substr(0, longest));
    }
}

std::string PartDialog::caption() const {
    std::string line = PartDialogTemplate(language_).caption;
    if (!songTitle.empty()) {
        line += " - " + songTitle;
    }
    if (std::all_of(notes.begin(), notes.end(), [](std::int32_t count) { return count == 0; })) {
        line += " - ";
        line += Text(TextId::NoNotesInSong, language_);
    }
    return line;
}

bool PartDialog::partEmpty(int channel) const {
    return channel >= 0 && channel < 16 && notes[static_cast<std::size_t>(channel)] == 0;
}

std::string_view PartDialog::previewTip(int channel) const {
    return Text(partEmpty(channel) ? TextId::EmptyPartTip : TextId::PreviewTip, language_);
}

std::uint32_t PartDialog::partMask() const {
    std::uint32_t mask = 0;
    for (int channel = 0; channel < 16; ++channel) {
        if (checked(PartCheckBase + channel)) {
            mask |= 1u << channel;
        }
    }
    return mask;
}

bool PartDialog::command(int id, PartDialogHost& host) {
    if (id >= PreviewButtonBase && id < PreviewButtonBase + 16) {
        preview(id - PreviewButtonBase);
        return false;
    }
    switch (id) {
    case OkButton:
        return ok(host);
    case CancelButton:
        stopPreview();
        accepted_ = false;
        host.endDialog(CancelButton);
        return true;
    case KeyLayoutButton: {
        // A running preview goes on while the keys are edited: the pump never reads them.
        KeyDialog keys(game.keyBindings(), language_);
        keys.init();
        host.runKeyDialog(keys);
        return false;
    }
    default:
        return false;
    }
}

void PartDialog::preview(int channel) {
    if (partEmpty(channel) && previewPart_ != channel) {
        // Nothing would sound; a running preview of another part goes on.
        return;
    }
    if (previewPart_ == channel) {
        stopPreview();
        return;
    }
    if (previewPart_ != -1) {
        worker.stop();
    }
    // The previous preview thread has ended, so the rewind inside cannot meet a running pump.
    game.startPreview(channel);
    GamePlay& pumped = game;
    worker.start([&pumped](std::stop_token stop) { PreviewThread(pumped, stop); });
    previewPart_ = channel;
}

void PartDialog::stopPreview() {
    if (previewPart_ != -1) {
        worker.stop();
        previewPart_ = -1;
    }
}

bool PartDialog::ok(PartDialogHost& host) {
    stopPreview();
    // Checked first: a refused offset keeps the dialog open before anything is asked or stored.
    if (!ReadOffsetText(offsetText)) {
        host.showWarning(Text(TextId::MessageCaption, language_), Text(TextId::OffsetNotNumber, language_));
        return true;
    }
    const std::uint32_t parts = partMask();
    if (parts == 0 &&
        !host.askYesNo(Text(TextId::MessageCaption, language_), Text(TextId::NoPartQuestion, language_))) {
        return true;
    }
    storeOptions();
    if (game.buildChart(parts) == ChartResult::Overflow) {
        host.showWarning(Text(TextId::MessageCaption, language_), Text(TextId::TooManyNotes, language_));
        return true;
    }
    accepted_ = true;
    host.endDialog(OkButton);
    return true;
}

void PartDialog::storeOptions() {
    PlayOptions& options = game.options();
    options.setLevel(checked(LevelCheck) ? 1 : PlayOptions::DefaultLevel);
    options.setAutoPlay(checked(AutoPlayCheck));
    options.setSpeedMultiplier(ChoiceOf(*this, PlayOptions::Speeds, SpeedRadios, PlayOptions::DefaultSpeed));
    options.setHidden(checked(HiddenCheck));
    options.setSudden(checked(SuddenCheck));
    options.setLaneCount(ChoiceOf(*this, PlayOptions::LaneCounts, KeysRadios, PlayOptions::DefaultLaneCount));
    // Read before OK came here; a number beyond the range is held to its edge, which the field
    // then shows.
    options.setJudgeOffset(ReadOffsetText(offsetText).value_or(options.judgeOffset()));
    offsetText = std::to_string(options.judgeOffset());
}

} // namespace tf
