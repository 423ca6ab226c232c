#pragma once

#include "chart/ChartBuilder.h"
#include "chart/ChartStorage.h"
#include "chart/PlayOptions.h"
#include "game/DrawPacing.h"
#include "game/KeyBindings.h"
#include "game/PlayFieldView.h"
#include "game/PlaySession.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/MessageSink.h"
#include "platform/MidiPort.h"
#include "platform/Surface.h"
#include "song/MidiOutDevice.h"
#include "song/MidiSequencer.h"
#include "song/PartCensus.h"
#include "song/TransportFlags.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>

namespace tf {

/// The game, composed of its parts: the output device, the sequencer that plays the song through
/// it, the census of the song's parts, the chart, the play session that judges and sounds the
/// presses, and the play-field view that draws what the session found. Everything it needs from
/// the machine comes through the four seams handed in here. Its operations keep the names the
/// rest of the program knows and forward to the part that owns the work.
class GamePlay {
public:
    /// Opens the output (an open failure goes to `messages` once) and allocates the chart.
    GamePlay(Clock& clock, KeyState& keyState, MidiPort& port, Surface& surface, MessageSink& messages);
    ~GamePlay();
    GamePlay(const GamePlay&) = delete;
    GamePlay& operator=(const GamePlay&) = delete;

    LoadResult load(const std::filesystem::path& path) { return sequencer_.load(path); }
    LoadResult loadBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
        return sequencer_.loadBytes(bytes, path);
    }
    void releaseSong() { sequencer_.releaseSong(); }
    void rewind() { sequencer_.rewind(); }
    void togglePause() { sequencer_.togglePause(); }
    /// All Sound Off on the sixteen channels; call with no pump running.
    void silence() { sequencer_.silence(); }

    /// One pass of the pump with the channels and options of the game.
    bool pump(bool previewMode);
    bool pumpGame() { return pump(false); }
    bool pumpPreview() { return pump(true); }
    /// Only `channel` sounds; fast-forwards to its first note; rewinds the song.
    void startPreview(int channel);
    std::int32_t countPartNotes(int channel);
    ChartResult buildChart(std::uint32_t partMask);

    /// Clears the per-play flags, drains the keys, resets the records and rewinds.
    void resetForPlay();
    /// One frame: the play session's step, with the play field drawn around it when the frame
    /// draws (see `setDrawOnlyWhenShown`), then a 1 ms sleep. Does nothing while paused. True
    /// when the frame drew.
    bool playFrame();

    void setDrawOnlyWhenShown(bool on) { drawPacing.setDrawOnlyWhenShown(on); }
    /// The window has copied the picture out of the surface. Any thread; a caller that copies
    /// under the surface's lock calls this before letting go of it.
    void notePictureShown() { drawPacing.notePictureShown(); }
    /// Held by a frame from its first drawing step to its last, and only by a frame that draws;
    /// never over the frame's sleep. Null, the default: nothing is locked.
    void setSurfaceLock(std::mutex* lock) { surfaceLock = lock; }
    /// A MIDI keyboard's lane presses, read beside the keys (null: none). Set while no play runs.
    void setMidiLanes(MidiLaneLatch* lanes) { session_.setMidiLanes(lanes); }
    /// The play-field background; null draws nothing under the notes.
    void setMainBitmap(const Bitmap* bitmap) { view.setMainBitmap(bitmap); }

    const MidiSequencer& sequencer() const { return sequencer_; }
    const Song& song() const { return sequencer_.song(); }
    const std::filesystem::path& songPath() const { return sequencer_.song().path(); }
    std::uint32_t songTime() const { return sequencer_.songTime(); }
    bool paused() const { return sequencer_.paused(); }
    const MidiOutDevice& device() const { return device_; }
    PlayOptions& options() { return playOptions; }
    const PlayOptions& options() const { return playOptions; }
    KeyBindings& keyBindings() { return keys; }
    ChartStorage& chart() { return *chartStorage; }
    const ChartStorage& chart() const { return *chartStorage; }
    const std::array<bool, 16>& soundedChannels() const { return soundedChannels_; }
    bool previewWaiting() const { return flags.previewWaiting.load(std::memory_order_acquire); }
    bool songFinished() const { return flags.songFinished.load(std::memory_order_acquire); }
    PlaySession& session() { return session_; }
    const JudgeTally& tally() const { return session_.tally(); }
    /// The play-field view's own settings (song length beside the clock, the hit-error bar).
    PlayFieldView& playField() { return view; }

private:
    Clock& clock;
    TransportFlags flags;
    MidiOutDevice device_;
    MidiSequencer sequencer_;
    PartCensusCache partCensus;
    PlayOptions playOptions;
    KeyBindings keys;
    std::unique_ptr<ChartStorage> chartStorage;
    /// Per MIDI channel: true, the pump sends its notes; false, it is a player's part.
    std::array<bool, 16> soundedChannels_{};
    PlaySession session_;
    PlayFieldView view;
    DrawPacing drawPacing;
    std::mutex* surfaceLock = nullptr;
};

} // namespace tf
