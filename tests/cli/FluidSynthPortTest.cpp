#include "platform/midi/FluidSynthPort.h"

#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace tf {
namespace {

constexpr const char* SmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

std::uint32_t Word(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status | data1 << 8 | data2 << 16);
}

/// The loudest sample of the next `ms` milliseconds.
int PeakOf(FluidSynthPort& port, int ms) {
    std::vector<std::int16_t> block(static_cast<std::size_t>(ms) * 48 * 2);
    EXPECT_TRUE(port.render(block));
    int peak = 0;
    for (std::int16_t s : block) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
}

TEST(FluidSynthPort, AMissingSoundFontIsNoDevice) {
    test::TempDir dir;
    for (auto mode : {FluidSynthPort::Mode::Offline, FluidSynthPort::Mode::RealTime}) {
        FluidSynthPort port((dir.path() / "none.sf2").string(), mode);
        EXPECT_EQ(port.open(), PortResult::NoDevice);
        EXPECT_EQ(port.sendShort(Word(0x90, 60, 100)), PortResult::NotOpen);
        const std::uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
        EXPECT_EQ(port.sendLong(sysex), PortResult::NotOpen);
        EXPECT_TRUE(port.longDone());
        EXPECT_EQ(port.close(), PortResult::NotOpen);
        EXPECT_EQ(port.audioDriver(), "");
    }
}

// What the player is told under the failure box: the SoundFont, or the drivers that were
// tried, and never ALSA's own lines on the terminal.
TEST(FluidSynthPort, AFailedOpenSaysWhatFailedAndKeepsStderrQuiet) {
    test::TempDir dir;
    const std::string missing = (dir.path() / "none.sf2").string();
    FluidSynthPort noFont(missing);
    EXPECT_EQ(noFont.describe().output, "FluidSynth, none.sf2");
    EXPECT_EQ(noFont.describe().failure, "");
    EXPECT_EQ(noFont.open(), PortResult::NoDevice);
    EXPECT_EQ(noFont.describe().failure, "FluidSynth: no SoundFont " + missing);

    if (!std::filesystem::exists(SmallSoundFont)) {
        GTEST_SKIP() << SmallSoundFont << " is not installed";
    }
    FluidSynthPort unknown(SmallSoundFont, FluidSynthPort::Mode::RealTime, "nosuch");
    EXPECT_EQ(unknown.open(), PortResult::NoDevice);
    EXPECT_TRUE(unknown.describe().failure.starts_with("FluidSynth has no audio driver nosuch (it has "))
        << unknown.describe().failure;

    testing::internal::CaptureStderr();
    FluidSynthPort any(SmallSoundFont, FluidSynthPort::Mode::RealTime);
    const PortResult result = any.open();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.find("ALSA lib"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("fluidsynth:"), std::string::npos) << printed;
    if (result == PortResult::Ok) {
        GTEST_SKIP() << "an audio driver opened here: " << any.audioDriver();
    }
    EXPECT_TRUE(any.describe().failure.starts_with("FluidSynth: no audio driver opened (tried "))
        << any.describe().failure;
}

TEST(FluidSynthPort, AFileThatIsNoSoundFontIsNoDevice) {
    test::TempFile notSoundFont(test::Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}, "bad.sf2");
    FluidSynthPort port(notSoundFont.str(), FluidSynthPort::Mode::Offline);
    EXPECT_EQ(port.open(), PortResult::NoDevice);
}

TEST(FluidSynthPort, DefaultsToTheGeneralMidiSoundFont) {
    FluidSynthPort port;
    EXPECT_EQ(port.soundFont(), "/usr/share/sounds/sf2/default-GM.sf2");
    EXPECT_EQ(port.mode(), FluidSynthPort::Mode::RealTime);
}

TEST(FluidSynthPort, RenderingNeedsAnOpenOfflinePort) {
    FluidSynthPort closed(SmallSoundFont, FluidSynthPort::Mode::Offline);
    std::vector<std::int16_t> block(96, 7);
    EXPECT_FALSE(closed.render(block));
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](std::int16_t s) { return s == 0; }));
}

TEST(FluidSynthPort, RealTimeOpensAnAudioDriverOrReportsNoDevice) {
    if (!std::filesystem::exists(SmallSoundFont)) {
        GTEST_SKIP() << SmallSoundFont << " is not installed";
    }
    FluidSynthPort port(SmallSoundFont, FluidSynthPort::Mode::RealTime);
    const PortResult result = port.open();
    if (result == PortResult::NoDevice) {
        GTEST_SKIP() << "no audio device on this machine";
    }
    ASSERT_EQ(result, PortResult::Ok);
    const auto& drivers = FluidSynthPort::PreferredAudioDrivers;
    EXPECT_NE(std::find(drivers.begin(), drivers.end(), port.audioDriver()), drivers.end())
        << port.audioDriver();
    EXPECT_EQ(port.describe().output, "FluidSynth, TimGM6mb.sf2, " + port.audioDriver());
    std::vector<std::int16_t> block(96);
    EXPECT_FALSE(port.render(block)) << "the audio driver pulls the sound, not the caller";
    EXPECT_EQ(port.close(), PortResult::Ok);
}

class OfflineSynth : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(SmallSoundFont)) {
            GTEST_SKIP() << SmallSoundFont << " is not installed (package timgm6mb-soundfont)";
        }
        ASSERT_EQ(port.open(), PortResult::Ok);
    }
    FluidSynthPort port{SmallSoundFont, FluidSynthPort::Mode::Offline};
};

