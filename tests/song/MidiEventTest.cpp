#include "song/MidiEvent.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tf {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Decoded {
    MidiEvent event;
    std::uint8_t runningStatus;
};

Decoded Decode(const Bytes& track, std::uint8_t runningStatus = 0, std::int32_t cursor = 0) {
    std::uint8_t status = runningStatus;
    const MidiEvent event = DecodeEvent(track, cursor, status);
    return {event, status};
}

std::int32_t VarLen(const Bytes& bytes, std::int32_t& length) {
    return ReadVarLen(bytes, length);
}

TEST(MidiEventTest, VariableLengthQuantities) {
    std::int32_t length = -1;
    EXPECT_EQ(VarLen({0x00}, length), 0);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(VarLen({0x7F}, length), 127);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(VarLen({0x81, 0x00}, length), 128);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(VarLen({0x83, 0x60, 0x55}, length), 480);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(VarLen({0xFF, 0xFF, 0xFF, 0x7F}, length), 268435455);
    EXPECT_EQ(length, 4);
}

TEST(MidiEventTest, QuantityThatDoesNotEndGivesZeroWithoutReadingFurther) {
    std::int32_t length = -1;
    EXPECT_EQ(VarLen({0x80, 0x80, 0x80, 0x80, 0x00}, length), 0);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(VarLen({0x81, 0x81}, length), 0); // cut short by the end of the bytes
    EXPECT_EQ(length, 0);
    EXPECT_EQ(VarLen({}, length), 0);
    EXPECT_EQ(length, 0);
}

TEST(MidiEventTest, MetaEventsWithTheirOwnStatus) {
    auto d = Decode({0xFF, 0x2F, 0x00});
    EXPECT_EQ(d.event.kind, EventKind::EndOfTrack);
    EXPECT_EQ(d.event.length, 0);
    EXPECT_EQ(d.runningStatus, 0xFF);

    d = Decode({0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00});
    EXPECT_EQ(d.event.kind, EventKind::Tempo);
    EXPECT_EQ(d.event.length, 6);
    EXPECT_EQ(d.event.tempo, 500000);

    d = Decode({0xFF, 0x01, 0x03, 'a', 'b', 'c', 0x00});
    EXPECT_EQ(d.event.kind, EventKind::Meta);
    EXPECT_EQ(d.event.length, 6);

    // The tempo and end types with another length are ordinary meta events.
    d = Decode({0xFF, 0x51, 0x04, 1, 2, 3, 4});
    EXPECT_EQ(d.event.kind, EventKind::Meta);
    EXPECT_EQ(d.event.length, 7);
    d = Decode({0xFF, 0x2F, 0x01, 0x00});
    EXPECT_EQ(d.event.kind, EventKind::Meta);
    EXPECT_EQ(d.event.length, 4);

    // A long length counts its own bytes: 2 + n + len.
    Bytes text{0xFF, 0x05, 0x81, 0x00};
    text.resize(4 + 128, 'x');
    d = Decode(text);
    EXPECT_EQ(d.event.kind, EventKind::Meta);
    EXPECT_EQ(d.event.length, 132);
}

TEST(MidiEventTest, MetaEventsUnderRunningStatus) {
    auto d = Decode({0x2F, 0x00}, 0xFF);
    EXPECT_EQ(d.event.kind, EventKind::EndOfTrack);
    EXPECT_EQ(d.event.length, 0);

    d = Decode({0x51, 0x03, 0x0F, 0x42, 0x40}, 0xFF);
    EXPECT_EQ(d.event.kind, EventKind::Tempo);
    EXPECT_EQ(d.event.length, 5);
    EXPECT_EQ(d.event.tempo, 1000000);

    d = Decode({0x01, 0x02, 'h', 'i'}, 0xFF);
    EXPECT_EQ(d.event.kind, EventKind::Meta);
    EXPECT_EQ(d.event.length, 4);
    EXPECT_EQ(d.runningStatus, 0xFF);
}

