#include "app/HeldMessages.h"

#include "app/OutputTexts.h"
#include "platform/MidiPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

class DescribedPort final : public MidiPort {
public:
    std::uint32_t open() override { return mmresult::NoDevice; }
    std::uint32_t sendShort(std::uint32_t) override { return mmresult::InvalidHandle; }
    std::uint32_t sendLong(std::span<const std::uint8_t>) override { return mmresult::InvalidHandle; }
    bool longDone() override { return true; }
    std::uint32_t close() override { return mmresult::InvalidHandle; }
    PortDescription describe() const override { return description; }
    PortDescription description;
};

TEST(HeldMessagesTest, TheCoresTextStaysTheFirstLineAndTheBoxWaitsForTheWindow) {
    DescribedPort port;
    port.description = {"FluidSynth, default-GM.sf2",
                        "FluidSynth: no audio driver opened (tried pulseaudio, alsa)"};
    HeldMessages held(port, true);
    held.showMessage(MessageIcon::Stop, "Tonefalls", "MIDIポートが見つかりません。");
    EXPECT_EQ(held.held(), 1u);

    std::vector<std::string> shown;
    held.release([&shown](MessageIcon icon, std::string_view caption, std::string_view text) {
        EXPECT_EQ(icon, MessageIcon::Stop);
        EXPECT_EQ(caption, "Tonefalls");
        shown.emplace_back(text);
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "MIDIポートが見つかりません。\n"
                        "FluidSynth: no audio driver opened (tried pulseaudio, alsa). The game plays without "
                        "sound. Another output: --midi-out fluidsynth|alsa:NAME|none, --audio-driver NAME, "
                        "--soundfont FILE.");
    EXPECT_EQ(held.held(), 0u);
    // Once released, a message goes straight through.
    held.showMessage(MessageIcon::Stop, "Tonefalls", "x");
    EXPECT_EQ(shown.size(), 2u);
}

TEST(HeldMessagesTest, WindowsHasNoOptionsToNameAndTheAboutBoxSaysNoneWhenSilent) {
    const PortDescription mapper{"Windows MIDI mapper", "the Windows MIDI mapper did not open (result 68)"};
    EXPECT_EQ(OutputFailureLine(mapper, false),
              "the Windows MIDI mapper did not open (result 68). The game plays without sound.");
    EXPECT_EQ(OutputFailureLine({"ALSA port x", ""}, false),
              "ALSA port x did not open. The game plays without sound.");
    EXPECT_EQ(AboutSoundLine(mapper, true), "Sound: Windows MIDI mapper");
    EXPECT_EQ(AboutSoundLine(mapper, false), "Sound: none");
    EXPECT_EQ(AboutSoundLine({}, true), "Sound: none");
}

} // namespace
} // namespace tf
