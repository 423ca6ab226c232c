#include "app/shell/HeldMessages.h"

#include "app/text/OutputTexts.h"
#include "platform/MidiPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

class DescribedPort final : public MidiPort {
public:
    PortResult open() override { return PortResult::NoDevice; }
    PortResult sendShort(std::uint32_t) override { return PortResult::NotOpen; }
    PortResult sendLong(std::span<const std::uint8_t>) override { return PortResult::NotOpen; }
    bool longDone() override { return true; }
    PortResult close() override { return PortResult::NotOpen; }
    PortDescription describe() const override { return description; }
    PortDescription description;
};

TEST(HeldMessagesTest, TheCoresTextStaysTheFirstLineAndTheBoxWaitsForTheWindowAndItsLanguage) {
    DescribedPort port;
    port.description = {"FluidSynth, default-GM.sf2",
                        "FluidSynth: no audio driver opened (tried pulseaudio, alsa)"};
    HeldMessages held(port, true);
    held.showMessage(MessageIcon::Stop, "Tonefalls", "MIDIポートが見つかりません。");
    EXPECT_EQ(held.held(), 1u);

    // The language is asked when the box is shown, not when the message came.
    Language language = Language::Japanese;
    std::vector<std::string> shown;
    held.release(
        [&shown](MessageIcon icon, std::string_view caption, std::string_view text) {
            EXPECT_EQ(icon, MessageIcon::Stop);
            EXPECT_EQ(caption, "Tonefalls");
            shown.emplace_back(text);
        },
        [&language] { return language; });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              "MIDIポートが見つかりません。\n"
              "FluidSynth: no audio driver opened (tried pulseaudio, alsa): 音を出さずにゲームを続けます。 "
              "ほかの出力: --midi-out fluidsynth|alsa:NAME|none, --audio-driver NAME, --soundfont FILE");
    EXPECT_EQ(held.held(), 0u);
    // Once released, a message goes straight through, in the language of the moment.
    language = Language::English;
    held.showMessage(MessageIcon::Stop, "Tonefalls", "MIDIポートが見つかりません。");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], "No MIDI output was found.\n"
                        "FluidSynth: no audio driver opened (tried pulseaudio, alsa). The game plays without "
                        "sound. Another output: --midi-out fluidsynth|alsa:NAME|none, --audio-driver NAME, "
                        "--soundfont FILE.");
}

TEST(HeldMessagesTest, WindowsHasNoOptionsToNameAndTheAboutBoxSaysNoneWhenSilent) {
    const PortDescription mapper{"Windows MIDI mapper", "the Windows MIDI mapper did not open (result 68)"};
    EXPECT_EQ(OutputFailureLine(mapper, false, Language::English),
              "the Windows MIDI mapper did not open (result 68). The game plays without sound.");
    EXPECT_EQ(OutputFailureLine({"ALSA port x", ""}, false, Language::English),
              "ALSA port x did not open. The game plays without sound.");
    EXPECT_EQ(AboutSoundLine(mapper, true), "Sound: Windows MIDI mapper");
    EXPECT_EQ(AboutSoundLine(mapper, false), "Sound: none");
    EXPECT_EQ(AboutSoundLine({}, true), "Sound: none");
}

} // namespace
} // namespace tf