TEST(MidiEventTest, SystemExclusiveWithItsOwnStatusAndUnderRunningStatus) {
    // The payload views the track, so each track outlives its decoded event.
    const Bytes whole{0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x00};
    auto d = Decode(whole);
    EXPECT_EQ(d.event.kind, EventKind::SysEx);
    EXPECT_EQ(d.event.length, 7);
    EXPECT_EQ(Bytes(d.event.payload.begin(), d.event.payload.end()), (Bytes{0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    EXPECT_EQ(d.runningStatus, 0xF0);

    d = Decode({0xF7, 0x02, 0x01, 0x02});
    EXPECT_EQ(d.event.kind, EventKind::SysEx);
    EXPECT_EQ(d.event.length, 4);
    EXPECT_EQ(d.runningStatus, 0xF7);

    for (std::uint8_t status : {0xF0, 0xF7}) {
        const Bytes running{0x03, 0x01, 0x02, 0xF7};
        d = Decode(running, status);
        EXPECT_EQ(d.event.kind, EventKind::SysEx);
        EXPECT_EQ(d.event.length, 4);
        EXPECT_EQ(Bytes(d.event.payload.begin(), d.event.payload.end()), (Bytes{0x01, 0x02, 0xF7}));
    }

    d = Decode({0xF0, 0x00, 0x00});
    EXPECT_EQ(d.event.kind, EventKind::SysEx);
    EXPECT_EQ(d.event.length, 2);
    EXPECT_TRUE(d.event.payload.empty());
}

TEST(MidiEventTest, ChannelMessagesWithTheirOwnStatus) {
    for (std::uint8_t status : {0x80, 0x93, 0xA5, 0xBF, 0xE0}) {
        const auto d = Decode({status, 0x3C, 0x64, 0x00});
        EXPECT_EQ(d.event.kind, EventKind::Channel);
        EXPECT_EQ(d.event.length, 3);
        EXPECT_EQ(d.event.status, status);
        EXPECT_EQ(d.event.data1, 0x3C);
        EXPECT_EQ(d.event.data2, 0x64);
        EXPECT_TRUE(d.event.dataValid);
        EXPECT_EQ(d.runningStatus, status);
    }
    for (std::uint8_t status : {0xC0, 0xDA}) {
        const auto d = Decode({status, 0x05, 0x64});
        EXPECT_EQ(d.event.kind, EventKind::Channel);
        EXPECT_EQ(d.event.length, 2);
        EXPECT_EQ(d.event.data1, 0x05);
        EXPECT_EQ(d.event.data2, 0);
    }
}

TEST(MidiEventTest, ChannelMessagesUnderRunningStatus) {
    auto d = Decode({0x40, 0x00, 0x99}, 0x92);
    EXPECT_EQ(d.event.kind, EventKind::Channel);
    EXPECT_EQ(d.event.length, 2);
    EXPECT_EQ(d.event.status, 0x92);
    EXPECT_EQ(d.event.data1, 0x40);
    EXPECT_EQ(d.event.data2, 0x00);

    d = Decode({0x07, 0x00}, 0xC3);
    EXPECT_EQ(d.event.kind, EventKind::Channel);
    EXPECT_EQ(d.event.length, 1);
    EXPECT_EQ(d.event.status, 0xC3);
    EXPECT_EQ(d.event.data1, 0x07);
    EXPECT_EQ(d.runningStatus, 0xC3);
}

TEST(MidiEventTest, DataByteOfEightyOrMoreIsSteppedOverButMarkedInvalid) {
    auto d = Decode({0x90, 0x3C, 0x80});
    EXPECT_EQ(d.event.kind, EventKind::Channel);
    EXPECT_EQ(d.event.length, 3);
    EXPECT_FALSE(d.event.dataValid);

    d = Decode({0xC0, 0xF0});
    EXPECT_EQ(d.event.length, 2);
    EXPECT_FALSE(d.event.dataValid);

    d = Decode({0x3C, 0x90}, 0x90);
    EXPECT_EQ(d.event.length, 2);
    EXPECT_FALSE(d.event.dataValid);
}

TEST(MidiEventTest, StrayStatusBytesAreSkippedOneByteAndBecomeTheRunningStatus) {
    for (int status = 0xF1; status <= 0xFE; ++status) {
        if (status == 0xF7 || status == 0xFF) {
            continue;
        }
        const auto d = Decode({static_cast<std::uint8_t>(status), 0x3C, 0x64});
        EXPECT_EQ(d.event.kind, EventKind::Skipped) << status;
        EXPECT_EQ(d.event.length, 1) << status;
        EXPECT_EQ(d.runningStatus, status);
        // The data after it has no usable status either.
        const auto next = Decode({0x3C, 0x64}, d.runningStatus);
        EXPECT_EQ(next.event.kind, EventKind::Skipped);
        EXPECT_EQ(next.event.length, 1);
    }
}

TEST(MidiEventTest, DataByteBeforeAnyStatusIsSkippedOneByte) {
    const auto d = Decode({0x3C, 0x64, 0x00});
    EXPECT_EQ(d.event.kind, EventKind::Skipped);
    EXPECT_EQ(d.event.length, 1);
    EXPECT_EQ(d.runningStatus, 0);
}

TEST(MidiEventTest, LengthThatDoesNotEndWithinFourBytesIsSkippedOneByte) {
    auto d = Decode({0xF0, 0x80, 0x80, 0x80, 0x80, 0x00, 0x00});
    EXPECT_EQ(d.event.kind, EventKind::Skipped);
    EXPECT_EQ(d.event.length, 1);
    d = Decode({0xFF, 0x01, 0x81, 0x81, 0x81, 0x81, 0x01});
    EXPECT_EQ(d.event.kind, EventKind::Skipped);
    EXPECT_EQ(d.event.length, 1);
}

TEST(MidiEventTest, EventCutShortByTheEndOfTheDataIsEndOfTrack) {
    const std::vector<std::pair<Bytes, std::uint8_t>> cases{
        {{0x90, 0x3C}, 0},
        {{0xC0}, 0},
        {{0x3C}, 0x90},
        {{0xFF}, 0},
        {{0xFF, 0x2F}, 0},
        {{0xFF, 0x51, 0x03, 0x07, 0xA1}, 0},
        {{0x51, 0x03, 0x07}, 0xFF},
        {{0xFF, 0x01, 0x05, 'a'}, 0},
        {{0xFF, 0x01, 0x81}, 0},
        {{0xF0, 0x05, 0x01}, 0},
        {{0xF0, 0x81}, 0},
        {{0x05, 0x01}, 0xF0},
        // A length of 268435455 in a tiny track.
        {{0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}, 0},
        {{0xF0, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}, 0},
        {{}, 0},
    };
    for (const auto& [track, status] : cases) {
        const auto d = Decode(track, status);
        EXPECT_EQ(d.event.kind, EventKind::EndOfTrack) << ::testing::PrintToString(track);
        EXPECT_EQ(d.event.length, 0);
    }
}

TEST(MidiEventTest, CursorOutsideTheTrackIsEndOfTrack) {
    const Bytes track{0x90, 0x3C, 0x64};
    EXPECT_EQ(Decode(track, 0, 3).event.kind, EventKind::EndOfTrack);
    EXPECT_EQ(Decode(track, 0, 1000).event.kind, EventKind::EndOfTrack);
    EXPECT_EQ(Decode(track, 0, -1).event.kind, EventKind::EndOfTrack);
}

TEST(MidiEventTest, DeltaSteps) {
    auto delta = ReadDelta(Bytes{0x00, 0x90}, 0);
    EXPECT_EQ(delta.ticks, 0);
    EXPECT_EQ(delta.length, 1);
    delta = ReadDelta(Bytes{0x90, 0x83, 0x60, 0x90}, 1);
    EXPECT_EQ(delta.ticks, 480);
    EXPECT_EQ(delta.length, 2);
    // Five bytes with the top bit set: one byte at a time.
    delta = ReadDelta(Bytes{0x80, 0x80, 0x80, 0x80, 0x00}, 0);
    EXPECT_EQ(delta.ticks, 0);
    EXPECT_EQ(delta.length, 1);
    // At the end nothing is stepped; a delta cut short runs to the end.
    delta = ReadDelta(Bytes{0x00}, 1);
    EXPECT_EQ(delta.length, 0);
    delta = ReadDelta(Bytes{0x00, 0x81, 0x81}, 1);
    EXPECT_EQ(delta.ticks, 0);
    EXPECT_EQ(delta.length, 2);
}

// Walks a track as every walker does: a first delta, then event and delta in turn.
std::vector<MidiEvent> Walk(const Bytes& track, std::size_t maxEvents = 100000) {
    std::vector<MidiEvent> events;
    std::uint8_t status = 0;
    std::int32_t cursor = ReadDelta(track, 0).length;
    while (events.size() < maxEvents) {
        const MidiEvent event = DecodeEvent(track, cursor, status);
        events.push_back(event);
        if (event.kind == EventKind::EndOfTrack) {
            break;
        }
        cursor += event.length;
        cursor += ReadDelta(track, cursor).length;
    }
    return events;
}

std::vector<EventKind> Kinds(const std::vector<MidiEvent>& events) {
    std::vector<EventKind> kinds;
    for (const auto& e : events) {
        kinds.push_back(e.kind);
    }
    return kinds;
}

TEST(MidiEventTest, RunningStatusCarriesOverMetaEvents) {
    // A text event, then a data byte read as a further text event, then a tempo, all under FF.
    const Bytes track{0x00, 0xFF, 0x01, 0x01, 'a',  0x00, 0x01, 0x01, 'b',
                      0x00, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0x2F, 0x00};
    const auto events = Walk(track);
    EXPECT_EQ(Kinds(events),
              (std::vector{EventKind::Meta, EventKind::Meta, EventKind::Tempo, EventKind::EndOfTrack}));
    EXPECT_EQ(events[2].tempo, 1000000);
}

TEST(MidiEventTest, RunningStatusCarriesOverSystemExclusive) {
    const Bytes track{0x00, 0xF0, 0x02, 0x01, 0xF7, 0x00, 0x02, 0x02, 0xF7, 0x00, 0xFF, 0x2F, 0x00};
    const auto events = Walk(track);
    ASSERT_EQ(Kinds(events), (std::vector{EventKind::SysEx, EventKind::SysEx, EventKind::EndOfTrack}));
    EXPECT_EQ(Bytes(events[1].payload.begin(), events[1].payload.end()), (Bytes{0x02, 0xF7}));
}

TEST(MidiEventTest, TrackWithoutEndOfTrackEndsAtItsData) {
    const Bytes track{0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00};
    EXPECT_EQ(Kinds(Walk(track)),
              (std::vector{EventKind::Channel, EventKind::Channel, EventKind::EndOfTrack}));
}

TEST(MidiEventTest, EveryWalkOverArbitraryBytesEndsWithinItsLength) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> size(0, 64);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 5000; ++round) {
        Bytes track(static_cast<std::size_t>(size(random)));
        for (auto& b : track) {
            b = static_cast<std::uint8_t>(byte(random));
        }
        const auto events = Walk(track, track.size() + 2);
        ASSERT_EQ(events.back().kind, EventKind::EndOfTrack) << ::testing::PrintToString(track);
        for (const auto& e : events) {
            if (e.kind == EventKind::SysEx && !e.payload.empty()) {
                ASSERT_GE(e.payload.data(), track.data());
                ASSERT_LE(e.payload.data() + e.payload.size(), track.data() + track.size());
            }
        }
    }
}

} // namespace
} // namespace tf