TEST_F(OfflineSynth, SilenceIsExactZerosAndANoteSounds) {
    EXPECT_EQ(port.open(), PortResult::Ok) << "a second open changes nothing";
    EXPECT_EQ(PeakOf(port, 50), 0);
    EXPECT_EQ(port.sendShort(Word(0x90, 60, 110)), PortResult::Ok);
    EXPECT_GT(PeakOf(port, 100), 1000);
    // All Sound Off cuts the voices at once; only the effects' tails are left to die away.
    EXPECT_EQ(port.sendShort(Word(0xB0, 120, 0)), PortResult::Ok);
    PeakOf(port, 3000);
    EXPECT_LT(PeakOf(port, 100), 50);
}

TEST_F(OfflineSynth, ControlChangesReachTheChannel) {
    ASSERT_EQ(port.sendShort(Word(0xB3, 7, 0)), PortResult::Ok); // volume 0 on channel 3
    ASSERT_EQ(port.sendShort(Word(0x93, 64, 127)), PortResult::Ok);
    EXPECT_EQ(PeakOf(port, 200), 0);
    ASSERT_EQ(port.sendShort(Word(0x95, 64, 127)), PortResult::Ok); // channel 5 kept its volume
    EXPECT_GT(PeakOf(port, 200), 1000);
}

TEST_F(OfflineSynth, EveryKindOfMessageIsAccepted) {
    for (std::uint32_t word :
         {Word(0x80, 60, 0), Word(0x90, 60, 0), Word(0xA0, 60, 40), Word(0xB0, 1, 64), Word(0xC0, 40, 0),
          Word(0xD0, 90, 0), Word(0xE0, 0, 0x40), Word(0xE0, 0x7F, 0x7F), Word(0xF8, 0, 0), Word(0xFF, 0, 0),
          Word(0x40, 0, 0), Word(0x9F, 0xFF, 0xFF)}) {
        EXPECT_EQ(port.sendShort(word), PortResult::Ok) << std::hex << word;
    }
    const std::vector<std::vector<std::uint8_t>> longs{
        {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7},       // whole message
        {0xF0, 0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}, // whole message behind a second F0
        {0x01, 0x02, 0x03},                         // continuation without framing
        {0xF0, 0xF7},
        {0xF0},
        {},
    };
    for (const auto& message : longs) {
        EXPECT_EQ(port.sendLong(message), PortResult::Ok);
        EXPECT_TRUE(port.longDone());
    }
    EXPECT_GE(PeakOf(port, 10), 0);
}

TEST_F(OfflineSynth, AMessageWithAStatusByteForDataIsNotSounded) {
    EXPECT_EQ(port.sendShort(Word(0x90, 60, 0xE4)), PortResult::Ok);
    EXPECT_EQ(port.sendShort(Word(0x90, 0xBC, 100)), PortResult::Ok);
    EXPECT_EQ(PeakOf(port, 200), 0);
    ASSERT_EQ(port.sendShort(Word(0x90, 60, 127)), PortResult::Ok);
    EXPECT_GT(PeakOf(port, 200), 1000);
}

TEST_F(OfflineSynth, GeneralMidiOnResetsTheSynth) {
    ASSERT_EQ(port.sendShort(Word(0xB2, 7, 0)), PortResult::Ok);
    ASSERT_EQ(port.sendShort(Word(0x92, 64, 127)), PortResult::Ok);
    EXPECT_EQ(PeakOf(port, 100), 0);
    // GM System On restores every controller, so the channel is heard again.
    const std::uint8_t gmOn[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    ASSERT_EQ(port.sendLong(gmOn), PortResult::Ok);
    ASSERT_EQ(port.sendShort(Word(0x92, 64, 127)), PortResult::Ok);
    EXPECT_GT(PeakOf(port, 200), 1000);
}

TEST_F(OfflineSynth, RendersOddSizesAndCloses) {
    std::vector<std::int16_t> odd(7, 9);
    EXPECT_TRUE(port.render(odd));
    EXPECT_EQ(odd.back(), 0);
    std::vector<std::int16_t> large(48000 * 2);
    EXPECT_TRUE(port.render(large));
    EXPECT_EQ(port.close(), PortResult::Ok);
    EXPECT_EQ(port.sendShort(Word(0x90, 60, 100)), PortResult::NotOpen);
    EXPECT_FALSE(port.render(odd));
    EXPECT_EQ(port.open(), PortResult::Ok) << "a closed port opens again";
}

// Senders on two threads while a third renders and a fourth closes: ThreadSanitizer watches this.
TEST_F(OfflineSynth, AcceptsConcurrentCalls) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < 300; ++i) {
                static_cast<void>(port.sendShort(Word(0x90 + t, 40 + i % 40, 100)));
                static_cast<void>(port.sendShort(Word(0x80 + t, 40 + i % 40, 0)));
                const std::uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
                static_cast<void>(port.sendLong(sysex));
            }
        });
    }
    threads.emplace_back([this] {
        std::vector<std::int16_t> block(96);
        for (int i = 0; i < 300; ++i) {
            port.render(block);
        }
    });
    // The answers vary as the port closes and opens under the senders; only that nothing breaks
    // matters here.
    threads.emplace_back([this] {
        for (int i = 0; i < 20; ++i) {
            static_cast<void>(port.close());
            static_cast<void>(port.open());
        }
    });
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(port.open(), PortResult::Ok);
}

} // namespace
} // namespace tf
