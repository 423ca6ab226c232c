#include "tests/song/SongRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace tf {
namespace {

using test::Bytes;
using test::SmfBuilder;
using test::SongRig;
using test::TempDir;
using test::TempFile;

Bytes Body(const MidiSequencer& s, int i) {
    const auto data = s.song().trackData(i);
    return {data.begin(), data.end()};
}

Bytes TwoTrackSong() {
    SmfBuilder smf(480);
    smf.track().tempo(0, 600000).end();
    smf.track().program(0, 0, 5).noteOn(0, 0, 60, 100).noteOff(480, 0, 60).end();
    return smf.bytes();
}

Bytes Header(int trackCount, int division) {
    return {'M',
            'T',
            'h',
            'd',
            0,
            0,
            0,
            6,
            0,
            1,
            static_cast<std::uint8_t>(trackCount >> 8),
            static_cast<std::uint8_t>(trackCount),
            static_cast<std::uint8_t>(division >> 8),
            static_cast<std::uint8_t>(division)};
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

Bytes Chunk(std::uint32_t declared, const Bytes& body,
            std::array<std::uint8_t, 4> tag = {'M', 'T', 'r', 'k'}) {
    // Sized first and filled in place: GCC 12 at -O3 misjudges the bounds of an insertion
    // after a list-initialised vector (-Warray-bounds).
    Bytes out(8 + body.size());
    std::copy(tag.begin(), tag.end(), out.begin());
    for (int byte = 0; byte < 4; ++byte) {
        out[static_cast<std::size_t>(4 + byte)] = static_cast<std::uint8_t>(declared >> (24 - 8 * byte));
    }
    std::copy(body.begin(), body.end(), out.begin() + 8);
    return out;
}

TEST(MidiSequencerTest, ConstructionOpensThePortOnce) {
    SongRig rig;
    EXPECT_EQ(rig.port.openCount(), 1);
    EXPECT_TRUE(rig.device.isOpen());
    EXPECT_TRUE(rig.sink.messages().empty());
    EXPECT_TRUE(rig.sequencer.song().path().empty());
    EXPECT_EQ(rig.sequencer.song().trackCount(), 0);
    EXPECT_FALSE(rig.sequencer.paused());
}

TEST(MidiSequencerTest, OpenFailureIsReportedAtConstructionAndTheGameRunsSilent) {
    ManualClock clock;
    CapturePort port(clock, PortResult::NoDevice);
    test::RecordingSink sink;
    MidiOutDevice device(port, sink);
    TransportFlags flags;
    MidiSequencer sequencer(clock, device, flags);
    const auto shown = sink.messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "MIDIポートが見つかりません。");
    ASSERT_EQ(sequencer.loadBytes(TwoTrackSong(), "a.mid"), LoadResult::Loaded);
    sequencer.rewind();
    EXPECT_TRUE(port.messages().empty());
}

TEST(MidiSequencerTest, LoadsAFileIntoTheSongImage) {
    const Bytes bytes = TwoTrackSong();
    TempFile file(bytes);
    SongRig rig;
    ASSERT_EQ(rig.sequencer.load(file.str()), LoadResult::Loaded);
    EXPECT_EQ(rig.sequencer.song().path(), file.str());
    EXPECT_EQ(rig.sequencer.song().trackCount(), 2);
    EXPECT_EQ(rig.sequencer.song().division(), 480);
    EXPECT_EQ(rig.sequencer.tempo(), 600000);
    EXPECT_EQ(Body(rig.sequencer, 0),
              (Bytes{0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0, 0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(Body(rig.sequencer, 1).size(), 16u);
    EXPECT_TRUE(rig.port.messages().empty()); // loading does not rewind
}

TEST(MidiSequencerTest, LoadingTheLoadedPathChangesNothing) {
    TempFile file(TwoTrackSong());
    SongRig rig;
    ASSERT_EQ(rig.sequencer.load(file.str()), LoadResult::Loaded);
    rig.sequencer.rewind();
    rig.clock.advance(6000);
    rig.pump();
    rig.pump();
    const auto cursor = rig.sequencer.trackCursor(1);
    const auto next = rig.sequencer.nextEventTime(1);
    // Even a changed file is not read again.
    {
        std::ofstream out(file.path(), std::ios::binary | std::ios::trunc);
        out << "junk";
    }
    EXPECT_EQ(rig.sequencer.load(file.str()), LoadResult::Loaded);
    EXPECT_EQ(rig.sequencer.song().trackCount(), 2);
    EXPECT_EQ(rig.sequencer.trackCursor(1), cursor);
    EXPECT_EQ(rig.sequencer.nextEventTime(1), next);
    // The comparison is byte for byte: another spelling of the same file is read anew.
    EXPECT_EQ(rig.sequencer.load(file.directory().string() + "/./song.mid"), LoadResult::Failed);
}

TEST(MidiSequencerTest, FailedLoadReleasesTheSongAndForgetsThePath) {
    TempDir dir;
    const std::string path = dir.str() + "/later.mid";
    SongRig rig;
    rig.load(TwoTrackSong());
    EXPECT_EQ(rig.sequencer.load(path), LoadResult::Failed);
    EXPECT_EQ(rig.sequencer.song().trackCount(), 0);
    EXPECT_TRUE(rig.sequencer.song().path().empty());
    // Once the file is there, the same path is tried again.
    {
        const Bytes bytes = TwoTrackSong();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    EXPECT_EQ(rig.sequencer.load(path), LoadResult::Loaded);
    EXPECT_EQ(rig.sequencer.song().trackCount(), 2);
}

TEST(MidiSequencerTest, DirectoriesDevicesAndEmptyPathsFail) {
    TempDir dir;
    SongRig rig;
    EXPECT_EQ(rig.sequencer.load(dir.str()), LoadResult::Failed);
    EXPECT_EQ(rig.sequencer.load(""), LoadResult::Failed);
    EXPECT_EQ(rig.sequencer.load("/dev/zero"), LoadResult::Failed);
    EXPECT_EQ(rig.sequencer.song().failure(), LoadFailure::CannotOpen);
    EXPECT_TRUE(rig.sequencer.song().path().empty());
}

TEST(MidiSequencerTest, FileShorterThanAHeaderFailsAndSaysWhetherItWasEmpty) {
    for (std::size_t size : {0u, 1u, 13u}) {
        Bytes bytes = Header(1, 480);
        bytes.resize(size);
        TempFile file(bytes);
        SongRig rig;
        rig.load(TwoTrackSong());
        EXPECT_EQ(rig.sequencer.load(file.str()), LoadResult::Failed) << size;
        EXPECT_EQ(rig.sequencer.song().failure(), size == 0 ? LoadFailure::Empty : LoadFailure::TooShort)
            << size;
        EXPECT_EQ(rig.sequencer.song().trackCount(), 0);
        EXPECT_TRUE(rig.sequencer.song().path().empty());
    }
    // Fourteen bytes are a song with no track data.
    SongRig rig;
    EXPECT_EQ(rig.sequencer.loadBytes(Header(1, 480), "h.mid"), LoadResult::Loaded);
    EXPECT_EQ(rig.sequencer.song().failure(), LoadFailure::None);
    EXPECT_EQ(rig.sequencer.song().trackCount(), 1);
    EXPECT_TRUE(Body(rig.sequencer, 0).empty());
}

TEST(MidiSequencerTest, DivisionZeroFails) {
    SmfBuilder smf(0);
    smf.track().noteOn(0, 0, 60, 100).end();
    SongRig rig;
    EXPECT_EQ(rig.sequencer.loadBytes(smf.bytes(), "zero.mid"), LoadResult::Failed);
    EXPECT_EQ(rig.sequencer.song().failure(), LoadFailure::BadHeader);
    EXPECT_EQ(rig.sequencer.song().trackCount(), 0);
    EXPECT_TRUE(rig.sequencer.song().path().empty());
}

TEST(MidiSequencerTest, HeaderFieldsAfterTheTagAreReadAsTheyStand) {
    // Neither the header length nor the format is checked; a time-code division is a plain tick
    // count. Only the tag must be there: a text renamed .mid is no song of sixteen empty parts.
    Bytes bytes = Concat({Header(1, 0xE728), Chunk(4, {0x00, 0xFF, 0x2F, 0x00})});
    bytes[7] = 2;
    bytes[9] = 7;
    SongRig rig;
    rig.load(bytes);
    EXPECT_EQ(rig.sequencer.song().division(), 59176);
    EXPECT_EQ(rig.sequencer.song().trackCount(), 1);

    bytes[0] = 'X';
    EXPECT_EQ(rig.sequencer.loadBytes(bytes, "renamed.mid"), LoadResult::Failed);
    const std::string text = "not a midi file, only text";
    EXPECT_EQ(rig.sequencer.loadBytes(Bytes(text.begin(), text.end()), "text.mid"), LoadResult::Failed);
    EXPECT_EQ(rig.sequencer.song().failure(), LoadFailure::NotMidi);
}

TEST(MidiSequencerTest, ARiffMidiFileLoadsTheSongInItsDataChunk) {
    const Bytes song = TwoTrackSong();
    const auto le32 = [](std::size_t n) {
        return Bytes{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                     static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    };
    // An odd-sized chunk before the data is padded to an even length.
    const Bytes info{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    const Bytes data = Concat({Bytes{'d', 'a', 't', 'a'}, le32(song.size()), song});
    const Bytes riff = Concat({Bytes{'R', 'I', 'F', 'F'}, le32(4 + info.size() + data.size()),
                               Bytes{'R', 'M', 'I', 'D'}, info, data});
    SongRig bare;
    bare.load(song);
    SongRig wrapped;
    wrapped.load(riff);
    EXPECT_EQ(wrapped.sequencer.song().trackCount(), bare.sequencer.song().trackCount());
    EXPECT_EQ(wrapped.sequencer.song().division(), bare.sequencer.song().division());
    EXPECT_EQ(wrapped.sequencer.tempo(), bare.sequencer.tempo());
    for (int i = 0; i < bare.sequencer.song().trackCount(); ++i) {
        EXPECT_EQ(Body(wrapped.sequencer, i), Body(bare.sequencer, i));
    }

    // A data chunk claiming more than the file holds is read as far as the file goes; a RIFF
    // file with no data chunk has no song.
    Bytes cut = riff;
    cut.resize(riff.size() - 3);
    EXPECT_EQ(wrapped.sequencer.loadBytes(cut, "cut.rmi"), LoadResult::Loaded);
    Bytes noData = riff;
    noData.resize(12 + info.size());
    EXPECT_EQ(wrapped.sequencer.loadBytes(noData, "empty.rmi"), LoadResult::Failed);
    EXPECT_EQ(wrapped.sequencer.song().failure(), LoadFailure::NotMidi);
}

TEST(MidiSequencerTest, InitialTempoIsTheFirstTempoPatternAnywhereInTheFile) {
    SongRig rig;
    SmfBuilder plain;
    plain.track().noteOn(0, 0, 60, 100).end();
    rig.load(plain.bytes());
    EXPECT_EQ(rig.sequencer.tempo(), 500000);

    SmfBuilder later;
    later.track().noteOn(0, 0, 60, 100).end();
    later.track().tempo(0, 400000).tempo(10, 300000).end();
    ASSERT_EQ(rig.sequencer.loadBytes(later.bytes(), "later.mid"), LoadResult::Loaded);
    EXPECT_EQ(rig.sequencer.tempo(), 400000);

    SmfBuilder hidden;
    hidden.track().text(0, "\xFF\x51\x03\x01\x02\x03").tempo(0, 300000).end();
    ASSERT_EQ(rig.sequencer.loadBytes(hidden.bytes(), "hidden.mid"), LoadResult::Loaded);
    EXPECT_EQ(rig.sequencer.tempo(), 0x010203);

    // The pattern needs three more bytes inside the file.
    Bytes cut = Concat({Header(1, 96), Chunk(4, {0x00, 0xFF, 0x2F, 0x00}), {0xFF, 0x51, 0x03, 0x01, 0x02}});
    ASSERT_EQ(rig.sequencer.loadBytes(cut, "cut.mid"), LoadResult::Loaded);
    EXPECT_EQ(rig.sequencer.tempo(), 500000);
}

TEST(MidiSequencerTest, TrackMarkerInsideATextEventSplitsTheTrack) {
    SmfBuilder smf;
    smf.track().text(0, "xMTrkABCDyz").end();
    smf.declaredTracks(2);
    SongRig rig;
    rig.load(smf.bytes());
    EXPECT_EQ(Body(rig.sequencer, 0), (Bytes{0x00, 0xFF, 0x01, 0x0B, 'x'}));
    // "ABCD" was taken as the chunk length; the rest follows up to that length.
    EXPECT_EQ(Body(rig.sequencer, 1), (Bytes{'y', 'z', 0x00, 0xFF, 0x2F, 0x00}));
}

TEST(MidiSequencerTest, SplitKeepsAtMostTheDeclaredLengthAndDropsWhatLiesOutsideTracks) {
    const Bytes bytes = Concat({Header(2, 96),
                                {0xAA, 0xBB},                         // before the first marker
                                Chunk(2, {0x00, 0x90, 0x3C, 0x64}),   // two bytes too many
                                Chunk(3, {0x00, 0xC0}),               // one byte missing
                                Chunk(6, {0x00, 0xFF, 0x2F, 0x00})}); // beyond the track count
    SongRig rig;
    rig.load(bytes);
    ASSERT_EQ(rig.sequencer.song().trackCount(), 2);
    EXPECT_EQ(Body(rig.sequencer, 0), (Bytes{0x00, 0x90}));
    EXPECT_EQ(Body(rig.sequencer, 1), (Bytes{0x00, 0xC0}));
}

TEST(MidiSequencerTest, ChunksOfOtherTypesGoToThePrecedingTrackUpToItsLength) {
    const Bytes bytes =
        Concat({Header(1, 96), Chunk(12, {0x00, 0xFF, 0x2F, 0x00}), Chunk(2, {1, 2}, {'X', 'Y', 'Z', 'W'})});
    SongRig rig;
    rig.load(bytes);
    EXPECT_EQ(Body(rig.sequencer, 0), (Bytes{0x00, 0xFF, 0x2F, 0x00, 'X', 'Y', 'Z', 'W', 0, 0, 0, 2}));
}

TEST(MidiSequencerTest, ByteAfterAChunkHeaderIsNotTestedForAMarker) {
    const Bytes bytes = Concat({Header(2, 96), Chunk(8, {'M', 'T', 'r', 'k', 0, 0, 0, 0})});
    SongRig rig;
    rig.load(bytes);
    EXPECT_EQ(Body(rig.sequencer, 0), (Bytes{'M', 'T', 'r', 'k', 0, 0, 0, 0}));
    EXPECT_TRUE(Body(rig.sequencer, 1).empty());
}

TEST(MidiSequencerTest, HugeDeclaredChunkHoldsOnlyWhatTheFileHas) {
    const Bytes bytes = Concat({Header(1, 96), Chunk(0xFFFFFFFFu, {0x00, 0xFF, 0x2F, 0x00})});
    SongRig rig;
    rig.load(bytes);
    EXPECT_EQ(Body(rig.sequencer, 0), (Bytes{0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_LE(rig.sequencer.song().trackData(0).size(), bytes.size());
}

TEST(MidiSequencerTest, HeaderClaimingEveryTrackCostsOnlyEmptyTracks) {
    const Bytes bytes = Concat({Header(65535, 96), Chunk(0x7FFFFFFF, {0x00, 0xFF, 0x2F, 0x00})});
    SongRig rig;
    rig.load(bytes);
    ASSERT_EQ(rig.sequencer.song().trackCount(), 65535);
    std::size_t held = 0;
    for (int i = 0; i < rig.sequencer.song().trackCount(); ++i) {
        held += rig.sequencer.song().trackData(i).size();
    }
    EXPECT_EQ(held, 4u);
    // Every missing track ends at the first pass, so the song ends.
    rig.sequencer.rewind();
    rig.clock.advance(5000);
    EXPECT_FALSE(rig.pump());
    EXPECT_TRUE(rig.flags.songFinished);
}

TEST(MidiSequencerTest, ReleaseForgetsEverything) {
    SongRig rig;
    rig.load(TwoTrackSong());
    rig.sequencer.releaseSong();
    EXPECT_EQ(rig.sequencer.song().trackCount(), 0);
    EXPECT_TRUE(rig.sequencer.song().path().empty());
    rig.sequencer.releaseSong(); // twice does nothing
    rig.load(TwoTrackSong());    // the same name is read anew
    EXPECT_EQ(rig.sequencer.song().trackCount(), 2);
}

} // namespace
} // namespace tf
